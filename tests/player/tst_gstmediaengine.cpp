// The GStreamer engine on its own with real files: loading without starting, play and stop at
// any moment, a newer load over an older one, a failure reported once and never from inside
// load(), and a sound server that never answers. The kinds of files that fail, and what the user
// is told of them, are the fault matrix's (tests/faults).

#include "player/gstmediaengine.h"
#include "tests/player/playerfiles.h"
#include "tests/support/testmain.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace tesmora;
using namespace tesmora::testing;

class TestGstMediaEngine : public QObject
{
    Q_OBJECT
    QTemporaryDir tmp;
    QByteArray toneBytes;

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
        QVERIFY(!engine.isPlaying());
        QCOMPARE(engine.loadedPath(), QString());
        QVERIFY(qAbs(engine.gain() - 0.501187) < 1e-5);
    }

    void loadsWithoutStarting()
    {
        GstMediaEngine engine;
        QSignalSpy loaded(&engine, &GstMediaEngine::loaded);
        QSignalSpy failed(&engine, &GstMediaEngine::failed);
        engine.load(tmp.filePath("good.mp3"));
        QVERIFY(loaded.wait(10000));
        QCOMPARE(loaded.takeFirst(), QVariantList {tmp.filePath("good.mp3")});
        QCOMPARE(engine.loadedPath(), tmp.filePath("good.mp3"));
        QVERIFY(!engine.isPlaying());
        engine.play();
        QTRY_VERIFY_WITH_TIMEOUT(engine.isPlaying(), 5000);
        engine.stop();
        QTRY_VERIFY_WITH_TIMEOUT(!engine.isPlaying(), 5000);
        QCOMPARE(failed.size(), 0);
    }

    void sameFileAgainAfterAFailure()
    {
        makeFiles(tmp.path(), {"later.mp3"});
        const auto removeAfter = qScopeGuard([&] { QFile::remove(tmp.filePath("later.mp3")); });
        GstMediaEngine engine;
        QSignalSpy loaded(&engine, &GstMediaEngine::loaded);
        QSignalSpy failed(&engine, &GstMediaEngine::failed);
        engine.load(tmp.filePath("later.mp3"));
        QVERIFY(failed.wait(10000));
        QCOMPARE(failed.takeFirst(), QVariantList {tmp.filePath("later.mp3")});
        // Now the file is whole: loading it again reads it again.
        makeFiles(tmp.path(), {"later.mp3"}, toneBytes);
        engine.load(tmp.filePath("later.mp3"));
        QVERIFY(loaded.wait(10000));
        QCOMPARE(engine.loadedPath(), tmp.filePath("later.mp3"));
        QCOMPARE(failed.size(), 0);
    }

    void loadingAnotherFileStopsTheOneThatPlays()
    {
        QVERIFY(QFile::copy(tmp.filePath("good.mp3"), tmp.filePath("second.mp3")));
        const auto removeAfter = qScopeGuard([&] { QFile::remove(tmp.filePath("second.mp3")); });
        GstMediaEngine engine;
        QSignalSpy loaded(&engine, &GstMediaEngine::loaded);
        QSignalSpy failed(&engine, &GstMediaEngine::failed);
        engine.load(tmp.filePath("good.mp3"));
        QVERIFY(loaded.wait(10000));
        engine.play();
        QTRY_VERIFY_WITH_TIMEOUT(engine.isPlaying(), 5000);
        engine.load(tmp.filePath("second.mp3"));
        QVERIFY(loaded.wait(10000));
        QCOMPARE(engine.loadedPath(), tmp.filePath("second.mp3"));
        QVERIFY(!engine.isPlaying());
        QCOMPARE(failed.size(), 0);
    }

    void playsAgainAfterTheEnd()
    {
        QVERIFY(makeTone(tmp.filePath("short.mp3"), 0.5));
        GstMediaEngine engine;
        engine.load(tmp.filePath("short.mp3"));
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
        QVERIFY(QFile::copy(tmp.filePath("good.mp3"), tmp.filePath("newer.mp3")));
        const auto removeAfter = qScopeGuard([&] { QFile::remove(tmp.filePath("newer.mp3")); });
        GstMediaEngine engine;
        engine.load(tmp.filePath("good.mp3"));
        engine.play();
        QTRY_VERIFY_WITH_TIMEOUT(engine.isPlaying(), 10000);
        QCOMPARE(engine.loadedPath(), tmp.filePath("good.mp3"));
        // Play again while a newer pick loads: the newer one plays once loaded.
        engine.load(tmp.filePath("newer.mp3"));
        engine.play();
        QTRY_VERIFY_WITH_TIMEOUT(
            engine.loadedPath() == tmp.filePath("newer.mp3") && engine.isPlaying(), 10000);
    }

    void newerLoadSupersedesAPendingOne()
    {
        GstMediaEngine engine;
        QSignalSpy loaded(&engine, &GstMediaEngine::loaded);
        QSignalSpy failed(&engine, &GstMediaEngine::failed);
        engine.load(tmp.filePath("does-not-exist.mp3"));
        engine.load(tmp.filePath("good.mp3"));
        QVERIFY(loaded.wait(10000));
        QCOMPARE(engine.loadedPath(), tmp.filePath("good.mp3"));
        // Answers come in the order of the loads: nothing can still come for the older one.
        QCOMPARE(failed.size(), 0);
    }

    void failureIsNeverReportedFromInsideLoad()
    {
        GstMediaEngine engine;
        QSignalSpy loaded(&engine, &GstMediaEngine::loaded);
        QSignalSpy failed(&engine, &GstMediaEngine::failed);
        engine.load(tmp.filePath("does-not-exist.mp3"));
        QCOMPARE(failed.size(), 0);
        QVERIFY(failed.wait(10000));
        QCOMPARE(engine.loadedPath(), QString());
        // Reported once: once the next load has answered, nothing more can come for this one.
        engine.load(tmp.filePath("good.mp3"));
        QVERIFY(loaded.wait(10000));
        QCOMPARE(failed.size(), 1);
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
        QSignalSpy failed(engine.get(), &GstMediaEngine::failed);
        engine->load(tmp.filePath("good.mp3"));
        // The engine knocks at the server and waits for it, while the event loop goes on.
        const auto knocked = [&] {
            pollfd waiting {listener, POLLIN, 0};
            return ::poll(&waiting, 1, 0) == 1;
        };
        QTRY_VERIFY_WITH_TIMEOUT(knocked(), 10000);
        // Play and the volume, asked meanwhile, come back at once: the engine still waits.
        engine->play();
        engine->setVolume(-300);
        QCOMPARE(engine->loadedPath(), QString());

        if (closeWhileWaiting) {
            // Closing does not wait on the server for ever: it lets go of the waiting worker
            // and says so. (Waiting with it, this test would never get past this line.)
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression("sound server did not answer.*closing"));
            engine.reset();
            QCOMPARE(failed.size(), 0);
            return;
        }
        // The server goes away: the file loads on whatever output is left.
        ::close(listener);
        listener = -1;
        QTRY_COMPARE_WITH_TIMEOUT(engine->loadedPath(), tmp.filePath("good.mp3"), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(engine->isPlaying(), 10000);
        QCOMPARE(failed.size(), 0);
    }
};

TESMORA_TEST(TestGstMediaEngine)
#include "tst_gstmediaengine.moc"
