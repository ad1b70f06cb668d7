// The GStreamer engine with real files: what loads, what fails, and that each failed load
// gets one message naming the file while the file loaded before goes on.

#include "player/gstmediaengine.h"
#include "tests/player/playerfixture.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace tesmora;
using namespace tesmora::testing;

namespace {

QString cannotPlay(const QString &path)
{
    return QStringLiteral("The file \"%1\" cannot be played.").arg(path);
}

// The panel with the real engine; keeps a pointer to it for the test to look inside.
struct RealPanel
{
    GstMediaEngine *engine = nullptr;
    PlayerPanel panel {[this]() -> std::unique_ptr<MediaEngine> {
        auto made = std::make_unique<GstMediaEngine>();
        engine = made.get();
        return made;
    }};
};

} // namespace

class TestGstMediaEngine : public QObject
{
    Q_OBJECT
    QTemporaryDir tmp;
    QByteArray toneBytes;

    void writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile f(tmp.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(tmp.isValid());
        QVERIFY2(makeTone(tmp.filePath("good.mp3"), 20),
                 "sox and lame make the test's MP3 (scripts/packages.txt lists them)");
        QFile f(tmp.filePath("good.mp3"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        toneBytes = f.readAll();
        QVERIFY(toneBytes.size() > 10000);
    }

    void nothingLoaded()
    {
        GstMediaEngine engine;
        engine.play();
        engine.stop();
        engine.setVolume(-600);
        // Nothing was handed to the worker, and nothing can report later.
        QVERIFY(engine.isSettled());
        QVERIFY(!engine.isPlaying());
        QVERIFY(!engine.isLoading());
        QCOMPARE(engine.loadedPath(), QString());
        QVERIFY(qAbs(engine.gain() - 0.501187) < 1e-5);
    }

    void loadsWithoutStarting()
    {
        RealPanel real;
        PlayerPanel &p = real.panel;
        QVERIFY(p.Dir1->setPath(tmp.path()));
        PlayerPanel::click(p.File1, "good.mp3");
        QVERIFY(real.engine);
        QTRY_COMPARE_WITH_TIMEOUT(real.engine->loadedPath(), tmp.filePath("good.mp3"), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(real.engine->isSettled(), 10000);
        QVERIFY(!real.engine->isPlaying());
        QTest::mouseClick(p.Command9, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(real.engine->isPlaying(), 5000);
        QTest::mouseClick(p.Command10, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!real.engine->isPlaying(), 5000);
        QCOMPARE(p.prompts.messages.size(), 0);
    }

    void unloadable_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("vanish"); // deleted after the list showed it
        QTest::addColumn<bool>("playingBefore");
        QByteArray noise(60000, '\0');
        QRandomGenerator rng(20260512);
        for (char &c : noise)
            c = char(rng.bounded(256));
        QTest::newRow("corrupt") << "corrupt.mp3" << noise << false << false;
        QTest::newRow("zero bytes") << "empty.mp3" << QByteArray() << false << false;
        QTest::newRow("text renamed")
            << "notes.mp3" << QByteArray("Shopping list:\nmilk\neggs\n") << false << false;
        QTest::newRow("vanished") << "gone.mp3" << QByteArray("x") << true << false;
        QTest::newRow("corrupt while another plays") << "corrupt2.mp3" << noise << false << true;
    }
    void unloadable()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, vanish);
        QFETCH(bool, playingBefore);
        writeFile(name, bytes);
        const auto removeAfter = qScopeGuard([&] { QFile::remove(tmp.filePath(name)); });
        RealPanel real;
        PlayerPanel &p = real.panel;
        QVERIFY(p.Dir1->setPath(tmp.path()));
        if (playingBefore) {
            PlayerPanel::click(p.File1, "good.mp3");
            QTRY_COMPARE_WITH_TIMEOUT(real.engine->loadedPath(), tmp.filePath("good.mp3"), 10000);
            QTest::mouseClick(p.Command9, Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(real.engine->isPlaying(), 5000);
        }
        if (vanish)
            QVERIFY(QFile::remove(tmp.filePath(name)));
        const QStringList files = PlayerPanel::texts(p.File1);

        PlayerPanel::click(p.File1, name);
        QTRY_COMPARE_WITH_TIMEOUT(p.prompts.messages.size(), 1, 10000);
        QCOMPARE(p.prompts.messages.first(),
                 (Message {cannotPlay(tmp.filePath(name)), applicationTitle()}));
        // The backend reports some failures more than once: still one message once all has been
        // said.
        QTRY_VERIFY_WITH_TIMEOUT(real.engine->isSettled(), 10000);
        QCOMPARE(p.prompts.messages.size(), 1);
        QCOMPARE(PlayerPanel::texts(p.File1), files);
        QVERIFY(!real.engine->isLoading());
        QCOMPARE(real.engine->loadedPath(), playingBefore ? tmp.filePath("good.mp3") : QString());
        QCOMPARE(real.engine->isPlaying(), playingBefore);
        // Play now starts nothing that failed.
        QTest::mouseClick(p.Command9, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(real.engine->isSettled(), 10000);
        QCOMPARE(real.engine->isPlaying(), playingBefore);

        // The program goes on: a good file loads and plays.
        PlayerPanel::click(p.File1, "good.mp3");
        QTRY_COMPARE_WITH_TIMEOUT(real.engine->loadedPath(), tmp.filePath("good.mp3"), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!real.engine->isLoading(), 10000);
        QTest::mouseClick(p.Command9, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(real.engine->isPlaying(), 5000);
        QCOMPARE(p.prompts.messages.size(), 1);
    }

    void sameFileAgainAfterAFailure()
    {
        writeFile("later.mp3", QByteArray());
        const auto removeAfter = qScopeGuard([&] { QFile::remove(tmp.filePath("later.mp3")); });
        RealPanel real;
        PlayerPanel &p = real.panel;
        QVERIFY(p.Dir1->setPath(tmp.path()));
        PlayerPanel::click(p.File1, "later.mp3");
        QTRY_COMPARE_WITH_TIMEOUT(p.prompts.messages.size(), 1, 10000);
        // Now the file is whole: picking it again reads it again.
        writeFile("later.mp3", toneBytes);
        PlayerPanel::click(p.File1, "later.mp3");
        QTRY_COMPARE_WITH_TIMEOUT(real.engine->loadedPath(), tmp.filePath("later.mp3"), 10000);
        QCOMPARE(p.prompts.messages.size(), 1);
    }

    void loadingAnotherFileStopsTheOneThatPlays()
    {
        QVERIFY(QFile::copy(tmp.filePath("good.mp3"), tmp.filePath("second.mp3")));
        const auto removeAfter = qScopeGuard([&] { QFile::remove(tmp.filePath("second.mp3")); });
        GstMediaEngine engine;
        int failures = 0;
        engine.load(tmp.filePath("good.mp3"), [&] { ++failures; });
        QTRY_COMPARE_WITH_TIMEOUT(engine.loadedPath(), tmp.filePath("good.mp3"), 10000);
        engine.play();
        QTRY_VERIFY_WITH_TIMEOUT(engine.isPlaying(), 5000);
        engine.load(tmp.filePath("second.mp3"), [&] { ++failures; });
        QTRY_COMPARE_WITH_TIMEOUT(engine.loadedPath(), tmp.filePath("second.mp3"), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(engine.isSettled(), 10000);
        QVERIFY(!engine.isPlaying());
        QCOMPARE(failures, 0);
    }

    void playsAgainAfterTheEnd()
    {
        QVERIFY(makeTone(tmp.filePath("short.mp3"), 0.5));
        GstMediaEngine engine;
        engine.load(tmp.filePath("short.mp3"), [] {});
        QTRY_COMPARE_WITH_TIMEOUT(engine.loadedPath(), tmp.filePath("short.mp3"), 10000);
        engine.play();
        QTRY_VERIFY_WITH_TIMEOUT(engine.isPlaying(), 5000);
        // At its end it stops by itself, and play starts it over.
        QTRY_VERIFY_WITH_TIMEOUT(!engine.isPlaying(), 10000);
        engine.play();
        QTRY_VERIFY_WITH_TIMEOUT(engine.isPlaying(), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(!engine.isPlaying(), 10000);
    }

    void playWhileLoadingStartsOnceLoaded()
    {
        GstMediaEngine engine;
        engine.load(tmp.filePath("good.mp3"), [] {});
        QVERIFY(engine.isLoading());
        engine.play();
        QTRY_VERIFY_WITH_TIMEOUT(engine.isPlaying(), 10000);
        QCOMPARE(engine.loadedPath(), tmp.filePath("good.mp3"));
        // Stop while loading cancels the wish to play.
        engine.load(tmp.filePath("good.mp3"), [] {});
        engine.play();
        engine.stop();
        QTRY_VERIFY_WITH_TIMEOUT(!engine.isLoading(), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(engine.isSettled(), 10000);
        QVERIFY(!engine.isPlaying());
    }

    void newerLoadSupersedesAPendingOne()
    {
        GstMediaEngine engine;
        int failures = 0;
        engine.load(tmp.filePath("does-not-exist.mp3"), [&] { ++failures; });
        engine.load(tmp.filePath("good.mp3"), [&] { ++failures; });
        QTRY_COMPARE_WITH_TIMEOUT(engine.loadedPath(), tmp.filePath("good.mp3"), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(engine.isSettled(), 10000);
        QCOMPARE(failures, 0);
    }

    void failureIsNeverReportedFromInsideLoad()
    {
        GstMediaEngine engine;
        int failures = 0;
        engine.load(tmp.filePath("does-not-exist.mp3"), [&] { ++failures; });
        QCOMPARE(failures, 0);
        QTRY_COMPARE_WITH_TIMEOUT(failures, 1, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(engine.isSettled(), 10000);
        QCOMPARE(failures, 1);
    }

    void aSoundServerThatNeverAnswers_data()
    {
        QTest::addColumn<bool>("closeWhileWaiting");
        QTest::newRow("the server goes away") << false;
        QTest::newRow("the program closes") << true;
    }
    void aSoundServerThatNeverAnswers()
    {
        QFETCH(bool, closeWhileWaiting);
        // A sound server that lets clients connect and never says a word.
        QTemporaryDir dir;
        const QByteArray socketPath = QFile::encodeName(dir.filePath(QStringLiteral("native")));
        int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QVERIFY(listener >= 0);
        const auto closeListener = qScopeGuard([&] {
            if (listener >= 0)
                ::close(listener);
        });
        sockaddr_un address {};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, socketPath.constData(), sizeof address.sun_path);
        QVERIFY(::bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0);
        QVERIFY(::listen(listener, 4) == 0);
        const QByteArray saved = qgetenv("PULSE_SERVER");
        const bool wasSet = qEnvironmentVariableIsSet("PULSE_SERVER");
        const auto restore = qScopeGuard([&] {
            if (wasSet)
                qputenv("PULSE_SERVER", saved);
            else
                qunsetenv("PULSE_SERVER");
        });
        qputenv("PULSE_SERVER", "unix:" + socketPath);

        auto engine = std::make_unique<GstMediaEngine>();
        int failures = 0;
        engine->load(tmp.filePath("good.mp3"), [&] { ++failures; });
        // The engine knocks at the server and waits for it, while the event loop goes on.
        const auto knocked = [&] {
            pollfd waiting {listener, POLLIN, 0};
            return ::poll(&waiting, 1, 0) == 1;
        };
        QTRY_VERIFY_WITH_TIMEOUT(knocked(), 10000);
        QVERIFY(engine->isLoading());
        QVERIFY(!engine->isSettled());

        if (closeWhileWaiting) {
            // Closing does not wait on the server for ever: it lets go of the waiting worker
            // and says so. (Waiting with it, this test would never get past this line.)
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression("sound server did not answer.*closing"));
            engine.reset();
            QCOMPARE(failures, 0);
            return;
        }
        // The server goes away: the file loads on whatever output is left.
        ::close(listener);
        listener = -1;
        QTRY_COMPARE_WITH_TIMEOUT(engine->loadedPath(), tmp.filePath("good.mp3"), 20000);
        QCOMPARE(failures, 0);
    }

    void unreadableFile()
    {
        if (!runUnprivileged("unreadableFile"))
            return;
        writeFile("locked.mp3", toneBytes);
        QVERIFY(QFile::setPermissions(tmp.filePath("locked.mp3"), {}));
        RealPanel real;
        PlayerPanel &p = real.panel;
        QVERIFY(p.Dir1->setPath(tmp.path()));
        PlayerPanel::click(p.File1, "locked.mp3");
        QTRY_COMPARE_WITH_TIMEOUT(p.prompts.messages.size(), 1, 10000);
        QCOMPARE(p.prompts.messages.first().text, cannotPlay(tmp.filePath("locked.mp3")));
        QTRY_VERIFY_WITH_TIMEOUT(real.engine->isSettled(), 10000);
        QCOMPARE(p.prompts.messages.size(), 1);
        QCOMPARE(real.engine->loadedPath(), QString());
    }
};

QTEST_MAIN(TestGstMediaEngine)
#include "tst_gstmediaengine.moc"
