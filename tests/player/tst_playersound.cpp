// Real sound: the window with the GStreamer engine plays a steady tone into a PulseAudio null
// sink started by the test, and the sink's monitor is recorded to measure what came out.

#include "player/filelist.h"
#include "player/gstmediaengine.h"
#include "tests/player/playerfiles.h"
#include "tests/player/soundserver.h"
#include "tests/support/listgestures.h"
#include "tests/support/testmain.h"
#include "tests/support/watchdog.h"
#include "tests/support/window.h"

#include <QSlider>
#include <QTemporaryDir>
#include <cmath>

using namespace tesmora;
using namespace tesmora::testing;

class TestPlayerSound : public WatchedTest
{
    Q_OBJECT
    SoundServer server;
    QTemporaryDir tmp;
    QString startFolder;
    std::optional<QByteArray> serverBefore;

private Q_SLOTS:
    void initTestCase()
    {
        startFolder = QDir::currentPath();
        if (qEnvironmentVariableIsSet("PULSE_SERVER"))
            serverBefore = qgetenv("PULSE_SERVER");
        const QString why = server.start();
        if (!why.isEmpty())
            QSKIP(qPrintable(QLatin1String("PulseAudio cannot start here, so no sound can be "
                                           "recorded: ")
                             + why));
        // Before anything of GStreamer connects to a sound server.
        qputenv("PULSE_SERVER", server.server().toLocal8Bit());
        QVERIFY(tmp.isValid());
        QVERIFY2(makeTone(tmp.filePath("tone.mp3"), 30, 440, 0.5),
                 "sox and lame make the test's MP3 (scripts/packages.txt lists them)");
    }
    void cleanupTestCase()
    {
        QDir::setCurrent(startFolder);
        if (serverBefore)
            qputenv("PULSE_SERVER", *serverBefore);
        else
            qunsetenv("PULSE_SERVER");
        server.stop();
    }

    void playsStopsAndFollowsTheSlider()
    {
        Recorder recorder(server);
        QVERIFY(recorder.started());
        QVERIFY(QDir::setCurrent(tmp.path()));
        Window w(Ports {.media = true});
        QVERIFY(w.openTool(w->Command6));
        QVERIFY(clickEntry(w->File1, "tone.mp3"));
        QVERIFY(w.engine);
        GstMediaEngine *engine = w.engine;
        QTRY_COMPARE_WITH_TIMEOUT(engine->loadedPath(), tmp.filePath("tone.mp3"), 10000);

        // Loaded, not started: silence, once the monitor delivers.
        QTRY_VERIFY_WITH_TIMEOUT(recorder.recorded() > 0.25, 10000);
        const auto before = recorder.levels(1500);
        qInfo("loaded, before play: loudest %.5f over %lld samples", before.loudest,
              qlonglong(before.samples));
        QVERIFY2(before.samples > rate / 4, "the monitor delivered next to nothing");
        QVERIFY2(before.loudest < 0.001, qPrintable(QString::number(before.loudest)));

        // Play at the slider's start position 10 (-1 dB). The sink plays what it buffered
        // first, so wait for the tone to come through before measuring it.
        QTest::mouseClick(w->Command9, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(engine->isPlaying(), 5000);
        QVERIFY2(recorder.settle([](const auto &l) { return l.typical > 0.05; }),
                 "no sound after play");
        const auto playing = recorder.levels(1500);
        const double at10 = playing.typical;
        qInfo("playing, slider at 10: level %.5f over %lld samples", at10,
              qlonglong(playing.samples));
        QVERIFY2(playing.samples > rate, "the monitor delivered less than a second of sound");
        // A sine of amplitude 0.5 has the level 0.5/sqrt(2); -1 dB makes that 0.891 times.
        const double expected10 = 0.5 / std::sqrt(2.0) * std::pow(10.0, -100 / 2000.0);
        QVERIFY2(std::abs(at10 - expected10) < 0.06 * expected10,
                 qPrintable(QStringLiteral("%1, expected %2").arg(at10).arg(expected10)));

        QTest::keyClick(w->Slider1, Qt::Key_Home);
        QVERIFY2(recorder.settle([at10](const auto &l) { return l.typical < 0.8 * at10; }),
                 "the level did not follow the slider");
        const double at0 = recorder.levels(1500).typical;
        const double ratio = at0 / at10;
        const double expectedRatio = std::pow(10.0, -500 / 2000.0);
        qInfo("slider at 0: level %.5f, ratio to 10: %.4f (expected %.4f)", at0, ratio,
              expectedRatio);
        QVERIFY2(std::abs(ratio - expectedRatio) < 0.1 * expectedRatio,
                 qPrintable(QString::number(ratio)));

        QTest::mouseClick(w->Command10, Qt::LeftButton);
        QVERIFY2(recorder.settle([](const auto &l) { return l.loudest < 0.001; }),
                 "still sound after stop");
        const auto after = recorder.levels(1000);
        qInfo("stopped: loudest %.5f over %lld samples", after.loudest, qlonglong(after.samples));
        QVERIFY2(after.samples > rate / 4, "the monitor delivered next to nothing");
        QVERIFY2(after.loudest < 0.001, qPrintable(QString::number(after.loudest)));
        QCOMPARE(w.prompts.messages, QList<Message>());
    }

    // Stop rewinds: Play after Stop starts the song again from its beginning, here two seconds
    // of tone before a long silence. Stop also takes back a Play pressed while the song loads.
    void stopThenPlayStartsOver()
    {
        QVERIFY(makeTone(tmp.filePath("beep.mp3"), 2, 440, 0.5, 20));
        Recorder recorder(server);
        QVERIFY(recorder.started());
        QVERIFY(QDir::setCurrent(tmp.path()));
        Window w(Ports {.media = true});
        QVERIFY(w.openTool(w->Command6));
        QTRY_VERIFY_WITH_TIMEOUT(recorder.recorded() > 0.25, 10000);
        QVERIFY(clickEntry(w->File1, "beep.mp3"));
        QTest::mouseClick(w->Command9, Qt::LeftButton);
        QTest::mouseClick(w->Command10, Qt::LeftButton);
        QVERIFY(w.engine);
        QTRY_COMPARE_WITH_TIMEOUT(w.engine->loadedPath(), tmp.filePath("beep.mp3"), 10000);
        const auto unasked = recorder.levels(1500);
        QVERIFY2(unasked.loudest < 0.001, qPrintable(QString::number(unasked.loudest)));

        QTest::mouseClick(w->Command9, Qt::LeftButton);
        QVERIFY2(recorder.settle([](const auto &l) { return l.typical > 0.05; }),
                 "no sound after play");
        QVERIFY2(recorder.settle([](const auto &l) { return l.loudest < 0.001; }),
                 "no silence after the tone");
        QTest::mouseClick(w->Command10, Qt::LeftButton);
        QTest::mouseClick(w->Command9, Qt::LeftButton);
        QVERIFY2(recorder.settle([](const auto &l) { return l.typical > 0.05; }),
                 "play after stop did not start the song over");
        QCOMPARE(w.prompts.messages, QList<Message>());
    }
};

TESMORA_TEST(TestPlayerSound)
#include "tst_playersound.moc"
