#pragma once

// The one window. It builds the controls of the inventory, holds each as a member named after
// it, owns one controller per tool and wires every control event to its handler (app/wiring.cpp).

#include "clock/clocktick.h"
#include "controls/controls.h"
#include "desktop/ports.h"

#include <QWidget>
#include <functional>
#include <memory>

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
class MonthCalendar;
class Translator;
class Codes;
class Calculator;
class Conversions;
class About;
class Player;

using MediaEngineFactory = std::function<std::unique_ptr<MediaEngine>()>;

// The desktop as the window's handlers see it.
struct DesktopPorts
{
    Prompts &prompts;
    ColourChooser &colours;
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

    // The controls, by their inventory names.
    Panel *Picture8, *Picture5, *Picture2, *Picture1, *Picture10, *Picture12, *Picture13, *Picture6;
    QObject *CommonDialog1;
    Frame *Frame2, *Frame1;
    QPushButton *Command1, *Command2, *Command3, *Command4, *Command5, *Command6, *Command7,
        *Command20, *Command22;
    QTimer *Timer1;
    Label *Label1, *Label2;
    // conversions
    Label *Picture9, *Image2, *Label7, *Label6;
    TextBox *Text5, *Text4;
    QScrollBar *VScroll1;
    QPushButton *Command19, *Command8, *Command21, *Command18;
    // translator
    QListWidget *List1;
    TextBox *Text7, *Text6;
    Label *Label9, *Label8;
    // calendar
    MonthCalendar *MonthView1;
    // codes
    QComboBox *Combo3, *Combo2, *Combo1;
    Label *Label12, *Label11, *Label10;
    // calculator
    QPushButton *Command17, *Command16, *Command15, *Command14, *Command13, *Command12;
    TextBox *Text3, *Text2, *Text1;
    Line *Line1;
    // About
    Label *Picture11, *Picture7, *Image3, *Label5, *Label4, *Image1, *Label3;
    // music player
    Label *Picture4, *Picture3;
    QSlider *Slider1;
    QPushButton *Command11, *Command10, *Command9;
    FileList *File1;
    FolderList *Dir1;
    DriveList *Drive1;
    QWidget *MediaPlayer1;

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

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    bool event(QEvent *e) override;

private:
    void bindControls();
    void makeControllers(const DesktopPorts &ports);
    void wire(); // app/wiring.cpp
    bool pressOnSurface = false;
};

// A control of the window by its name (nullptr if there is none).
QWidget *control(const QWidget *form, const QString &name);

} // namespace tesmora
