#pragma once

// The two ways to recolour the clock area: the black-or-white toggle of Command2 and a colour
// chosen by clicking the bare window. Both also take the menu away (Command1, Picture1).

#include "controls/colorvalue.h"
#include "controls/controls.h"
#include "controls/named.h"
#include "desktop/ports.h"

#include <QPushButton>
#include <QWidget>

namespace tesmora {

// The colour chooser as the window holds it: shown once, then its colour is read as often as
// needed. A cancelled chooser reports the window's current background colour, so that applying
// what it reports after a cancel changes nothing.
class CommonDialog
{
public:
    CommonDialog(ColorChooser &chooser, const QWidget *window);

    void ShowColor();
    ColorValue Color() const { return color; }

private:
    ColorChooser &chooser;
    const QWidget *window;
    ColorValue color = 0x00000000;
};

struct AppearanceControls
{
    QWidget *Form1;
    TESMORA_CONTROL(Frame, Frame1); // holds the date
    TESMORA_CONTROL(Frame, Frame2); // holds the time
    TESMORA_CONTROL(Label, Label1); // the time
    TESMORA_CONTROL(Label, Label2); // the date
    TESMORA_CONTROL(QPushButton, Command1); // the menu button
    TESMORA_CONTROL(QPushButton, Command2); // this toggle
    TESMORA_CONTROL(Panel, Picture1); // the menu bar
};

class Appearance
{
public:
    Appearance(const AppearanceControls &controls, ColorChooser &chooser);

    void Command2_Click();
    void Form_Click();

private:
    void darkLook();
    void normalLook();

    AppearanceControls c;
    CommonDialog CommonDialog1;
};

} // namespace tesmora
