// Real sound: the window with the GStreamer engine plays a steady tone into a PulseAudio null
// sink started by the test, and the sink's monitor is recorded to measure what came out.

#include "player/filelist.h"
#include "player/gstmediaengine.h"
#include "tests/player/playerfiles.h"
#include "tests/support/listgestures.h"
#include "tests/support/testmain.h"
#include "tests/support/watchdog.h"
#include "tests/support/window.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSlider>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

using namespace tesmora;
using namespace tesmora::testing;

namespace {

constexpr int rate = 44100;
const QString sinkName = QStringLiteral("tesmora_test_sink");

// A PulseAudio daemon of the test's own, with one null sink, on a private socket.
class SoundServer
{
public:
    ~SoundServer() { stop(); }

    // Empty on success, else why it could not start.
    QString start()
    {
        if (!runtime.isValid())
            return QStringLiteral("no temporary folder");
        socket = runtime.filePath(QStringLiteral("native"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), runtime.path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.remove(QStringLiteral("PULSE_SERVER"));
        daemon.setProcessEnvironment(env);
        daemon.setProcessChannelMode(QProcess::MergedChannels);
        // In the foreground, so that this test owns it and ends it; as root it runs all the
        // same in per-user mode, with a warning.
        daemon.start(
            QStringLiteral("pulseaudio"),
            {QStringLiteral("--daemonize=no"), QStringLiteral("-n"),
             QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--use-pid-file=no"),
             QStringLiteral("--system=no"), QStringLiteral("--log-target=stderr"),
             QStringLiteral("-L"),
             QStringLiteral("module-null-sink sink_name=%1 rate=%2 channels=2")
                 .arg(sinkName)
                 .arg(rate),
             QStringLiteral("-L"),
             QStringLiteral("module-native-protocol-unix socket=%1 auth-anonymous=1").arg(socket)});
        if (!daemon.waitForStarted(5000))
            return QStringLiteral("pulseaudio does not run: ") + daemon.errorString();
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 10000) {
            if (daemon.state() != QProcess::Running)
                return QStringLiteral("pulseaudio ended at once: ")
                    + QString::fromLocal8Bit(daemon.readAll());
            QProcess info;
            info.setProcessEnvironment(clientEnvironment());
            info.start(QStringLiteral("pactl"), {QStringLiteral("info")});
            if (info.waitForFinished(3000) && info.exitCode() == 0)
                return {};
            QTest::qWait(100);
        }
        return QStringLiteral("pulseaudio did not answer: ")
            + QString::fromLocal8Bit(daemon.readAll());
    }

    void stop()
    {
        if (daemon.state() == QProcess::NotRunning)
            return;
        daemon.terminate();
        if (!daemon.waitForFinished(3000)) {
            daemon.kill();
            daemon.waitForFinished(3000);
        }
    }

    QString server() const { return QStringLiteral("unix:") + socket; }
    QProcessEnvironment clientEnvironment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("PULSE_SERVER"), server());
        return env;
    }

private:
    QTemporaryDir runtime;
    QString socket;
    QProcess daemon;
};

// Records the sink's monitor, mono 16-bit, for as long as it lives.
class Recorder
{
public:
    explicit Recorder(const SoundServer &server)
    {
        parec.setProcessEnvironment(server.clientEnvironment());
        QObject::connect(&parec, &QProcess::readyReadStandardOutput, &parec,
                         [this] { samples += parec.readAllStandardOutput(); });
        parec.start(QStringLiteral("parec"),
                    {QStringLiteral("--device=%1.monitor").arg(sinkName),
                     QStringLiteral("--format=s16le"), QStringLiteral("--rate=%1").arg(rate),
                     QStringLiteral("--channels=1"), QStringLiteral("--raw"),
                     QStringLiteral("--latency-msec=20")});
    }
    ~Recorder()
    {
        parec.kill();
        parec.waitForFinished(3000);
    }
    bool started() { return parec.waitForStarted(5000); }
    // Seconds of sound recorded so far.
    double recorded() const { return double(samples.size()) / 2 / rate; }

    struct Levels
    {
        double typical = 0; // the median block's root mean square, full scale = 1
        double loudest = 0; // the loudest block's
        qsizetype samples = 0;
    };

    // Records what comes out over the next `ms` and measures it in blocks of 50 ms. A loaded
    // machine can drop a few blocks of sound; the median block is not dragged down by them.
    Levels levels(int ms)
    {
        const qsizetype from = samples.size() & ~qsizetype(1);
        QTest::qWait(ms); // the length of the recording, not a wait for anything
        const auto *s = reinterpret_cast<const qint16 *>(samples.constData() + from);
        const qsizetype n = (samples.size() - from) / 2;
        constexpr qsizetype block = rate / 20;
        std::vector<double> blocks;
        for (qsizetype start = 0; start + block <= n; start += block) {
            double sum = 0;
            for (qsizetype i = start; i < start + block; ++i)
                sum += double(s[i]) * s[i];
            blocks.push_back(std::sqrt(sum / block) / 32768.0);
        }
        Levels out;
        out.samples = n;
        if (blocks.empty())
            return out;
        std::sort(blocks.begin(), blocks.end());
        out.typical = blocks[blocks.size() / 2];
        out.loudest = blocks.back();
        return out;
    }

    // Waits up to 5 s until the levels over a quarter second meet `wanted`, then for one more
    // quarter second in which they still do (so a window never straddles a change).
    bool settle(const std::function<bool(const Levels &)> &wanted)
    {
        QElapsedTimer waited;
        waited.start();
        int inARow = 0;
        while (waited.elapsed() < 5000) {
            inARow = wanted(levels(250)) ? inARow + 1 : 0;
            if (inARow == 2)
                return true;
        }
        return false;
    }

private:
    QProcess parec;
    QByteArray samples;
};

} // namespace

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
};

TESMORA_TEST(TestPlayerSound)
#include "tst_playersound.moc"
