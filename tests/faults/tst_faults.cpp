// What goes wrong around the program, one test function per kind of fault, against the real
// parts where they add something: real files and folders, the GStreamer engine with no audio
// server, Qt's message boxes, browser and clipboard. Each case gives exactly the message it
// should (or none), leaves what was playing as it was, and the user's next action works.
// Folders that cannot be listed, drives that are not ready and the messages the player gives
// are the window tests' (tests/player); here the faults that need the real parts.

#include "about/about.h"
#include "about/links.h"
#include "clock/clocktext.h"
#include "player/drivelist.h"
#include "player/filelist.h"
#include "player/folderlist.h"
#include "player/folderreading.h"
#include "player/gstmediaengine.h"
#include "player/shares.h"
#include "rules/product.h"
#include "tests/player/playerfiles.h"
#include "tests/player/soundserver.h"
#include "tests/support/clockreading.h"
#include "tests/support/combogestures.h"
#include "tests/support/defaultlocale.h"
#include "tests/support/heartbeat.h"
#include "tests/support/listgestures.h"
#include "tests/support/reading.h"
#include "tests/support/testmain.h"
#include "tests/support/watchdog.h"
#include "tests/support/window.h"

#include <QCalendarWidget>
#include <QClipboard>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMessageBox>
#include <QProcess>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

using namespace tesmora;
using namespace tesmora::testing;

namespace {

// A network share of the test's own (share.py): a FUSE file system mounted at `root`, showing
// the folder `source`, whose every call waits in the kernel while the share is shut, and is
// refused while it refuses.
class Share
{
public:
    QTemporaryDir dir;
    const QString source = dir.filePath("source"), gate = dir.filePath("gate");
    QString root;
    QProcess server;

    // Empty once mounted at `mountPoint` (made if need be), else why not.
    QString mount(const QString &mountPoint)
    {
        if (!QFileInfo::exists("/dev/fuse"))
            return QStringLiteral("no /dev/fuse");
        root = mountPoint;
        if (!QDir().mkpath(source) || !QDir().mkpath(root))
            return QStringLiteral("no folders");
        server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        server.start("/usr/bin/python3", {TESMORA_SHARE_SCRIPT, source, root, gate});
        const bool mounted = QTest::qWaitFor(
            [&] { return shareOf(root) == root || server.state() == QProcess::NotRunning; }, 10000);
        return mounted && shareOf(root) == root ? QString() : QStringLiteral("not mounted");
    }
    void shut() { QFile(gate).open(QIODevice::WriteOnly); }
    void open() { QFile::remove(gate); }
    void refuse() { QFile(gate + ".refuse").open(QIODevice::WriteOnly); }
    // Every call takes `ms` milliseconds (none: at once).
    void slow(int ms)
    {
        QFile delay(gate + ".delay");
        if (ms > 0 && delay.open(QIODevice::WriteOnly))
            delay.write(QByteArray::number(ms));
    }
    // Every listing fails after its first part, as on a share that drops.
    void drop(bool drops)
    {
        if (drops)
            QFile(gate + ".drop").open(QIODevice::WriteOnly);
        else
            QFile::remove(gate + ".drop");
    }
    ~Share()
    {
        open();
        if (!root.isEmpty())
            QProcess::execute("umount", {"-l", root});
        server.terminate();
        server.waitForFinished(3000);
    }
};

// The threads of this process that call on a share: those that wait on a share that hangs, and
// for a moment those that asked one that answers.
QStringList heldThreads()
{
    QStringList held;
    for (const QString &t : QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile name("/proc/self/task/" + t + "/comm");
        if (name.open(QIODevice::ReadOnly) && name.readAll() == "share call\n")
            held.append(t);
    }
    return held;
}

// Whether all of `threads` have ended.
bool ended(const QStringList &threads)
{
    return std::none_of(threads.cbegin(), threads.cend(),
                        [](const QString &t) { return QFileInfo::exists("/proc/self/task/" + t); });
}

} // namespace

namespace {

// What happens to a file between the list showing it and the user's click.
enum class Meanwhile { Nothing, FileDeleted, FolderDeleted, Locked, PickedAgain };

enum class Hang {
    Answers,
    Refuses,
    LeftForAnother,
    DriveList,
    StartFolder,
    SlowStart,
    SecondFolder,
    DropDownWhileRead,
    LateDrive,
    LinkAndLocal,
    DropsMidway
};

Message cannotPlay(const QString &path)
{
    return {QStringLiteral("The file \"%1\" cannot be played.").arg(path), applicationTitle()};
}

Message cannotRead(const QString &path)
{
    return {QStringLiteral("The folder \"%1\" cannot be read.").arg(path), applicationTitle()};
}

// Stands in for the desktop's browser for the next action: takes every page.
class PageCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> pages;
public Q_SLOTS:
    void open(const QUrl &url) { pages.append(url); }
};

} // namespace

Q_DECLARE_METATYPE(Meanwhile)
Q_DECLARE_METATYPE(Hang)

class TestFaults : public WatchedTest
{
    Q_OBJECT
    QByteArray tone;
    QString startFolder;
    std::optional<QByteArray> pulseServer, pulseAutospawn;
    QList<Message> messages; // every message box, as the user read it

    // Loads `path` from the open music panel's file list and plays it, as every player case
    // starts: what plays must go on.
    static void startPlaying(Window &w, const QString &path)
    {
        QVERIFY(clickEntry(w->File1, QFileInfo(path).fileName()));
        QVERIFY(w.engine);
        QTRY_COMPARE_WITH_TIMEOUT(w.engine->loadedPath(), path, 10000);
        QTest::mouseClick(w->Command9, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(w.engine->isPlaying(), 10000);
    }

private Q_SLOTS:
    void initTestCase()
    {
        startFolder = QDir::currentPath();
        // No audio server at all: the program must load and play on without one, and this test
        // never depends on the machine's.
        for (auto [name, saved] : {std::pair {"PULSE_SERVER", &pulseServer},
                                   std::pair {"PULSE_NO_AUTOSPAWN", &pulseAutospawn}})
            if (qEnvironmentVariableIsSet(name))
                *saved = qgetenv(name);
        qputenv("PULSE_SERVER", "unix:/nonexistent/tesmora-no-audio-server");
        qputenv("PULSE_NO_AUTOSPAWN", "1");
        QTemporaryDir work;
        QVERIFY2(makeTone(work.filePath("tone.mp3"), 30),
                 "sox and lame make the test's MP3 (scripts/packages.txt lists them)");
        QFile f(work.filePath("tone.mp3"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        tone = f.readAll();
    }
    void cleanupTestCase()
    {
        for (auto [name, saved] : {std::pair {"PULSE_SERVER", &pulseServer},
                                   std::pair {"PULSE_NO_AUTOSPAWN", &pulseAutospawn}})
            if (*saved)
                qputenv(name, **saved);
            else
                qunsetenv(name);
    }
    void init()
    {
        WatchedTest::init();
        // Every message box is read as the user reads it, then its OK button is pressed.
        messages.clear();
        dialogs().setAnswer([this](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            QAbstractButton *ok = box ? box->button(QMessageBox::Ok) : nullptr;
            if (!ok)
                return false;
            messages.append({box->text(), box->windowTitle()});
            QTest::mouseClick(ok, Qt::LeftButton);
            return true;
        });
    }
    void cleanup()
    {
        QDir::setCurrent(startFolder);
        WatchedTest::cleanup();
    }

    void files_data()
    {
        QTest::addColumn<QString>("file"); // in the music folder
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Meanwhile>("meanwhile");
        QByteArray noise(60000, '\0');
        for (qsizetype i = 0; i < noise.size(); ++i)
            noise[i] = char((i * 7919 + 13) % 251);
        QTest::newRow("corrupt") << "corrupt.mp3" << noise << Meanwhile::Nothing;
        QTest::newRow("zero bytes") << "empty.mp3" << QByteArray() << Meanwhile::Nothing;
        QTest::newRow("truncated") << "truncated.mp3" << tone.left(300) << Meanwhile::Nothing;
        QTest::newRow("text renamed")
            << "notes.mp3" << QByteArray("Shopping list:\nmilk\neggs\n") << Meanwhile::Nothing;
        QTest::newRow("deleted after it was listed")
            << "gone.mp3" << tone << Meanwhile::FileDeleted;
        QTest::newRow("its folder deleted while shown")
            << "sub/in sub.mp3" << tone << Meanwhile::FolderDeleted;
        QTest::newRow("unreadable") << "locked.mp3" << tone << Meanwhile::Locked;
        QTest::newRow("picked twice") << "bad.mp3" << noise << Meanwhile::PickedAgain;
    }
    void files()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        QFETCH(Meanwhile, meanwhile);
        if (meanwhile == Meanwhile::Locked && !runUnprivileged("files:unreadable"))
            return;
        QTemporaryDir tmp;
        const QString music = tmp.path(), path = music + u'/' + file;
        const QString folder = QFileInfo(path).path(), name = QFileInfo(path).fileName();
        makeFiles(music, {"good.mp3"}, tone);
        if (folder != music)
            QVERIFY(QDir().mkpath(folder));
        makeFiles(music, {file}, bytes);
        QVERIFY(QDir::setCurrent(music));
        Window w(Ports {.prompts = true, .media = true});
        QVERIFY(w.openTool(w->Command6));
        startPlaying(w, music + "/good.mp3");
        if (QTest::currentTestFailed())
            return;
        if (folder != music)
            QVERIFY(openFolder(w->Dir1, QFileInfo(folder).fileName()));
        QVERIFY(shown(w->File1).contains(name));

        if (meanwhile == Meanwhile::FileDeleted)
            QVERIFY(QFile::remove(path));
        else if (meanwhile == Meanwhile::FolderDeleted)
            QVERIFY(QDir(folder).removeRecursively());
        else if (meanwhile == Meanwhile::Locked)
            QVERIFY(QFile::setPermissions(path, {}));
        QVERIFY(clickEntry(w->File1, name));
        if (meanwhile == Meanwhile::PickedAgain) {
            // The second pick reads the file again and says so again.
            QTRY_COMPARE_WITH_TIMEOUT(messages.size(), 1, 10000);
            QVERIFY(clickEntry(w->File1, name));
        }
        // One message a pick, naming the file; what played before goes on.
        const QList<Message> told(meanwhile == Meanwhile::PickedAgain ? 2 : 1, cannotPlay(path));
        QTRY_COMPARE_WITH_TIMEOUT(messages, told, 10000);
        QCOMPARE(w.engine->loadedPath(), music + "/good.mp3");
        QVERIFY(w.engine->isPlaying());

        // Next: the good file loads again and plays. The engine answers in the order of the
        // loads, so once it has loaded, nothing more can be said of the bad one.
        if (folder != music)
            QVERIFY(openFolder(w->Dir1, QFileInfo(music).fileName()));
        QSignalSpy loaded(w.engine, &GstMediaEngine::loaded);
        QVERIFY(clickEntry(w->File1, "good.mp3"));
        QVERIFY(loaded.wait(10000));
        QCOMPARE(w.engine->loadedPath(), music + "/good.mp3");
        QCOMPARE(messages, told);
        QTest::mouseClick(w->Command9, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(w.engine->isPlaying(), 10000);
    }

    void slowShares_data()
    {
        QTest::addColumn<Hang>("hang");
        QTest::addColumn<int>("delay"); // ms that every call on the share takes
        QTest::newRow("answers late") << Hang::Answers << 0;
        QTest::newRow("refuses late") << Hang::Refuses << 0;
        QTest::newRow("left for another folder, then closed") << Hang::LeftForAnother << 0;
        QTest::newRow("not answering past the bound, then answers") << Hang::DriveList << 0;
        QTest::newRow("the start folder on it, shut") << Hang::StartFolder << 0;
        QTest::newRow("the start folder on it, 40 ms a call") << Hang::SlowStart << 40;
        QTest::newRow("the start folder on it, 150 ms a call") << Hang::SlowStart << 150;
        QTest::newRow("a second folder opened while the first is read")
            << Hang::SecondFolder << 150;
        QTest::newRow("the drive list dropped down while a folder is read")
            << Hang::DropDownWhileRead << 150;
        QTest::newRow("a drive that answers after the list's patience") << Hang::LateDrive << 150;
        QTest::newRow("a local folder and a link into it while it hangs")
            << Hang::LinkAndLocal << 0;
        QTest::newRow("a listing that fails part-way") << Hang::DropsMidway << 0;
    }
    void slowShares()
    {
        QFETCH(Hang, hang);
        QFETCH(int, delay);
        QTemporaryDir tmp;
        const QString music = tmp.path(), far = music + "/far";
        makeFiles(music, {"open/"});
        QVERIFY(QFile::link(far, music + "/link"));
        Share share;
        if (const QString why = share.mount(far); !why.isEmpty())
            QSKIP(qPrintable("no share can be mounted here: " + why));
        makeFiles(share.source,
                  {"far.mp3", "album1/", "album1/one.mp3", "album2/", "album2/two.mp3"});
        QStringList many {"far.mp3"};
        for (int i = 1; hang == Hang::DropsMidway && i <= 300; ++i)
            many.append(QStringLiteral("track %1.mp3").arg(i, 3, 10, QLatin1Char('0')));
        makeFiles(share.source, many);
        share.slow(delay);
        const bool startsThere = hang == Hang::StartFolder || hang == Hang::SlowStart;
        QVERIFY(QDir::setCurrent(startsThere ? far : music));
        Window w(Ports {.prompts = true});
        // The program's own patience with the share.
        setListPatience(*w.form, FolderReader::defaultPatience);
        Heartbeat heart;
        const auto report = qScopeGuard([&] { heart.report(QTest::currentDataTag()); });
        const auto beating = [&heart] {
            const qint64 beats = heart.beats();
            return QTest::qWaitFor([&] { return heart.beats() >= beats + 5; }, 10000);
        };
        const Message invalid {"Please use a valid drive", applicationTitle()};
        if (hang == Hang::StartFolder) // the lists alone ask the share
            w->Drive1->setVolumeSource([] { return QList<Volume> {{"/", "", true}}; });
        if (hang == Hang::DriveList || hang == Hang::StartFolder)
            share.shut();
        QVERIFY(w.openTool(w->Command6));
        if (hang == Hang::StartFolder) {
            // Both lists wait for the one read of the folder, and show it once it answers.
            QTRY_COMPARE_WITH_TIMEOUT(heldThreads().size(), 1, 10000);
            QCOMPARE(w->File1->viewport()->cursor().shape(), Qt::BusyCursor);
            QVERIFY(beating());
            share.open();
            QTRY_COMPARE_WITH_TIMEOUT(shown(w->File1), QStringList {"far.mp3"}, 10000);
            QTRY_COMPARE_WITH_TIMEOUT(w->Dir1->path(), far, 10000);
            QCOMPARE(messages, QList<Message>());
            return;
        }
        if (hang == Hang::SlowStart) {
            // The drive list's question and the lists' read take their turns on the busy share,
            // and both lists show the folder: not its parent, not nothing.
            QTRY_COMPARE_WITH_TIMEOUT(w->Dir1->path(), far, 20000);
            QVERIFY(shown(w->Dir1).contains("album2"));
            QTRY_COMPARE_WITH_TIMEOUT(shown(w->File1), QStringList {"far.mp3"}, 20000);
            QCOMPARE(w->Dir1->viewport()->cursor().shape(), Qt::ArrowCursor);
            QVERIFY(w->Drive1->isReady());
            QCOMPARE(messages, QList<Message>());
            return;
        }
        if (hang == Hang::LateDrive) {
            // Picked before it has answered, the drive is waited for, and then lists.
            QVERIFY(pickWithListKeys(w->Drive1, w->Drive1->findText(far)));
            QVERIFY(w->Dir1->isReading());
            QCOMPARE(w->Dir1->viewport()->cursor().shape(), Qt::BusyCursor);
            QTRY_COMPARE_WITH_TIMEOUT(w->Dir1->path(), far, 20000);
            QTRY_COMPARE_WITH_TIMEOUT(shown(w->File1), QStringList {"far.mp3"}, 20000);
            QVERIFY(w->Drive1->isReady());
            QCOMPARE(messages, QList<Message>());
            return;
        }
        const QStringList folders = shown(w->Dir1), files = shown(w->File1);
        if (hang == Hang::DriveList) {
            // Listed, not ready; asked again and again, it holds one thread, and the window
            // answers throughout.
            for (int ask = 0; ask < 3; ++ask) {
                QTest::keyClick(w->Drive1, Qt::Key_Down, Qt::AltModifier);
                QVERIFY(QTest::qWaitFor([&] { return listIsOpen(w->Drive1); }));
                QTest::keyClick(w->Drive1->view(), Qt::Key_Escape);
            }
            // Picked while it may still be slow, it is waited for.
            QVERIFY(pickWithListKeys(w->Drive1, w->Drive1->findText(far)));
            QVERIFY(w->Dir1->isReading());
            QTRY_COMPARE_WITH_TIMEOUT(heldThreads().size(), 1, 10000);
            const QStringList held = heldThreads();
            QVERIFY(beating());
            QCOMPARE(messages, QList<Message>());
            // Once it has not answered for longer than a share may take, it is not ready.
            QVERIFY(QTest::qWaitFor([&] { return !Calls::instance().isAnswering(far); },
                                    2 * int(Calls::notAnsweringAfter.count()) * 1000));
            QVERIFY(pickWithListKeys(w->Drive1, 0));
            QVERIFY(pickWithListKeys(w->Drive1, w->Drive1->findText(far)));
            QCOMPARE(messages, QList<Message> {invalid});
            QVERIFY(!w->Drive1->isReady());
            QCOMPARE(w->Dir1->path(), QStringLiteral("/"));
            QTRY_COMPARE_WITH_TIMEOUT(heldThreads(), held, 10000);
            // Once it answers, it is a drive like any other.
            share.open();
            QTRY_VERIFY_WITH_TIMEOUT(ended(held), 10000);
            QVERIFY(pickWithListKeys(w->Drive1, 0));
            QVERIFY(pickWithListKeys(w->Drive1, w->Drive1->findText(far)));
            QTRY_COMPARE_WITH_TIMEOUT(w->Dir1->path(), far, 10000);
            QVERIFY(w->Drive1->isReady());
            QTRY_COMPARE_WITH_TIMEOUT(shown(w->File1), QStringList {"far.mp3"}, 10000);
            QCOMPARE(messages.size(), 1);
            return;
        }
        if (hang == Hang::DropsMidway) {
            // The share drops in the middle of the listing: it is not shown as if whole.
            share.drop(true);
            QVERIFY(openFolder(w->Dir1, "far"));
            QTRY_COMPARE_WITH_TIMEOUT(messages, QList<Message> {cannotRead(far)}, 10000);
            QCOMPARE(w->Dir1->path(), music);
            QCOMPARE(shown(w->File1), files);
            share.drop(false);
            QVERIFY(openFolder(w->Dir1, "far"));
            QTRY_COMPARE_WITH_TIMEOUT(shown(w->File1).size(), many.size(), 10000);
            QCOMPARE(messages.size(), 1);
            return;
        }
        if (delay > 0) {
            QVERIFY(openFolder(w->Dir1, "far"));
            QVERIFY(w->Dir1->isReading());
            if (hang == Hang::DropDownWhileRead) {
                // The drive list's question waits its turn; the folder lists, and the drive is
                // usable afterwards.
                QTest::keyClick(w->Drive1, Qt::Key_Down, Qt::AltModifier);
                QVERIFY(QTest::qWaitFor([&] { return listIsOpen(w->Drive1); }));
                QTest::keyClick(w->Drive1->view(), Qt::Key_Escape);
                QTRY_COMPARE_WITH_TIMEOUT(w->Dir1->path(), far, 20000);
                QTRY_COMPARE_WITH_TIMEOUT(shown(w->File1), QStringList {"far.mp3"}, 20000);
                QVERIFY(pickWithListKeys(w->Drive1, 0));
                QVERIFY(pickWithListKeys(w->Drive1, w->Drive1->findText(far)));
                QTRY_VERIFY_WITH_TIMEOUT(!w->Dir1->isReading(), 20000);
                QCOMPARE(w->Dir1->path(), far);
                QVERIFY(w->Drive1->isReady());
            } else {
                // The next folder, opened before the first has listed, waits its turn and lists.
                QTRY_COMPARE_WITH_TIMEOUT(w->Dir1->path(), far, 20000);
                QVERIFY(openFolder(w->Dir1, "album1"));
                QVERIFY(w->Dir1->isReading());
                QVERIFY(openFolder(w->Dir1, "album2"));
                QTRY_COMPARE_WITH_TIMEOUT(w->Dir1->path(), far + "/album2", 20000);
                QTRY_COMPARE_WITH_TIMEOUT(shown(w->File1), QStringList {"two.mp3"}, 20000);
            }
            QCOMPARE(messages, QList<Message>());
            return;
        }

        share.shut();
        QVERIFY(openFolder(w->Dir1, hang == Hang::LinkAndLocal ? "link" : "far"));
        // The lists show what they showed, and the window answers, while the share thinks.
        QVERIFY(w->Dir1->isReading());
        QCOMPARE(w->Dir1->viewport()->cursor().shape(), Qt::BusyCursor);
        QVERIFY(beating());
        QVERIFY(w->Dir1->isReading());
        QCOMPARE(w->Dir1->path(), music);
        QCOMPARE(shown(w->Dir1), folders);
        QCOMPARE(shown(w->File1), files);

        switch (hang) {
        case Hang::Answers:
            share.open();
            QTRY_COMPARE_WITH_TIMEOUT(w->Dir1->path(), far, 10000);
            QCOMPARE(w->Dir1->viewport()->cursor().shape(), Qt::ArrowCursor);
            // The file list then reads the same share.
            QTRY_COMPARE_WITH_TIMEOUT(shown(w->File1), QStringList {"far.mp3"}, 10000);
            QCOMPARE(w->File1->path(), far);
            QCOMPARE(messages, QList<Message>());
            break;
        case Hang::Refuses:
            share.refuse();
            share.open();
            QTRY_COMPARE_WITH_TIMEOUT(messages, QList<Message> {cannotRead(far)}, 10000);
            QVERIFY(!w->Dir1->isReading());
            QCOMPARE(w->Dir1->viewport()->cursor().shape(), Qt::ArrowCursor);
            QCOMPARE(w->Dir1->path(), music);
            QCOMPARE(shown(w->Dir1), folders);
            QCOMPARE(shown(w->File1), files);
            // Next: a folder that answers opens.
            QVERIFY(openFolder(w->Dir1, "open"));
            QCOMPARE(w->Dir1->path(), music + "/open");
            QCOMPARE(messages.size(), 1);
            break;
        case Hang::LinkAndLocal: {
            // The read through the link waits on the share it leads into, not on the one that
            // holds the link: folders beside it open at once, their parent too, link and all.
            QTRY_COMPARE_WITH_TIMEOUT(heldThreads().size(), 1, 10000);
            const QStringList held = heldThreads();
            QVERIFY(openFolder(w->Dir1, "open"));
            QTRY_COMPARE_WITH_TIMEOUT(w->Dir1->path(), music + "/open", 2000);
            QVERIFY(openFolder(w->Dir1, QFileInfo(music).fileName()));
            QTRY_COMPARE_WITH_TIMEOUT(w->Dir1->path(), music, 2000);
            QCOMPARE(shown(w->Dir1), folders);
            QCOMPARE(w->Dir1->viewport()->cursor().shape(), Qt::ArrowCursor);
            QTRY_COMPARE_WITH_TIMEOUT(heldThreads(), held, 10000);
            // Asked again once it answers, the link leads into it.
            share.open();
            QTRY_VERIFY_WITH_TIMEOUT(ended(held), 10000);
            QVERIFY(openFolder(w->Dir1, "link"));
            QTRY_COMPARE_WITH_TIMEOUT(shown(w->File1), QStringList {"far.mp3"}, 10000);
            // A song linked from there is asked of that share, and listed as the file it is.
            QVERIFY(QFile::link(far + "/far.mp3", music + "/song.mp3"));
            QVERIFY(openFolder(w->Dir1, QFileInfo(music).fileName()));
            QTRY_COMPARE_WITH_TIMEOUT(shown(w->File1), QStringList {"song.mp3"}, 10000);
            QCOMPARE(messages, QList<Message>());
            break;
        }
        case Hang::LeftForAnother: {
            // The share picked from the drive list while its folder is read is waited for in
            // the same read: no second thread, no message.
            QTRY_COMPARE_WITH_TIMEOUT(heldThreads().size(), 1, 10000);
            const QStringList held = heldThreads();
            QVERIFY(pickWithListKeys(w->Drive1, w->Drive1->findText(far)));
            QVERIFY(w->Dir1->isReading());
            QCOMPARE(messages, QList<Message>());
            QTRY_COMPARE_WITH_TIMEOUT(heldThreads(), held, 10000);
            // Another share answers at once, and the pointer is no longer busy.
            QVERIFY(openFolder(w->Dir1, "open"));
            QCOMPARE(w->Dir1->path(), music + "/open");
            QCOMPARE(w->Dir1->viewport()->cursor().shape(), Qt::ArrowCursor);
            QCOMPARE(w->File1->path(), music + "/open");
            // The slow answer comes, and counts for nothing.
            share.open();
            QTRY_VERIFY_WITH_TIMEOUT(ended(held), 10000);
            QCoreApplication::processEvents();
            QVERIFY(!w->Dir1->isReading());
            QCOMPARE(w->Dir1->path(), music + "/open");
            // A window closed while the share hangs closes at once; the answer finds nobody.
            share.shut();
            QVERIFY(openFolder(w->Dir1, QFileInfo(music).fileName()));
            QVERIFY(openFolder(w->Dir1, "far"));
            QVERIFY(w->Dir1->isReading());
            const QStringList stillHeld = heldThreads();
            QElapsedTimer closing;
            closing.start();
            w.form.reset();
            QVERIFY2(closing.elapsed() < 2000, qPrintable(QString::number(closing.elapsed())));
            share.open();
            QTRY_VERIFY_WITH_TIMEOUT(ended(stillHeld), 10000);
            QCoreApplication::processEvents();
            QCOMPARE(messages, QList<Message>());
            break;
        }
        default:
            break;
        }
    }

    void oddNames_data()
    {
        QTest::addColumn<QByteArray>("name"); // as the file system holds it
        QTest::addColumn<bool>("shown"); // else left out of the list
        QTest::newRow("blanks") << QByteArray("   .mp3") << true;
        QTest::newRow("#") << QByteArray("#1 hit.mp3") << true;
        QTest::newRow("?") << QByteArray("why?.mp3") << true;
        QTest::newRow("%") << QByteArray("100%25 %.mp3") << true;
        QTest::newRow("a newline") << QByteArray("two\nlines.mp3") << true;
        // Qt cannot name such a file again, so it leaves it out of every listing.
        QTest::newRow("invalid UTF-8") << QByteArray("bad\xff name.mp3") << false;
    }
    void oddNames()
    {
        QFETCH(QByteArray, name);
        QFETCH(bool, shown);
        QTemporaryDir tmp;
        makeFiles(tmp.path(), {"good.mp3"}, tone);
        const QByteArray encoded = QFile::encodeName(tmp.path()) + '/' + name;
        const int fd = ::open(encoded.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        QVERIFY(fd >= 0);
        const auto remove = qScopeGuard([&] { ::unlink(encoded.constData()); });
        const auto written = ::write(fd, tone.constData(), size_t(tone.size()));
        ::close(fd);
        QCOMPARE(written, ssize_t(tone.size()));
        QVERIFY(QDir::setCurrent(tmp.path()));
        Window w(Ports {.prompts = true, .media = true});
        QVERIFY(w.openTool(w->Command6));
        QStringList names = ::shown(w->File1);
        QVERIFY(names.removeOne("good.mp3"));
        QCOMPARE(names.size(), shown ? 1 : 0);
        // It loads and plays under the name the list shows; the rest of the folder too.
        startPlaying(w, tmp.path() + u'/' + (shown ? names.first() : QStringLiteral("good.mp3")));
        QCOMPARE(messages, QList<Message>());
    }

    void noAudioServer()
    {
        QTemporaryDir tmp;
        makeFiles(tmp.path(), {"good.mp3"}, tone);
        QVERIFY(QDir::setCurrent(tmp.path()));
        Window w(Ports {.prompts = true, .media = true});
        QVERIFY(w.openTool(w->Command6));
        startPlaying(w, tmp.path() + "/good.mp3");
        if (QTest::currentTestFailed())
            return;
        // It also stops and plays again.
        QTest::mouseClick(w->Command10, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!w.engine->isPlaying(), 10000);
        QTest::mouseClick(w->Command9, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(w.engine->isPlaying(), 10000);
        QCOMPARE(messages, QList<Message>());
    }

    void soundServerGoes()
    {
        SoundServer server;
        if (const QString why = server.start(); !why.isEmpty())
            QSKIP(qPrintable(QStringLiteral("PulseAudio cannot start here: ") + why));
        const QByteArray none = qgetenv("PULSE_SERVER");
        qputenv("PULSE_SERVER", server.server().toLocal8Bit());
        const auto noServer = qScopeGuard([&] { qputenv("PULSE_SERVER", none); });
        QTemporaryDir tmp;
        makeFiles(tmp.path(), {"good.mp3"}, tone);
        QVERIFY(QDir::setCurrent(tmp.path()));
        Window w(Ports {.prompts = true, .media = true});
        QVERIFY(w.openTool(w->Command6));
        {
            Recorder recorder(server);
            QVERIFY(recorder.started());
            startPlaying(w, tmp.path() + "/good.mp3");
            QVERIFY2(recorder.settle([](const auto &l) { return l.typical > 0.05; }),
                     "no sound before the server went");
        }
        // The server dies mid-song: the user is told, once.
        server.stop();
        QTRY_COMPARE_WITH_TIMEOUT(messages, QList<Message> {cannotPlay(tmp.path() + "/good.mp3")},
                                  10000);
        // Play while it is away plays to no device; once it is back, Stop and Play play again.
        QTest::mouseClick(w->Command9, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(w.engine->isPlaying(), 10000);
        QCOMPARE(server.start(), QString());
        Recorder recorder(server);
        QVERIFY(recorder.started());
        QTest::mouseClick(w->Command10, Qt::LeftButton);
        QTest::mouseClick(w->Command9, Qt::LeftButton);
        QVERIFY2(recorder.settle([](const auto &l) { return l.typical > 0.05; }),
                 "no sound after the server came back");
        QCOMPARE(messages.size(), 1);
    }

    void playingFileCut()
    {
        QTemporaryDir tmp;
        makeFiles(tmp.path(), {"good.mp3", "next.mp3"}, tone);
        QVERIFY(QDir::setCurrent(tmp.path()));
        Window w(Ports {.prompts = true, .media = true});
        QVERIFY(w.openTool(w->Command6));
        const QString path = tmp.path() + "/good.mp3";
        startPlaying(w, path);
        // Cut short and removed while it plays: the decoder takes it for an early end.
        QVERIFY(QFile::resize(path, 0));
        QVERIFY(QFile::remove(path));
        QTRY_VERIFY_WITH_TIMEOUT(!w.engine->isPlaying(), 20000);
        // Play does not do nothing: it says the file cannot be played, once.
        QTest::mouseClick(w->Command9, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(messages, QList<Message> {cannotPlay(path)}, 10000);
        QVERIFY(!w.engine->isPlaying());
        // The next file picked plays.
        startPlaying(w, tmp.path() + "/next.mp3");
        QCOMPARE(messages.size(), 1);
    }

    void noBrowser()
    {
        Window w(Ports {.prompts = true, .browser = true});
        QVERIFY(w.openTool(w->Command20));
        QTest::mouseClick(w->Label5, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(
            messages, (QList<Message> {{cannotOpenText(websiteUrl()), applicationTitle()}}), 10000);
        // Next: with a browser registered the page opens, and nothing more is said.
        PageCatcher browser;
        QDesktopServices::setUrlHandler(websiteUrl().scheme(), &browser, "open");
        const auto unregister
            = qScopeGuard([] { QDesktopServices::unsetUrlHandler(websiteUrl().scheme()); });
        QTest::mouseClick(w->Label5, Qt::LeftButton);
        QCOMPARE(browser.pages, QList<QUrl> {websiteUrl()});
        QCOMPARE(messages.size(), 1);
    }

    void noClipboardOwner()
    {
        QClipboard *clip = QGuiApplication::clipboard();
        clip->clear();
        QCOMPARE(clip->text(), QString());
        Window w(Ports {.clipboard = true});
        QVERIFY(w.openTool(w->Command7));
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
    }

    void locale_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *locale : {"C", "en_US", "de_DE", "sv_SE", "ar_EG"})
            QTest::newRow(locale) << QString::fromLatin1(locale);
    }
    void locale()
    {
        QFETCH(QString, name);
        const QLocale locale(name);
        const DefaultLocale pinned(locale);
        Window w(Ports {.show = true});
        w.now = QDateTime(QDate(2026, 12, 7), QTime(21, 4, 22));
        // The clock: the time with its seconds, and the date.
        w->clockTick->Timer1_Timer();
        QCOMPARE(readTime(w->Label1->text(), locale), w.now.time());
        QVERIFY2(w->Label1->text().contains(locale.toString(22)), qPrintable(w->Label1->text()));
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
        QVERIFY(w.openTool(w->Command7));
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
        QVERIFY(w.openTool(w->Command3));
        auto *days = w->MonthView1->findChild<QTableView *>();
        QVERIFY(days);
        const QModelIndex cell = days->model()->index(3, 3);
        QTest::mouseClick(days->viewport(), Qt::LeftButton, {}, days->visualRect(cell).center());
        const QDate picked = w->MonthView1->selectedDate();
        QVERIFY(picked.isValid());
        QCOMPARE(readDate(w->MonthView1->toolTip(), locale, picked), picked);
    }
};

TESMORA_TEST(TestFaults)
#include "tst_faults.moc"
