#pragma once

// The four-function calculator: two operand boxes, a result box, four operations, clear and
// copy. It keeps nothing between clicks; every operation reads both boxes afresh.

#include "calculator/numberrules.h"
#include "controls/controls.h"
#include "controls/named.h"
#include "desktop/ports.h"

#include <QPushButton>

namespace tesmora {

struct CalculatorControls
{
    QWidget *Form1;
    TESMORA_CONTROL(TextBox, Text1); // left operand
    TESMORA_CONTROL(TextBox, Text2); // right operand
    TESMORA_CONTROL(TextBox, Text3); // result
    TESMORA_CONTROL(QPushButton, Command12); // add
    TESMORA_CONTROL(QPushButton, Command13); // subtract
    TESMORA_CONTROL(QPushButton, Command14); // multiply
    TESMORA_CONTROL(QPushButton, Command15); // divide
    TESMORA_CONTROL(QPushButton, Command16); // clear
    TESMORA_CONTROL(QPushButton, Command17); // copy
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
