// Fuzz target for the calculator's number rules. Each input is used three ways:
//  - as text (UTF-8, and UTF-16 when its length allows) for readNumber: no input may crash or
//    hit undefined behaviour, a number read without an error is finite, and writing it and
//    reading the text back gives it again to 15 significant digits;
//  - its first 8 bytes as a double for numberText: for every finite x the text has at most 15
//    significant digits and reads back as x to 15 significant digits, and a locale with a comma
//    changes nothing but the separator;
//  - its first 17 bytes as two doubles and an operation for calculate: the verdict matches the
//    result (finite when no error, infinite on overflow).
// A broken property aborts with the values involved, so that libFuzzer keeps the input.

#include "calculator/numberrules.h"

#include <QLocale>
#include <QString>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace tesmora;

namespace {

[[noreturn]] void broken(const char *what, double x, const QString &text)
{
    std::fprintf(stderr, "%s: x = %.17g (%a), text = \"%s\"\n", what, x, x,
                 text.toUtf8().constData());
    std::abort();
}

// x rounded to 15 significant digits, as printf rounds it (independent of the rules' own
// formatting); zero of either sign is "0".
std::string fifteenDigits(double x)
{
    if (x == 0)
        return "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", x);
    return buf;
}

// Significant digits of a number text: the digits of the part before the exponent, without the
// leading zeros.
int significantDigits(const QString &text)
{
    QString mantissa = text.section(u'E', 0, 0);
    int count = 0;
    bool leading = true;
    for (QChar c : mantissa) {
        if (!c.isDigit())
            continue;
        if (leading && c == u'0')
            continue;
        leading = false;
        ++count;
    }
    return count;
}

void checkWritten(double x)
{
    if (!std::isfinite(x))
        return;
    static const QLocale c = QLocale::c();
    static const QLocale german(QLocale::German, QLocale::Germany);
    const QString text = numberText(x, c);
    if (significantDigits(text) > 15)
        broken("more than 15 significant digits", x, text);
    const Number back = readNumber(text);
    if (!back.ok())
        broken("written text does not read back", x, text);
    if (fifteenDigits(back.value) != fifteenDigits(x))
        broken("written text reads back as another number", x, text);
    QString withComma = text;
    withComma.replace(u'.', u',');
    if (numberText(x, german) != withComma)
        broken("a comma locale changes more than the separator", x, numberText(x, german));
}

void checkRead(QStringView text)
{
    const Number n = readNumber(text);
    if (n.ok()) {
        if (!std::isfinite(n.value))
            broken("read a non-finite number without an error", n.value, text.toString());
        checkWritten(n.value);
    }
}

double doubleAt(const std::uint8_t *data)
{
    double x;
    std::memcpy(&x, data, sizeof x);
    return x;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    checkRead(QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (size % 2 == 0) {
        QString utf16(qsizetype(size / 2), Qt::Uninitialized);
        std::memcpy(utf16.data(), data, size);
        checkRead(utf16);
    }
    if (size >= 8)
        checkWritten(doubleAt(data));
    if (size >= 17) {
        const double a = doubleAt(data);
        const double b = doubleAt(data + 8);
        const auto op = Operation(data[16] % 4);
        const Number r = calculate(a, op, b);
        if (r.ok() && !std::isfinite(r.value))
            broken("a non-finite result without an error", r.value, QString());
        if (r.error == NumberError::Overflow && !std::isinf(r.value))
            broken("an overflow with a finite result", r.value, QString());
    }
    return 0;
}
