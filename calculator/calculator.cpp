#include "calculator/calculator.h"

#include <QLocale>
#include <QPushButton>

namespace tesmora {

namespace {
QString failureText(NumberError error)
{
    switch (error) {
    case NumberError::DivideByZero:
        return divideByZeroText;
    case NumberError::Overflow:
        return overflowText;
    case NumberError::Invalid:
    case NumberError::None:
        break;
    }
    return invalidText;
}
} // namespace

Calculator::Calculator(const CalculatorControls &controls, Clipboard &clipboard)
    : c(controls), clipboard(clipboard)
{ }

void Calculator::operate(Operation op)
{
    // The right operand is read first; the left one always comes from Text1.
    const Number b = readNumber(c.Text2->text());
    const Number a = readNumber(c.Text1->text());
    Number result = !b.ok() ? b : !a.ok() ? a : calculate(a.value, op, b.value);
    // A failed operation replaces the result, so that no stale number is left standing.
    c.Text3->setText(result.ok() ? QStringLiteral("  ") + numberText(result.value, QLocale())
                                 : failureText(result.error));
}

void Calculator::Command12_Click()
{
    operate(Operation::Add);
}
void Calculator::Command13_Click()
{
    operate(Operation::Subtract);
}
void Calculator::Command14_Click()
{
    operate(Operation::Multiply);
}
void Calculator::Command15_Click()
{
    operate(Operation::Divide);
}

void Calculator::Command16_Click()
{
    c.Text1->clear();
    c.Text2->clear();
    c.Text3->clear();
    c.Text1->setFocus(Qt::OtherFocusReason);
}

void Calculator::Command17_Click()
{
    clipboard.setText(c.Text3->text());
}

// Focus follows the pointer over the operand boxes, without a click.
void Calculator::Text1_MouseMove(const MouseMove &)
{
    c.Text1->setFocus(Qt::MouseFocusReason);
}
void Calculator::Text2_MouseMove(const MouseMove &)
{
    c.Text2->setFocus(Qt::MouseFocusReason);
}

} // namespace tesmora
