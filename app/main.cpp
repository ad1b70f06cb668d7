// Tesmora: a desktop clock with a drawer of small tools.

#include "app/application.h"
#include "app/form1.h"
#include "desktop/qtports.h"
#include "player/gstmediaengine.h"

#include <QDateTime>
#include <cstdio>
#include <cstdlib>

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
    tesmora::Application app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Tesmora"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TESMORA_VERSION));

    tesmora::QtPrompts prompts;
    tesmora::QtColourChooser colours;
    tesmora::QtBrowser browser;
    tesmora::QtClipboard clipboard;
    tesmora::Form1 form({prompts, colours, browser, clipboard, tesmora::makeGstMediaEngine,
                         [] { return QDateTime::currentDateTime(); }});
    prompts.setParent(&form);
    colours.setParent(&form);
    form.Form_Load();
    form.show();
    return app.exec();
}
