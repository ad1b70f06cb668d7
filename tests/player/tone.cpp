#include "tests/player/playerfiles.h"

#include <QProcess>
#include <QTemporaryDir>

namespace tesmora::testing {

namespace {

bool run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        qWarning("%s failed: %s %s", qPrintable(program), qPrintable(p.errorString()),
                 p.readAll().constData());
        return false;
    }
    return true;
}

} // namespace

bool makeTone(const QString &path, double seconds, int hertz, double amplitude, double silence)
{
    QTemporaryDir work;
    const QString wav = work.filePath(QStringLiteral("tone.wav"));
    return run(QStringLiteral("sox"),
               {QStringLiteral("-n"), QStringLiteral("-r"), QStringLiteral("44100"),
                QStringLiteral("-c"), QStringLiteral("2"), QStringLiteral("-b"),
                QStringLiteral("16"), wav, QStringLiteral("synth"), QString::number(seconds),
                QStringLiteral("sine"), QString::number(hertz), QStringLiteral("vol"),
                QString::number(amplitude), QStringLiteral("pad"), QStringLiteral("0"),
                QString::number(silence)})
        && run(QStringLiteral("lame"),
               {QStringLiteral("--quiet"), QStringLiteral("-b"), QStringLiteral("192"), wav, path});
}

} // namespace tesmora::testing
