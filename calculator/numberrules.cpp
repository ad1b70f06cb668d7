#include "calculator/numberrules.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace tesmora {

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The C locale, so that strtod reads a period whatever LC_NUMERIC the application runs under.
locale_t cLocale()
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return c;
}

// Value of `c` as a digit of `radix`, or -1 when it is none.
int digitValue(QChar c, int radix)
{
    int d = -1;
    if (isDigit(c))
        d = c.unicode() - u'0';
    else if (c >= u'A' && c <= u'F')
        d = c.unicode() - u'A' + 10;
    else if (c >= u'a' && c <= u'f')
        d = c.unicode() - u'a' + 10;
    return d < radix ? d : -1;
}

// "&H..." or "&O...": the digits after the two-character prefix.
Number readRadix(const QString &s, int radix)
{
    std::uint64_t value = 0;
    for (qsizetype i = 2; i < s.size(); ++i) {
        const int digit = digitValue(s.at(i), radix);
        if (digit < 0)
            break;
        value = value * std::uint64_t(radix) + std::uint64_t(digit);
        if (value > 0xFFFFFFFFu)
            return {0, NumberError::Overflow};
    }
    if (value <= 0xFFFFu)
        return {double(std::int16_t(std::uint16_t(value))), NumberError::None};
    return {double(std::int32_t(std::uint32_t(value))), NumberError::None};
}

Number readDecimal(const QString &s)
{
    std::string number;
    qsizetype i = 0;
    const auto at = [&s](qsizetype k) { return k < s.size() ? s.at(k) : QChar(); };
    if (at(i) == u'+' || at(i) == u'-')
        number += char(s.at(i++).unicode());
    bool digits = false, point = false;
    for (;; ++i) {
        const QChar c = at(i);
        if (isDigit(c))
            digits = true;
        else if (c == u'.' && !point)
            point = true;
        else
            break;
        number += char(c.unicode());
    }
    if (!digits)
        return {0, NumberError::None};
    // An exponent counts only when at least one digit follows the letter (and its sign).
    if (at(i) == u'e' || at(i) == u'E') {
        qsizetype k = i + 1;
        if (at(k) == u'+' || at(k) == u'-')
            ++k;
        if (isDigit(at(k))) {
            number += 'e';
            for (qsizetype j = i + 1; j < k; ++j)
                number += char(s.at(j).unicode());
            while (isDigit(at(k)))
                number += char(s.at(k++).unicode());
        }
    }
    const double value = strtod_l(number.c_str(), nullptr, cLocale());
    if (std::isinf(value)) {
        // The largest double is written 1.79769313486232E+308, a little beyond its exact value;
        // so that every written number reads back, a text up to that reads as the largest
        // double (compared in extended precision, which holds it).
        static const long double largestWritten
            = strtold_l("1.79769313486232e308", nullptr, cLocale());
        const long double wide = strtold_l(number.c_str(), nullptr, cLocale());
        if (std::fabs(wide) <= largestWritten)
            return {std::copysign(DBL_MAX, value), NumberError::None};
        return {0, NumberError::Overflow};
    }
    return {value, NumberError::None};
}

} // namespace

Number readNumber(QStringView text)
{
    QString s;
    s.reserve(text.size());
    for (QChar c : text) {
        if (c != u' ' && c != u'\t' && c != u'\n')
            s.append(c);
    }
    if (s.size() >= 2 && s.at(0) == u'&') {
        const QChar kind = s.at(1).toUpper();
        if (kind == u'H')
            return readRadix(s, 16);
        if (kind == u'O')
            return readRadix(s, 8);
    }
    return readDecimal(s);
}

Number calculate(double a, Operation op, double b)
{
    double r = 0;
    switch (op) {
    case Operation::Add:
        r = a + b;
        break;
    case Operation::Subtract:
        r = a - b;
        break;
    case Operation::Multiply:
        r = a * b;
        break;
    case Operation::Divide:
        if (b == 0 && !std::isnan(a))
            return {0, NumberError::DivideByZero};
        r = a / b;
        break;
    }
    if (std::isnan(r))
        return {r, NumberError::Invalid};
    if (std::isinf(r))
        return {r, NumberError::Overflow};
    return {r, NumberError::None};
}

QString numberText(double value, const QLocale &locale)
{
    if (!std::isfinite(value))
        return std::isnan(value) ? QStringLiteral("NaN")
                                 : QString::fromLatin1(value < 0 ? "-Infinity" : "Infinity");
    // 15 significant digits, correctly rounded: d.dddddddddddddde±x
    char buf[32];
    const auto end
        = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14)
              .ptr;
    const std::string sci(buf, end);
    const auto e = sci.find('e');
    std::string digits = sci.substr(0, 1) + sci.substr(2, e - 2);
    const int exponent = std::stoi(sci.substr(e + 1));
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    const QString separator = locale.decimalPoint();
    // Negative zero is not below zero, so it shows as "0".
    QString out = value < 0 ? QStringLiteral("-") : QString();
    const auto withFraction = [&](const std::string &whole, const std::string &fraction) {
        out += QString::fromLatin1(whole);
        if (!fraction.empty())
            out += separator + QString::fromLatin1(fraction);
    };

    // The form is decided on the rounded value, so 999999999999999.9 becomes "1E+15".
    if (exponent >= 15 || exponent < -4) {
        withFraction(digits.substr(0, 1), digits.substr(1));
        out += exponent < 0 ? u"E-" : u"E+";
        out += QStringLiteral("%1").arg(std::abs(exponent), 2, 10, QChar(u'0'));
    } else if (exponent >= 0) {
        const auto wholeDigits = std::size_t(exponent) + 1;
        if (digits.size() <= wholeDigits)
            withFraction(digits + std::string(wholeDigits - digits.size(), '0'), {});
        else
            withFraction(digits.substr(0, wholeDigits), digits.substr(wholeDigits));
    } else {
        withFraction("0", std::string(std::size_t(-exponent - 1), '0') + digits);
    }
    return out;
}

} // namespace tesmora
