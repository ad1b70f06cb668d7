#pragma once

// Opening and closing the menu bar and the tool panels. Each tool button is a toggle that
// decides from its panel's own Visible flag; while a tool is open, its button is the only one
// that can be pressed.

class QPushButton;

namespace tesmora {

class Label;
class Panel;

struct NavigationControls
{
    Panel *Picture1, *Picture2, *Picture5, *Picture6, *Picture8, *Picture10, *Picture12, *Picture13;
    Label *Picture3, *Picture4; // hold the lit and the unlit bulb
    QPushButton *Command1, *Command2, *Command3, *Command4, *Command5, *Command6, *Command7,
        *Command20, *Command22;
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
