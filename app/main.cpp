// Tesmora: a desktop clock with a drawer of small tools.

#include "app/application.h"
#include "app/form1.h"
#include "desktop/qtports.h"
#include "player/gstmediaengine.h"

#include <QApplication>
#include <QDateTime>
#include <QPainter>
#include <QPainterPath>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <cstdio>
#include <cstdlib>

namespace {

// The window's style, drawing itself the two pictures it would otherwise read from PNG files at
// start-up: the month calendar's arrows (asked for when the calendar is made) and the frame of
// a box (painted with the clock). The first PNG that Qt reads makes it load every image plugin
// of the system, megabytes that the clock does not need.
class LightStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap which, const QStyleOption *option,
                       const QWidget *widget) const override
    {
        if (which != SP_ArrowLeft && which != SP_ArrowRight)
            return QProxyStyle::standardIcon(which, option, widget);
        const bool left = which == SP_ArrowLeft;
        QIcon icon;
        for (const int size : {16, 32}) {
            QPixmap pixmap(size, size);
            pixmap.fill(Qt::transparent);
            QPainter painter(&pixmap);
            painter.setRenderHint(QPainter::Antialiasing);
            const qreal unit = size / 16.0;
            QPainterPath arrow;
            arrow.moveTo((left ? 11 : 5) * unit, 3 * unit);
            arrow.lineTo((left ? 4 : 12) * unit, 8 * unit);
            arrow.lineTo((left ? 11 : 5) * unit, 13 * unit);
            arrow.closeSubpath();
            painter.fillPath(arrow, QApplication::palette().color(QPalette::ButtonText));
            painter.end();
            icon.addPixmap(pixmap);
        }
        return icon;
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override
    {
        const auto *box = qstyleoption_cast<const QStyleOptionFrame *>(option);
        if (element != PE_FrameGroupBox || !box || baseStyle()->name() != u"fusion") {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        // The untitled box's frame as the style draws it: a faint shade inside a rounded line.
        const QRectF frame
            = QRectF(option->rect.adjusted(0, 3, 0, 0)).adjusted(0.5, 0.5, -0.5, -0.5);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QColor(0, 0, 0, 23));
        painter->setBrush(QColor(0, 0, 0, 3));
        painter->drawRoundedRect(frame, 2, 2);
        painter->setPen(QColor(0, 0, 0, 6));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(frame.adjusted(1, 1, -1, -1), 1.5, 1.5);
        painter->restore();
    }
};

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
    QApplication::setStyle(new LightStyle(QStyleFactory::create(QApplication::style()->name())));
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
