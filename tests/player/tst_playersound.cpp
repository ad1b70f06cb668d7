// Real sound: the panel with the GStreamer engine plays a steady tone into a PulseAudio null sink
// started by the test, and the sink's monitor is recorded to measure what came out.

#include "player/gstmediaengine.h"
#include "tests/player/playerfixture.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cmath>
#include <functional>

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

    // Root mean square of what comes out over the next `ms`, full scale = 1. Also gives how
    // many samples that was.
    double level(int ms, qsizetype *count = nullptr)
    {
        const qsizetype from = samples.size() & ~qsizetype(1);
        QTest::qWait(ms);
        const auto *s = reinterpret_cast<const qint16 *>(samples.constData() + from);
        const qsizetype n = (samples.size() - from) / 2;
        if (count)
            *count = n;
        double sum = 0;
        for (qsizetype i = 0; i < n; ++i)
            sum += double(s[i]) * s[i];
        return n ? std::sqrt(sum / n) / 32768.0 : 0.0;
    }

    // Waits up to 5 s until the level over a quarter second meets `wanted`, then for one more
    // quarter second in which it still does (so a window never straddles a change).
    bool settle(const std::function<bool(double)> &wanted)
    {
        QElapsedTimer waited;
        waited.start();
        int inARow = 0;
        while (waited.elapsed() < 5000) {
            inARow = wanted(level(250)) ? inARow + 1 : 0;
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

class TestPlayerSound : public QObject
{
    Q_OBJECT
    SoundServer server;
    QTemporaryDir tmp;

private Q_SLOTS:
    void initTestCase()
    {
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
    void cleanupTestCase() { server.stop(); }

    void playsStopsAndFollowsTheSlider()
    {
        Recorder recorder(server);
        QVERIFY(recorder.started());
        GstMediaEngine *engine = nullptr;
        PlayerPanel p([&engine]() -> std::unique_ptr<MediaEngine> {
            auto made = std::make_unique<GstMediaEngine>();
            engine = made.get();
            return made;
        });
        QVERIFY(p.Dir1->setPath(tmp.path()));
        PlayerPanel::click(p.File1, "tone.mp3");
        QTRY_COMPARE_WITH_TIMEOUT(engine->loadedPath(), tmp.filePath("tone.mp3"), 10000);

        // Loaded, not started: silence.
        QTest::qWait(500);
        qsizetype count = 0;
        const double before = recorder.level(1000, &count);
        qInfo("loaded, before play: level %.5f over %lld samples", before, qlonglong(count));
        QVERIFY2(before < 0.001, qPrintable(QString::number(before)));

        // Play at the slider's start position 10 (-1 dB). The sink plays what it buffered
        // first, so wait for the tone to come through before measuring it.
        QTest::mouseClick(p.Command9, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(engine->isPlaying(), 5000);
        QVERIFY2(recorder.settle([](double l) { return l > 0.05; }), "no sound after play");
        const double at10 = recorder.level(1500, &count);
        qInfo("playing, slider at 10: level %.5f over %lld samples", at10, qlonglong(count));
        QVERIFY2(count > rate, "the monitor delivered less than a second of sound");
        // A sine of amplitude 0.5 has the level 0.5/sqrt(2); -1 dB makes that 0.891 times.
        const double expected10 = 0.5 / std::sqrt(2.0) * std::pow(10.0, -100 / 2000.0);
        QVERIFY2(std::abs(at10 - expected10) < 0.06 * expected10,
                 qPrintable(QStringLiteral("%1, expected %2").arg(at10).arg(expected10)));

        p.Slider1->setValue(0);
        QVERIFY2(recorder.settle([at10](double l) { return l < 0.8 * at10; }),
                 "the level did not follow the slider");
        const double at0 = recorder.level(1500, &count);
        const double ratio = at0 / at10;
        const double expectedRatio = std::pow(10.0, -500 / 2000.0);
        qInfo("slider at 0: level %.5f, ratio to 10: %.4f (expected %.4f)", at0, ratio,
              expectedRatio);
        QVERIFY2(std::abs(ratio - expectedRatio) < 0.1 * expectedRatio,
                 qPrintable(QString::number(ratio)));

        QTest::mouseClick(p.Command10, Qt::LeftButton);
        QVERIFY2(recorder.settle([](double l) { return l < 0.001; }), "still sound after stop");
        const double after = recorder.level(1000, &count);
        qInfo("stopped: level %.5f over %lld samples", after, qlonglong(count));
        QVERIFY2(after < 0.001, qPrintable(QString::number(after)));
        QCOMPARE(p.prompts.messages.size(), 0);
    }
};

QTEST_MAIN(TestPlayerSound)
#include "tst_playersound.moc"
