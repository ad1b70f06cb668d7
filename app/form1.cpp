#include "app/form1.h"

#include "about/about.h"
#include "app/appearance.h"
#include "app/builder.h"
#include "app/inventory.h"
#include "app/keyboard.h"
#include "app/navigation.h"
#include "calculator/calculator.h"
#include "clock/calendar.h"
#include "clock/prompts.h"
#include "codes/codes.h"
#include "controls/colorvalue.h"
#include "controls/named.h"
#include "controls/picture.h"
#include "conversions/conversions.h"
#include "player/drivelist.h"
#include "player/filelist.h"
#include "player/folderlist.h"
#include "player/player.h"
#include "translator/translator.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTimer>

namespace tesmora {

QWidget *control(const QWidget *form, const QString &name)
{
    return form->findChild<QWidget *>(name);
}

Form1::~Form1()
{
    delete wiring;
}

Form1::Form1(const DesktopPorts &ports, QWidget *parent)
    : QWidget(parent), wiring(new QObject(this))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowIcon(pictureIcon(imageResource(QStringLiteral("clock.ico"))));
    setAutoFillBackground(true);
    // The window's colours must colour its own surface only. Children inherit the palette, and
    // the style draws their outlines from the Window role, so the window keeps its colours in
    // roles that no control inside paints with. It starts in the button face.
    setBackgroundRole(QPalette::ToolTipBase);
    setForegroundRole(QPalette::ToolTipText);
    setBackColor(this, SystemColor::ButtonFace);
    setFixedSize(toPixels(formWidthTwips), toPixels(formHeightTwips));
    // A fixed layout: the window can be minimised, not resized.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    buildControls(this);
    bindControls();
    makeControllers(ports);
    wire();
    clockTick->start();
}

void Form1::bindControls()
{
#define CONTROL(control, kind, ...) control = named<ControlOf<Kind::kind>>(*this, #control);
#define COMPONENT(...)
#include "app/inventory.def"
#undef CONTROL
}

void Form1::mousePressEvent(QMouseEvent *e)
{
    // Only presses on the bare surface count: children that take the press never pass it on,
    // and those that pass it on (frames, say) are still found under the pointer.
    pressOnSurface = e->button() == Qt::LeftButton && !childAt(e->position().toPoint());
    QWidget::mousePressEvent(e);
}

void Form1::mouseReleaseEvent(QMouseEvent *e)
{
    const bool click = pressOnSurface && e->button() == Qt::LeftButton
        && rect().contains(e->position().toPoint()) && !childAt(e->position().toPoint());
    pressOnSurface = false;
    QWidget::mouseReleaseEvent(e);
    if (click)
        Form_Click();
}

bool Form1::event(QEvent *e)
{
    // Colours given as references follow the desktop's palette. The application's palette
    // change reaches only event(), never changeEvent(); let Qt resolve the new palette first.
    const bool handled = QWidget::event(e);
    if (e->type() == QEvent::ApplicationPaletteChange) {
        reapplyColors(this);
        for (QWidget *w : findChildren<QWidget *>())
            reapplyColors(w);
    }
    return handled;
}

} // namespace tesmora
