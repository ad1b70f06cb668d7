#pragma once

// The four-function calculator: two operand boxes, a result box, four operations, clear and
// copy. It keeps nothing between clicks; every operation reads both boxes afresh.

#include "calculator/numberrules.h"
#include "controls/controls.h"
#include "desktop/ports.h"

class QPushButton;

namespace tesmora {

struct CalculatorControls
{
    TextBox *Text1 = nullptr; // left operand
    TextBox *Text2 = nullptr; // right operand
    TextBox *Text3 = nullptr; // result
    QPushButton *Command12 = nullptr; // add
    QPushButton *Command13 = nullptr; // subtract
    QPushButton *Command14 = nullptr; // multiply
    QPushButton *Command15 = nullptr; // divide
    QPushButton *Command16 = nullptr; // clear
    QPushButton *Command17 = nullptr; // copy
};

// What the result box shows when an operation fails.
inline const QString divideByZeroText = QStringLiteral("Cannot divide by zero");
inline const QString overflowText = QStringLiteral("Overflow");
inline const QString invalidText = QStringLiteral("Invalid operation");

class Calculator
{
public:
    Calculator(const CalculatorControls &controls, Clipboard &clipboard);

    void Command12_Click();
    void Command13_Click();
    void Command14_Click();
    void Command15_Click();
    void Command16_Click();
    void Command17_Click();
    void Text1_MouseMove(const MouseMove &move);
    void Text2_MouseMove(const MouseMove &move);

private:
    void operate(Operation op);

    CalculatorControls c;
    Clipboard &clipboard;
};

} // namespace tesmora
