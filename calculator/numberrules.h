#pragma once

// How the calculator reads a typed text as a number and writes a number back as text. Errors
// are values: nothing here throws.

#include <QLocale>
#include <QString>
#include <QStringView>

namespace tesmora {

enum class NumberError {
    None,
    Overflow, // an operand or a result beyond the range of a double
    DivideByZero, // any division by zero, 0 / 0 included
    Invalid, // no meaningful result (only reachable with non-finite operands)
};

struct Number
{
    double value = 0;
    NumberError error = NumberError::None;
    bool ok() const { return error == NumberError::None; }
};

// Reads the number at the start of `text`: blanks, tabs and line feeds are dropped wherever
// they stand; then an optional sign, digits with at most one period, and an optional exponent
// (E or e, optional sign, digits); reading stops at the first character that does not fit.
// "&H" / "&O" start a hexadecimal / octal whole number (16-bit signed when the value fits in
// 16 bits, else 32-bit signed). No digit at all reads as 0. A number beyond the range of a
// double is an overflow, except up to 1.79769313486232E+308, the largest double as numberText
// writes it, which reads as the largest double.
Number readNumber(QStringView text);

enum class Operation { Add, Subtract, Multiply, Divide };

// a op b in double precision, with overflow, division by zero and invalid results reported.
// Inexact results and underflow are not errors.
Number calculate(double a, Operation op, double b);

// The general number text: at most 15 significant digits, no trailing fraction zeros, the
// locale's decimal separator, no grouping, exponent form ("1E+20", "1E-05") from 1e15 upward
// and below 1e-4. Negative zero is "0".
QString numberText(double value, const QLocale &locale);

} // namespace tesmora
