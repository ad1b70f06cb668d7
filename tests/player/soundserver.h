#pragma once

// A PulseAudio daemon of a test's own with one null sink, and a recorder of what that sink
// plays: real sound, measured.

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace tesmora::testing {

constexpr int rate = 44100;
inline const QString sinkName = QStringLiteral("tesmora_test_sink");

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

} // namespace tesmora::testing
