#pragma once

// Opening and closing the menu bar and the tool panels. Each tool button is a toggle that
// decides from its panel's own Visible flag; while a tool is open, its button is the only one
// that can be pressed.

#include "controls/controls.h"
#include "controls/named.h"

#include <QPushButton>

namespace tesmora {

struct NavigationControls
{
    QWidget *Form1;
    TESMORA_CONTROL(Panel, Picture1); // the menu bar
    TESMORA_CONTROL(Panel, Picture2); // the music player
    TESMORA_CONTROL(Panel, Picture5); // the calculator
    TESMORA_CONTROL(Panel, Picture6); // About
    TESMORA_CONTROL(Panel, Picture8); // the conversions
    TESMORA_CONTROL(Panel, Picture10); // the translator
    TESMORA_CONTROL(Panel, Picture12); // the calendar
    TESMORA_CONTROL(Panel, Picture13); // the codes
    TESMORA_CONTROL(Label, Picture3); // the lit bulb
    TESMORA_CONTROL(Label, Picture4); // the unlit bulb
    TESMORA_CONTROL(QPushButton, Command1);
    TESMORA_CONTROL(QPushButton, Command2);
    TESMORA_CONTROL(QPushButton, Command3);
    TESMORA_CONTROL(QPushButton, Command4);
    TESMORA_CONTROL(QPushButton, Command5);
    TESMORA_CONTROL(QPushButton, Command6);
    TESMORA_CONTROL(QPushButton, Command7);
    TESMORA_CONTROL(QPushButton, Command20);
    TESMORA_CONTROL(QPushButton, Command22);
};

class Navigation
{
public:
    explicit Navigation(const NavigationControls &controls) : c(controls) { }

    void Command1_Click(); // the menu bar
    void Command3_Click(); // calendar
    void Command4_Click(); // translator
    void Command5_Click(); // conversions
    void Command6_Click(); // music player
    void Command7_Click(); // calculator
    void Command20_Click(); // About
    void Command22_Click(); // area and country codes

private:
    // After a tool closes no tool panel keeps its flag, so the next click on any tool button
    // opens its tool and a stale calendar flag can never cover the translator.
    void clearToolFlags();

    NavigationControls c;
};

} // namespace tesmora
