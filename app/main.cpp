// Tesmora: a desktop clock with a drawer of small tools.

#include "app/application.h"
#include "app/form1.h"
#include "app/platform.h"
#include "controls/lightstyle.h"
#include "controls/named.h"
#include "desktop/qtports.h"
#include "player/gstmediaengine.h"
#include "rules/product.h"

#include <QApplication>
#include <QDateTime>
#include <QStyleFactory>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

bool haveDisplay()
{
    // Qt aborts with a long report when it finds no display; say it in one line instead.
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsSet("DISPLAY")
        || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}
} // namespace

int main(int argc, char **argv)
{
    if (!haveDisplay()) {
        std::fputs("tesmora: no display to show the clock on (DISPLAY is not set); start it from a "
                   "desktop session, or under Xvfb as the README shows\n",
                   stderr);
        return EXIT_FAILURE;
    }
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    // The platform is chosen through the environment Qt reads at start-up; the programs the
    // clock starts later (the browser) get the session's environment as it was.
    const QByteArray platform = tesmora::preferredPlatform(tesmora::currentSession());
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
    tesmora::Application app(argc, argv);
    if (!platform.isEmpty())
        qunsetenv("QT_QPA_PLATFORM");
    QApplication::setStyle(
        new tesmora::LightStyle(QStyleFactory::create(QApplication::style()->name())));
    QCoreApplication::setApplicationName(tesmora::applicationTitle());
    QGuiApplication::setDesktopFileName(QStringLiteral(TESMORA_APP_ID));
    QCoreApplication::setApplicationVersion(QStringLiteral(TESMORA_VERSION));

    tesmora::QtPrompts prompts;
    tesmora::QtColorChooser colors;
    tesmora::QtBrowser browser;
    tesmora::QtClipboard clipboard;
    std::unique_ptr<tesmora::Form1> form;
    try {
        form = std::make_unique<tesmora::Form1>(
            tesmora::DesktopPorts {prompts, colors, browser, clipboard, tesmora::makeGstMediaEngine,
                                   [] { return QDateTime::currentDateTime(); }});
    } catch (const tesmora::MissingControl &e) {
        std::fprintf(stderr, "tesmora: cannot build the window: %s\n", e.what());
        return EXIT_FAILURE;
    }
    prompts.setParent(form.get());
    colors.setParent(form.get());
    form->Form_Load();
    form->show();
    return app.exec();
}
