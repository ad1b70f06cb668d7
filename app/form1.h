#pragma once

// The one window. It builds the controls of the inventory, holds each as a member named after
// it, owns one controller per tool and wires every control event to its handler (app/wiring.cpp).

#include "app/inventory.h"
#include "clock/clocktick.h"
#include "controls/controls.h"
#include "desktop/ports.h"

#include <QWidget>
#include <functional>
#include <memory>

class QCalendarWidget;
class QComboBox;
class QListWidget;
class QPushButton;
class QScrollBar;
class QSlider;
class QTimer;

namespace tesmora {

class DriveList;
class FolderList;
class FileList;
class MediaEngine;
class Navigation;
class Appearance;
class ClockPrompts;
class Calendar;
class Translator;
class Codes;
class Calculator;
class Conversions;
class About;
class Player;
class ToolKeys;

// The class each kind of control of the inventory is made as.
template<Kind>
struct ControlType;
template<Kind kind>
using ControlOf = typename ControlType<kind>::type;
#define TESMORA_KIND(kind, Type)                                                                   \
    template<>                                                                                     \
    struct ControlType<Kind::kind>                                                                 \
    {                                                                                              \
        using type = Type;                                                                         \
    }
TESMORA_KIND(Panel, Panel);
TESMORA_KIND(PictureBox, Label);
TESMORA_KIND(Frame, Frame);
TESMORA_KIND(Label, Label);
TESMORA_KIND(TextBox, TextBox);
TESMORA_KIND(Button, QPushButton);
TESMORA_KIND(GraphicalButton, QPushButton);
TESMORA_KIND(ComboBox, QComboBox);
TESMORA_KIND(ListBox, QListWidget);
TESMORA_KIND(VScrollBar, QScrollBar);
TESMORA_KIND(Image, Label);
TESMORA_KIND(Line, Line);
TESMORA_KIND(Timer, QTimer);
TESMORA_KIND(DriveList, DriveList);
TESMORA_KIND(FolderList, FolderList);
TESMORA_KIND(FileList, FileList);
TESMORA_KIND(MonthCalendar, QCalendarWidget);
TESMORA_KIND(Slider, QSlider);
TESMORA_KIND(MediaPlayer, QWidget);
#undef TESMORA_KIND

using MediaEngineFactory = std::function<std::unique_ptr<MediaEngine>()>;

// The desktop as the window's handlers see it.
struct DesktopPorts
{
    Prompts &prompts;
    ColorChooser &colors;
    Browser &browser;
    Clipboard &clipboard;
    MediaEngineFactory mediaEngines;
    ClockSource clock;
};

class Form1 : public QWidget
{
    Q_OBJECT
public:
    explicit Form1(const DesktopPorts &ports, QWidget *parent = nullptr);
    ~Form1() override;

    // Start-up: the title; the word list and the code lists follow when their panels are first
    // shown.
    void Form_Load();
    // A click on the bare surface of the window.
    void Form_Click();

    // The controls, one member per row of the inventory, named and typed after it.
#define CONTROL(control, kind, ...) ControlOf<Kind::kind> *control = nullptr;
#define COMPONENT(...)
#include "app/inventory.def"
#undef CONTROL

    // The handlers, one controller per tool.
    std::unique_ptr<Navigation> navigation;
    std::unique_ptr<ClockTick> clockTick;
    std::unique_ptr<Appearance> appearance;
    std::unique_ptr<ClockPrompts> clockPrompts;
    std::unique_ptr<Calendar> calendar;
    std::unique_ptr<Translator> translator;
    std::unique_ptr<Codes> codes;
    std::unique_ptr<Calculator> calculator;
    std::unique_ptr<Conversions> conversions;
    std::unique_ptr<About> about;
    std::unique_ptr<Player> player;
    ToolKeys *toolKeys = nullptr; // the keyboard's way through the tools

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    bool event(QEvent *e) override;

private:
    void bindControls();
    void makeControllers(const DesktopPorts &ports); // app/wiring.cpp
    void wire(); // app/wiring.cpp
    // The context of every wire from a control to a handler. It goes first when the window
    // closes: the handlers go before the controls, and a control may still speak as it goes.
    QObject *wiring;
    bool pressOnSurface = false;
};

// A control of the window by its name (nullptr if there is none).
QWidget *control(const QWidget *form, const QString &name);

} // namespace tesmora
