// What goes wrong around the program, one row a case, against the real parts: the real folder
// and file lists, the GStreamer media engine with no audio server, Qt's message boxes, browser and
// clipboard. Each case gives exactly the message it should (or none), leaves what was loaded as
// it was, and the user's next action works.

#include "about/about.h"
#include "about/links.h"
#include "calculator/calculator.h"
#include "clock/clocktext.h"
#include "desktop/qtports.h"
#include "player/gstmediaengine.h"
#include "tests/player/playerfixture.h"
#include "tests/support/clockreading.h"
#include "tests/support/combogestures.h"
#include "tests/support/defaultlocale.h"
#include "tests/support/heartbeat.h"
#include "tests/support/window.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QDesktopServices>
#include <QMessageBox>
#include <QSlider>
#include <QTableView>
#include <QTemporaryDir>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <mutex>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

using namespace tesmora;
using namespace tesmora::testing;

namespace {

// A network share that answers late: opening the folder a case names waits before the system
// opens it (or refuses it). Everything else opens as it always does.
struct SlowShare
{
    static constexpr std::chrono::milliseconds delay {2000};
    std::mutex lock;
    QByteArray folder; // empty: no folder is slow
    bool refuses = false;
    std::atomic<int> answered {0}; // reads of the slow folder that ended, each on its thread

    void set(const QString &path, bool refuse)
    {
        const std::lock_guard hold(lock);
        folder = QFile::encodeName(path);
        refuses = refuse;
        answered = 0;
    }
    void clear() { set(QString(), false); }
};

SlowShare slowShare;

// A read waits on the share one or more times; it has answered when its thread ends.
struct SlowReadThread
{
    bool waited = false;
    ~SlowReadThread()
    {
        if (waited)
            ++slowShare.answered;
    }
};
thread_local SlowReadThread slowRead;

} // namespace

// Stands in for the C library's opendir() in the whole test program, Qt's folder reading
// included; the real one is the next in the search order.
extern "C" DIR *opendir(const char *name)
{
    using Open = DIR *(*)(const char *);
    static const auto system = reinterpret_cast<Open>(::dlsym(RTLD_NEXT, "opendir"));
    bool slow = false, refuse = false;
    {
        const std::lock_guard hold(slowShare.lock);
        slow = !slowShare.folder.isEmpty() && slowShare.folder == name;
        refuse = slowShare.refuses;
    }
    if (!slow)
        return system(name);
    slowRead.waited = true;
    std::this_thread::sleep_for(SlowShare::delay);
    if (refuse) {
        errno = EACCES;
        return nullptr;
    }
    return system(name);
}

namespace {

enum class Fault {
    UnreadableFolder,
    FolderDeletedWhileShown,
    VolumeUnmounted,
    VolumeMounted,
    BadFile, // a file that is no MP3
    FileDeletedBeforeClick,
    SameFailedFileTwice,
    SlowFolder,
    SlowUnreadableFolder,
    SlowFolderLeft, // the user opens another folder before the slow one answers
    OddName,
    InvalidUtf8Name,
    NoAudioServer,
    SlowAudioServer,
    NoBrowser,
    NoClipboardOwner,
    Locale,
};

// Reads each message box as the user does, then presses its OK button. Any other modal window
// is noted as unexpected and closed, so that the test never hangs on one.
class MessageReader : public QObject
{
public:
    QList<Message> messages;
    QStringList unexpected;
    MessageReader()
    {
        timer.setInterval(10);
        connect(&timer, &QTimer::timeout, this, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                messages.append({box->text(), box->windowTitle()});
                QAbstractButton *ok = box->button(QMessageBox::Ok);
                if (ok)
                    QTest::mouseClick(ok, Qt::LeftButton);
                if (box->isVisible())
                    box->reject();
            } else if (modal) {
                unexpected.append(modal->windowTitle());
                modal->close();
            }
        });
        timer.start();
    }

private:
    QTimer timer;
};

// The window on Qt's own ports and the real media engine; only the colour chooser is a fake.
struct RealWindow
{
    PatientFolderReading patience;
    QtPrompts prompts;
    FakeColourChooser colours;
    QtBrowser browser;
    QtClipboard clipboard;
    GstMediaEngine *engine = nullptr;
    QDateTime now = QDateTime(QDate(2026, 12, 7), QTime(21, 4, 22));
    QList<Volume> volumes;
    std::unique_ptr<Form1> form;

    // The program's own engine, kept where the test can look into it.
    RealWindow()
    {
        MediaEngineFactory engines = [this]() -> std::unique_ptr<MediaEngine> {
            auto made = std::make_unique<GstMediaEngine>();
            engine = made.get();
            return made;
        };
        form = std::make_unique<Form1>(DesktopPorts {prompts, colours, browser, clipboard,
                                                     std::move(engines), [this] { return now; }});
        prompts.setParent(form.get());
        form->Timer1->stop();
        form->Form_Load();
        form->show();
    }
    Form1 *operator->() const { return form.get(); }

    void useVolumes(QList<Volume> v)
    {
        volumes = std::move(v);
        form->Drive1->setVolumeSource([this] { return volumes; });
    }
    void openTool(QPushButton *button)
    {
        QTest::mouseClick(form->Command1, Qt::LeftButton);
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(button->isEnabled());
    }
};

// The browser the test registers for the next action: takes every page.
class PageCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> pages;
public Q_SLOTS:
    void open(const QUrl &url) { pages.append(url); }
};

} // namespace

Q_DECLARE_METATYPE(Fault)

class TestFaults : public QObject
{
    Q_OBJECT
    QByteArray tone;
    QString startFolder;
    std::unique_ptr<Heartbeat> heart;
    qint64 longest = 0;
    bool delegated = false;
    std::optional<qint64> measured;

    // Loads `name` from the file list by a click and waits until the engine has settled.
    static void clickAndSettle(RealWindow &w, const QString &name)
    {
        PlayerPanel::click(w->File1, name);
        QTRY_VERIFY_WITH_TIMEOUT(w.engine && !w.engine->isLoading(), 10000);
    }
    void writeFile(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
        f.write(bytes);
    }

private Q_SLOTS:
    void initTestCase()
    {
        startFolder = QDir::currentPath();
        QTemporaryDir work;
        QVERIFY2(makeTone(work.filePath("tone.mp3"), 30),
                 "sox and lame make the test's MP3 (scripts/packages.txt lists them)");
        QFile f(work.filePath("tone.mp3"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        tone = f.readAll();
        heart = std::make_unique<Heartbeat>();
    }
    void init()
    {
        delegated = false;
        measured.reset();
        heart->restart();
    }
    void cleanup()
    {
        if (delegated)
            return;
        // A case may measure before its window closes; closing is not part of the window's life.
        const qint64 stall = measured.value_or(heart->longestStall().count());
        longest = std::max(longest, stall);
        qInfo("longest event-loop stall %lld ms", static_cast<long long>(stall));
    }
    void cleanupTestCase()
    {
        QDir::setCurrent(startFolder);
        qInfo("fault matrix: longest event-loop stall %lld ms", static_cast<long long>(longest));
    }

    void fault_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<QString>("name"); // the file, folder or locale of the case
        QTest::addColumn<QByteArray>("bytes"); // what the file holds; "tone" = a good MP3
        QTest::addColumn<QString>("message"); // %1: the full path; empty: no message

        QByteArray noise(60000, '\0');
        for (qsizetype i = 0; i < noise.size(); ++i)
            noise[i] = char((i * 7919 + 13) % 251);
        const QString play = QStringLiteral("The file \"%1\" cannot be played.");
        const QString read = QStringLiteral("The folder \"%1\" cannot be read.");
        const QString drive = QStringLiteral("Please use a valid drive");

        QTest::newRow("unreadable folder")
            << Fault::UnreadableFolder << "locked" << QByteArray() << read;
        QTest::newRow("folder deleted while shown")
            << Fault::FolderDeletedWhileShown << "sub" << QByteArray("tone") << play;
        QTest::newRow("volume unmounted between clicks")
            << Fault::VolumeUnmounted << "usb" << QByteArray() << drive;
        QTest::newRow("volume mounted between clicks")
            << Fault::VolumeMounted << "usb" << QByteArray() << QString();
        QTest::newRow("corrupt .mp3") << Fault::BadFile << "corrupt.mp3" << noise << play;
        QTest::newRow("zero-byte .mp3") << Fault::BadFile << "empty.mp3" << QByteArray() << play;
        QTest::newRow("truncated .mp3")
            << Fault::BadFile << "truncated.mp3" << QByteArray("tone:300") << play;
        QTest::newRow("text renamed .mp3")
            << Fault::BadFile << "notes.mp3" << QByteArray("Shopping list:\nmilk\neggs\n") << play;
        QTest::newRow("file deleted between listing and click")
            << Fault::FileDeletedBeforeClick << "gone.mp3" << QByteArray("tone") << play;
        QTest::newRow("same failed file picked twice")
            << Fault::SameFailedFileTwice << "bad.mp3" << noise << play;
        QTest::newRow("slow folder") << Fault::SlowFolder << "far" << QByteArray() << QString();
        QTest::newRow("slow folder that cannot be read")
            << Fault::SlowUnreadableFolder << "far" << QByteArray() << read;
        QTest::newRow("slow folder left for another")
            << Fault::SlowFolderLeft << "far" << QByteArray() << QString();
        QTest::newRow("name of blanks")
            << Fault::OddName << "   .mp3" << QByteArray("tone") << QString();
        QTest::newRow("name with #")
            << Fault::OddName << "#1 hit.mp3" << QByteArray("tone") << QString();
        QTest::newRow("name with ?")
            << Fault::OddName << "why?.mp3" << QByteArray("tone") << QString();
        QTest::newRow("name with %")
            << Fault::OddName << "100%25 %.mp3" << QByteArray("tone") << QString();
        QTest::newRow("name with a newline")
            << Fault::OddName << "two\nlines.mp3" << QByteArray("tone") << QString();
        QTest::newRow("name in invalid UTF-8")
            << Fault::InvalidUtf8Name << "bad\xff name.mp3" << QByteArray("tone") << QString();
        QTest::newRow("no audio server")
            << Fault::NoAudioServer << "tone.mp3" << QByteArray("tone") << QString();
        QTest::newRow("audio server that never answers")
            << Fault::SlowAudioServer << "tone.mp3" << QByteArray("tone") << QString();
        QTest::newRow("no browser registered")
            << Fault::NoBrowser << QString() << QByteArray() << cannotOpenText(websiteUrl());
        QTest::newRow("no clipboard owner")
            << Fault::NoClipboardOwner << QString() << QByteArray() << QString();
        for (const char *locale : {"C", "en_US", "de_DE", "sv_SE", "ar_EG"})
            QTest::addRow("locale %s", locale)
                << Fault::Locale << QString::fromLatin1(locale) << QByteArray() << QString();
    }

    void fault()
    {
        QFETCH(Fault, fault);
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        if (fault == Fault::UnreadableFolder && !runUnprivileged("fault:unreadable folder")) {
            // The case ran in a child process, which this one waited for.
            delegated = true;
            return;
        }

        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        const QString music = tmp.filePath("music");
        QVERIFY(QDir().mkpath(music));
        writeFile(music + "/good.mp3", tone);
        if (bytes == "tone")
            bytes = tone;
        else if (bytes.startsWith("tone:"))
            bytes = tone.left(bytes.mid(5).toInt());
        QVERIFY(QDir::setCurrent(music));
        const auto back = qScopeGuard([this] { QDir::setCurrent(startFolder); });

        // What is on disk before the window lists it.
        if (fault == Fault::UnreadableFolder) {
            QVERIFY(QDir().mkpath(music + u'/' + name));
            QVERIFY(QDir().mkpath(music + "/open"));
        } else if (fault == Fault::FolderDeletedWhileShown) {
            QVERIFY(QDir().mkpath(music + u'/' + name));
            writeFile(music + u'/' + name + "/in sub.mp3", bytes);
        } else if (fault == Fault::BadFile || fault == Fault::FileDeletedBeforeClick
                   || fault == Fault::SameFailedFileTwice) {
            writeFile(music + u'/' + name, bytes);
        } else if (fault == Fault::SlowFolder || fault == Fault::SlowUnreadableFolder
                   || fault == Fault::SlowFolderLeft) {
            QVERIFY(QDir().mkpath(music + u'/' + name));
            writeFile(music + u'/' + name + "/far.mp3", tone);
            QVERIFY(QDir().mkpath(music + "/open"));
        } else if (fault == Fault::OddName || fault == Fault::InvalidUtf8Name) {
            QByteArray encoded = QFile::encodeName(music) + '/';
            encoded += fault == Fault::InvalidUtf8Name ? name.toLatin1() : name.toUtf8();
            const int fd = ::open(encoded.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            QVERIFY(fd >= 0);
            const auto written = ::write(fd, bytes.constData(), size_t(bytes.size()));
            ::close(fd);
            QCOMPARE(written, ssize_t(bytes.size()));
        }

        const DefaultLocale pinned(fault == Fault::Locale ? QLocale(name) : QLocale::c());
        MessageReader reader;
        RealWindow w;
        w.useVolumes({{tmp.path(), "Disk", true}});
        QString path; // the file or folder the message names
        qsizetype expected = message.isEmpty() ? 0 : 1;

        // An audio server that takes the connection and never answers.
        std::optional<QByteArray> savedServer;
        int mute = -1;
        const auto closeMute = qScopeGuard([&] {
            if (mute >= 0)
                ::close(mute);
            if (savedServer)
                qputenv("PULSE_SERVER", *savedServer);
        });
        if (fault == Fault::SlowAudioServer) {
            const QByteArray socketPath = QFile::encodeName(tmp.filePath("pulse"));
            mute = ::socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un address {};
            address.sun_family = AF_UNIX;
            QVERIFY(size_t(socketPath.size()) < sizeof address.sun_path);
            std::memcpy(address.sun_path, socketPath.constData(), size_t(socketPath.size()));
            QVERIFY(::bind(mute, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0);
            QVERIFY(::listen(mute, 16) == 0);
            savedServer = qgetenv("PULSE_SERVER");
            qputenv("PULSE_SERVER", "unix:" + socketPath);
        }

        // Player cases start with a good file loaded and playing, which must go on.
        const bool player = fault != Fault::NoBrowser && fault != Fault::NoClipboardOwner
            && fault != Fault::Locale && fault != Fault::SlowAudioServer;
        if (player) {
            w.openTool(w->Command6);
            QVERIFY(w->File1->isVisible());
            clickAndSettle(w, "good.mp3");
            QCOMPARE(w.engine->loadedPath(), music + "/good.mp3");
            QTest::mouseClick(w->Command9, Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(w.engine->isPlaying(), 10000);
        }

        switch (fault) {
        case Fault::UnreadableFolder: {
            path = music + u'/' + name;
            QVERIFY(QFile::setPermissions(path, {}));
            const QStringList folders = PlayerPanel::texts(w->Dir1);
            PlayerPanel::click(w->Dir1, name, true);
            QTRY_COMPARE_WITH_TIMEOUT(reader.messages.size(), expected, 10000);
            QCOMPARE(w->Dir1->path(), music);
            QCOMPARE(PlayerPanel::texts(w->Dir1), folders);
            // Next: a readable folder opens.
            PlayerPanel::click(w->Dir1, "open", true);
            QCOMPARE(w->Dir1->path(), music + "/open");
            QCOMPARE(w->File1->path(), music + "/open");
            break;
        }
        case Fault::FolderDeletedWhileShown: {
            const QString sub = music + u'/' + name;
            PlayerPanel::click(w->Dir1, name, true);
            QCOMPARE(PlayerPanel::texts(w->File1), QStringList {"in sub.mp3"});
            QVERIFY(QDir(sub).removeRecursively());
            path = sub + "/in sub.mp3";
            clickAndSettle(w, "in sub.mp3");
            QTRY_COMPARE_WITH_TIMEOUT(reader.messages.size(), expected, 10000);
            // Next: the folder above opens from the folder list.
            PlayerPanel::click(w->Dir1, "music", true);
            QCOMPARE(w->Dir1->path(), music);
            QVERIFY(PlayerPanel::texts(w->File1).contains("good.mp3"));
            clickAndSettle(w, "good.mp3");
            QCOMPARE(w.engine->loadedPath(), music + "/good.mp3");
            break;
        }
        case Fault::VolumeUnmounted:
        case Fault::VolumeMounted: {
            const QString usb = tmp.filePath(name);
            QVERIFY(QDir().mkpath(usb));
            writeFile(usb + "/on usb.mp3", tone);
            const bool unmount = fault == Fault::VolumeUnmounted;
            if (unmount)
                w.volumes.append({usb, "USB", true});
            const QStringList folders = PlayerPanel::texts(w->Dir1);
            // The user opens the drop-down list; the volume comes or goes before the pick.
            w->Drive1->setFocus();
            QTest::keyClick(w->Drive1, Qt::Key_Down, Qt::AltModifier);
            QVERIFY(QTest::qWaitFor([&] { return listIsOpen(w->Drive1); }));
            if (unmount) {
                w.volumes.removeLast();
                QVERIFY(QDir(usb).removeRecursively());
                QCOMPARE(w->Drive1->count(), 2);
                QAbstractItemView *view = w->Drive1->view();
                QTest::keyClick(view, Qt::Key_End);
                QTest::keyClick(view, Qt::Key_Return);
                QTRY_COMPARE_WITH_TIMEOUT(reader.messages.size(), expected, 10000);
                QCOMPARE(w->Dir1->path(), music);
                QCOMPARE(PlayerPanel::texts(w->Dir1), folders);
                // Next: the drive that is still there.
                QVERIFY(pickWithListKeys(w->Drive1, 0));
                QCOMPARE(w->Dir1->path(), tmp.path());
            } else {
                QTest::keyClick(w->Drive1->view(), Qt::Key_Escape);
                w.volumes.append({usb, "USB", true});
                QVERIFY(pickWithListKeys(w->Drive1, 1));
                QCOMPARE(w->Dir1->path(), usb);
                QCOMPARE(PlayerPanel::texts(w->File1), QStringList {"on usb.mp3"});
                clickAndSettle(w, "on usb.mp3");
                QCOMPARE(w.engine->loadedPath(), usb + "/on usb.mp3");
            }
            break;
        }
        case Fault::BadFile:
        case Fault::FileDeletedBeforeClick:
        case Fault::SameFailedFileTwice: {
            path = music + u'/' + name;
            if (fault == Fault::FileDeletedBeforeClick)
                QVERIFY(QFile::remove(path));
            clickAndSettle(w, name);
            QTRY_COMPARE_WITH_TIMEOUT(reader.messages.size(), expected, 10000);
            if (fault == Fault::SameFailedFileTwice) {
                // The second pick reads the file again and says so again, once.
                clickAndSettle(w, name);
                expected = 2;
                QTRY_COMPARE_WITH_TIMEOUT(reader.messages.size(), expected, 10000);
            }
            // What played before goes on.
            QCOMPARE(w.engine->loadedPath(), music + "/good.mp3");
            QVERIFY(w.engine->isPlaying());
            break;
        }
        case Fault::SlowFolder:
        case Fault::SlowUnreadableFolder:
        case Fault::SlowFolderLeft: {
            path = music + u'/' + name;
            // The program's own patience with the share.
            const PatientFolderReading impatient(FolderReader::defaultPatience);
            slowShare.set(path, fault == Fault::SlowUnreadableFolder);
            const auto fast = qScopeGuard([] { slowShare.clear(); });
            const QStringList folders = PlayerPanel::texts(w->Dir1);
            const QStringList files = PlayerPanel::texts(w->File1);
            PlayerPanel::click(w->Dir1, name, true);
            // The lists show what they showed, and the window answers, while the share thinks.
            QCOMPARE(w->Dir1->path(), music);
            QVERIFY(w->Dir1->isReading());
            QCOMPARE(w->Dir1->viewport()->cursor().shape(), Qt::BusyCursor);
            const qint64 beats = heart->beats();
            QTRY_VERIFY_WITH_TIMEOUT(heart->beats() >= beats + 5, 10000);
            QCOMPARE(PlayerPanel::texts(w->Dir1), folders);
            if (fault == Fault::SlowFolderLeft) {
                PlayerPanel::click(w->Dir1, "open", true);
                QCOMPARE(w->Dir1->path(), music + "/open");
                QCOMPARE(w->File1->path(), music + "/open");
                // The slow answer comes, and counts for nothing.
                QTRY_COMPARE_WITH_TIMEOUT(slowShare.answered.load(), 1, 20000);
                QCoreApplication::processEvents();
                QVERIFY(!w->Dir1->isReading());
                QCOMPARE(w->Dir1->path(), music + "/open");
                QCOMPARE(w->File1->path(), music + "/open");
                QCOMPARE(PlayerPanel::texts(w->File1), QStringList());
                // A window closed while the share thinks: the answer finds nobody to tell.
                PlayerPanel::click(w->Dir1, "music", true);
                PlayerPanel::click(w->Dir1, name, true);
                QVERIFY(w->Dir1->isReading());
                w.form.reset();
                QTRY_COMPARE_WITH_TIMEOUT(slowShare.answered.load(), 2, 20000);
                QCoreApplication::processEvents();
            } else if (fault == Fault::SlowUnreadableFolder) {
                QTRY_COMPARE_WITH_TIMEOUT(reader.messages.size(), expected, 10000);
                QVERIFY(!w->Dir1->isReading());
                QCOMPARE(w->Dir1->viewport()->cursor().shape(), Qt::ArrowCursor);
                QCOMPARE(w->Dir1->path(), music);
                QCOMPARE(PlayerPanel::texts(w->Dir1), folders);
                QCOMPARE(PlayerPanel::texts(w->File1), files);
                // Next: a folder that answers opens.
                PlayerPanel::click(w->Dir1, "open", true);
                QCOMPARE(w->Dir1->path(), music + "/open");
            } else {
                // Listed when the share answers; the file list then reads the same share.
                QTRY_COMPARE_WITH_TIMEOUT(w->Dir1->path(), path, 10000);
                QTRY_COMPARE_WITH_TIMEOUT(PlayerPanel::texts(w->File1), QStringList {"far.mp3"},
                                          10000);
                QCOMPARE(w->File1->path(), path);
                clickAndSettle(w, "far.mp3");
                QCOMPARE(w.engine->loadedPath(), path + "/far.mp3");
            }
            // A window that waited on the share would have stood still for its whole delay.
            measured = heart->longestStall().count();
            QVERIFY2(*measured < SlowShare::delay.count() / 2,
                     qPrintable(QString::number(*measured)));
            break;
        }
        case Fault::OddName:
        case Fault::InvalidUtf8Name: {
            const QStringList files = PlayerPanel::texts(w->File1);
            QCOMPARE(files.size(), 2);
            const QString shown = files.at(files.at(0) == "good.mp3" ? 1 : 0);
            path = music + u'/' + shown;
            clickAndSettle(w, shown);
            QCOMPARE(w.engine->loadedPath(), path);
            QTest::mouseClick(w->Command9, Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(w.engine->isPlaying(), 10000);
            break;
        }
        case Fault::SlowAudioServer: {
            // The program's own engine waits on the server; the window goes on answering.
            w.openTool(w->Command6);
            PlayerPanel::click(w->File1, "good.mp3");
            QTest::mouseClick(w->Command9, Qt::LeftButton);
            QTest::mouseClick(w->Command6, Qt::LeftButton);
            w.openTool(w->Command7);
            QTest::keyClicks(w->Text1, "2");
            QTest::keyClicks(w->Text2, "3");
            QTest::mouseClick(w->Command12, Qt::LeftButton);
            QCOMPARE(w->Text3->text(), QStringLiteral("  5"));
            const qint64 beats = heart->beats();
            QTRY_VERIFY_WITH_TIMEOUT(heart->beats() >= beats + 10, 10000);
            QTest::mouseClick(w->Command7, Qt::LeftButton);
            QVERIFY(w->Command6->isEnabled());
            measured = heart->longestStall().count();
            // The server's own time-out is half a minute: a window that waited on it shows here.
            QVERIFY2(*measured < 10000, qPrintable(QString::number(*measured)));
            break;
        }
        case Fault::NoAudioServer:
            // The good file already loaded and played above; it also stops and plays again.
            QTest::mouseClick(w->Command10, Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(!w.engine->isPlaying(), 10000);
            QTest::mouseClick(w->Command9, Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(w.engine->isPlaying(), 10000);
            break;
        case Fault::NoBrowser: {
            w.openTool(w->Command20);
            QTest::mouseClick(w->Label5, Qt::LeftButton);
            QTRY_COMPARE_WITH_TIMEOUT(reader.messages.size(), expected, 10000);
            // Next: with a browser registered the page opens, and nothing is said.
            PageCatcher browser;
            QDesktopServices::setUrlHandler(websiteUrl().scheme(), &browser, "open");
            const auto unregister
                = qScopeGuard([] { QDesktopServices::unsetUrlHandler(websiteUrl().scheme()); });
            QTest::mouseClick(w->Label5, Qt::LeftButton);
            QCOMPARE(browser.pages, QList<QUrl> {websiteUrl()});
            break;
        }
        case Fault::NoClipboardOwner: {
            QClipboard *clip = QGuiApplication::clipboard();
            clip->clear();
            QCOMPARE(clip->text(), QString());
            w.openTool(w->Command7);
            QTest::keyClicks(w->Text1, "2");
            QTest::keyClicks(w->Text2, "3");
            QTest::mouseClick(w->Command12, Qt::LeftButton);
            QTest::mouseClick(w->Command17, Qt::LeftButton);
            QCOMPARE(clip->text(), QStringLiteral("  5"));
            // Next: the copied result pastes into an operand and adds up.
            w->Text1->setFocus();
            w->Text1->selectAll();
            QTest::keyClick(w->Text1, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(w->Text1->text(), QStringLiteral("  5"));
            QTest::mouseClick(w->Command12, Qt::LeftButton);
            QCOMPARE(w->Text3->text(), QStringLiteral("  8"));
            break;
        }
        case Fault::Locale: {
            const QLocale locale(name);
            // The clock: the time with its seconds, and the date.
            w->clockTick->Timer1_Timer();
            QCOMPARE(readTime(w->Label1->text(), locale), w.now.time());
            QVERIFY2(w->Label1->text().contains(locale.toString(22)),
                     qPrintable(w->Label1->text()));
            QCOMPARE(readDate(w->Label2->text(), locale, w.now.date()), w.now.date());
            // Minimised, the title carries them.
            const QString time = w->Label1->text(), date = w->Label2->text();
            w->setWindowState(Qt::WindowMinimized);
            w.now = w.now.addSecs(1);
            w->clockTick->Timer1_Timer();
            QCOMPARE(w->windowTitle(),
                     QStringLiteral("%1 (%2) ").arg(timeText(w.now.time(), locale), date));
            QCOMPARE(w->Label1->text(), time);
            w->setWindowState(Qt::WindowNoState);

            // The calculator writes the locale's decimal separator and reads its own result.
            w.openTool(w->Command7);
            QTest::keyClicks(w->Text1, "7");
            QTest::keyClicks(w->Text2, "2");
            QTest::mouseClick(w->Command15, Qt::LeftButton);
            QCOMPARE(w->Text3->text(), QStringLiteral("  3") + locale.decimalPoint() + u'5');
            w->Text1->setText("1e20");
            w->Text2->setText("1");
            QTest::mouseClick(w->Command14, Qt::LeftButton);
            QCOMPARE(w->Text3->text(), QStringLiteral("  1E+20"));
            QTest::mouseClick(w->Command7, Qt::LeftButton);

            // The calendar's tip is the clicked date in the locale's short form.
            w.openTool(w->Command3);
            auto *days = w->MonthView1->findChild<QTableView *>();
            QVERIFY(days);
            const QModelIndex cell = days->model()->index(3, 3);
            QTest::mouseClick(days->viewport(), Qt::LeftButton, {},
                              days->visualRect(cell).center());
            const QDate picked = w->MonthView1->selectedDate();
            QVERIFY(picked.isValid());
            QCOMPARE(readDate(w->MonthView1->toolTip(), locale, picked), picked);
            break;
        }
        }

        // Exactly the expected messages, each naming what failed; checked after the next action,
        // so that a late second report of the same failure would have been seen.
        QCOMPARE(reader.messages.size(), expected);
        for (const Message &m : std::as_const(reader.messages)) {
            QCOMPARE(m.text, message.contains(u"%1") ? message.arg(path) : message);
            QCOMPARE(m.title, applicationTitle());
        }
        QCOMPARE(reader.unexpected, QStringList());
    }
};

int main(int argc, char **argv)
{
    // No audio server at all: the program must load and play on without one, and this test
    // never depends on the machine's.
    qputenv("PULSE_SERVER", "unix:/nonexistent/tesmora-no-audio-server");
    qputenv("PULSE_NO_AUTOSPAWN", "1");
    QApplication app(argc, argv);
    TestFaults test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_faults.moc"
