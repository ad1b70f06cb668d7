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
#include "controls/monthcalendar.h"
#include "controls/picture.h"
#include "conversions/conversions.h"
#include "player/drivelist.h"
#include "player/filelist.h"
#include "player/folderlist.h"
#include "player/player.h"
#include "translator/translator.h"

#include <QComboBox>
#include <QEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTimer>

namespace tesmora {

namespace {
template<class T>
void bind(const QWidget *form, T *&member, const char *name)
{
    member = form->findChild<T *>(QString::fromLatin1(name));
    Q_ASSERT_X(member, "Form1", name);
}
} // namespace

#define TESMORA_BIND(member) bind(this, member, #member)

QWidget *control(const QWidget *form, const QString &name)
{
    return form->findChild<QWidget *>(name);
}

Form1::~Form1() = default;

Form1::Form1(const DesktopPorts &ports, QWidget *parent) : QWidget(parent)
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
    new ToolKeys(this, Command1, Picture1,
                 {{Command22, Picture13},
                  {Command3, Picture12},
                  {Command4, Picture10},
                  {Command20, Picture6},
                  {Command5, Picture8},
                  {Command7, Picture5},
                  {Command6, Picture2}});
    clockTick->start();
}

void Form1::bindControls()
{
    TESMORA_BIND(Picture8);
    TESMORA_BIND(Picture5);
    TESMORA_BIND(Picture2);
    TESMORA_BIND(Picture1);
    TESMORA_BIND(Picture10);
    TESMORA_BIND(Picture12);
    TESMORA_BIND(Picture13);
    TESMORA_BIND(Picture6);
    CommonDialog1 = findChild<QObject *>(QStringLiteral("CommonDialog1"));
    TESMORA_BIND(Frame2);
    TESMORA_BIND(Frame1);
    TESMORA_BIND(Command1);
    TESMORA_BIND(Command2);
    TESMORA_BIND(Command3);
    TESMORA_BIND(Command4);
    TESMORA_BIND(Command5);
    TESMORA_BIND(Command6);
    TESMORA_BIND(Command7);
    TESMORA_BIND(Command20);
    TESMORA_BIND(Command22);
    Timer1 = findChild<QTimer *>(QStringLiteral("Timer1"));
    TESMORA_BIND(Label1);
    TESMORA_BIND(Label2);
    TESMORA_BIND(Picture9);
    TESMORA_BIND(Image2);
    TESMORA_BIND(Label7);
    TESMORA_BIND(Label6);
    TESMORA_BIND(Text5);
    TESMORA_BIND(Text4);
    TESMORA_BIND(VScroll1);
    TESMORA_BIND(Command19);
    TESMORA_BIND(Command8);
    TESMORA_BIND(Command21);
    TESMORA_BIND(Command18);
    TESMORA_BIND(List1);
    TESMORA_BIND(Text7);
    TESMORA_BIND(Text6);
    TESMORA_BIND(Label9);
    TESMORA_BIND(Label8);
    TESMORA_BIND(MonthView1);
    TESMORA_BIND(Combo3);
    TESMORA_BIND(Combo2);
    TESMORA_BIND(Combo1);
    TESMORA_BIND(Label12);
    TESMORA_BIND(Label11);
    TESMORA_BIND(Label10);
    TESMORA_BIND(Command17);
    TESMORA_BIND(Command16);
    TESMORA_BIND(Command15);
    TESMORA_BIND(Command14);
    TESMORA_BIND(Command13);
    TESMORA_BIND(Command12);
    TESMORA_BIND(Text3);
    TESMORA_BIND(Text2);
    TESMORA_BIND(Text1);
    TESMORA_BIND(Line1);
    TESMORA_BIND(Picture11);
    TESMORA_BIND(Picture7);
    TESMORA_BIND(Image3);
    TESMORA_BIND(Label5);
    TESMORA_BIND(Label4);
    TESMORA_BIND(Image1);
    TESMORA_BIND(Label3);
    TESMORA_BIND(Picture4);
    TESMORA_BIND(Picture3);
    TESMORA_BIND(Slider1);
    TESMORA_BIND(Command11);
    TESMORA_BIND(Command10);
    TESMORA_BIND(Command9);
    TESMORA_BIND(File1);
    TESMORA_BIND(Dir1);
    TESMORA_BIND(Drive1);
    TESMORA_BIND(MediaPlayer1);
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
