#include "tests/player/playerfiles.h"
#include "tests/support/testmain.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <unistd.h>

namespace tesmora::testing {

bool runUnprivileged(const char *testFunction)
{
    if (::geteuid() != 0)
        return true;
    // A copy of this program where nobody may run it: the build folder may not be.
    QTemporaryDir bin(QDir::tempPath() + QLatin1String("/tesmora-unprivileged-XXXXXX"));
    if (!bin.isValid()) {
        qWarning("no temporary folder for the unprivileged run");
        return false;
    }
    const QString copy
        = bin.filePath(QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    if (!QFile::copy(QCoreApplication::applicationFilePath(), copy)
        || !QFile::setPermissions(bin.path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                      | QFile::ReadOther | QFile::ExeOther | QFile::ReadGroup
                                      | QFile::ExeGroup)) {
        qWarning("cannot copy the test program for the unprivileged run");
        return false;
    }
    // A home and a run-time folder of the child's own, so that runs of several test programs
    // at once never share their caches or run-time files.
    const QString home = bin.filePath(QStringLiteral("home"));
    const QString runtime = bin.filePath(QStringLiteral("runtime"));
    for (const QString &dir : {home, runtime}) {
        if (!QDir().mkdir(dir) || ::chown(QFile::encodeName(dir).constData(), 65534, 65534) != 0
            || !QFile::setPermissions(dir,
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)) {
            qWarning("cannot make the folders of the unprivileged run");
            return false;
        }
    }
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(env);
    child.setWorkingDirectory(home);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QStringLiteral("setpriv"),
                {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                 QStringLiteral("--clear-groups"), QStringLiteral("--"), copy,
                 QString::fromLatin1(currentTestClass()), QString::fromLatin1(testFunction)});
    if (!child.waitForStarted(10000) || !child.waitForFinished(120000)) {
        child.kill();
        child.waitForFinished();
        qWarning("the unprivileged run did not finish");
        QTest::qFail("setpriv did not run", __FILE__, __LINE__);
        return false;
    }
    const QString out = QString::fromLocal8Bit(child.readAll());
    // "function" or "function:row", as Qt Test takes them on its command line.
    const QString function = QString::fromLatin1(testFunction).section(u':', 0, 0);
    const QString row = QString::fromLatin1(testFunction).section(u':', 1);
    const QRegularExpression passLine(
        QStringLiteral("^PASS   : \\w+::%1\\(%2\\)$")
            .arg(QRegularExpression::escape(function), QRegularExpression::escape(row)),
        QRegularExpression::MultilineOption);
    const bool passed = child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0
        && out.contains(passLine);
    if (!passed)
        QTest::qFail(qPrintable(QLatin1String("the run as nobody failed:\n") + out), __FILE__,
                     __LINE__);
    return false;
}

} // namespace tesmora::testing
