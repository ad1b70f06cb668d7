#include "calculator/numberrules.h"
#include "tests/support/testmain.h"

#include <QTest>
#include <cfloat>
#include <cmath>
#include <limits>

using tesmora::NumberError;
using tesmora::Operation;

Q_DECLARE_METATYPE(tesmora::NumberError)
Q_DECLARE_METATYPE(tesmora::Operation)

namespace {
constexpr double inf = std::numeric_limits<double>::infinity();

QByteArray describe(double v)
{
    return QByteArray::number(v, 'g', 17);
}
} // namespace

class TestNumberRules : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void reading_data();
    void reading();
    void negativeSignIsKept();
    void arithmetic_data();
    void arithmetic();
    void text_data();
    void text();
    void textReadsBack_data();
    void textReadsBack();
};

void TestNumberRules::reading_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<NumberError>("error");
    const auto ok = NumberError::None;
    const auto overflow = NumberError::Overflow;

    // nothing that reads as a number
    QTest::newRow("empty") << "" << 0.0 << ok;
    QTest::newRow("letters only") << "abc" << 0.0 << ok;
    QTest::newRow("sign only") << "-" << 0.0 << ok;
    QTest::newRow("point only") << "." << 0.0 << ok;
    QTest::newRow("double sign") << "--7" << 0.0 << ok;
    QTest::newRow("plus then minus") << "+-7" << 0.0 << ok;
    QTest::newRow("exponent without mantissa") << "e5" << 0.0 << ok;
    QTest::newRow("currency sign first") << "$5" << 0.0 << ok;
    QTest::newRow("arabic-indic digits") << QString::fromUtf8("\u0661\u0662") << 0.0 << ok;

    // reading stops at the first unfitting character
    QTest::newRow("12abc") << "12abc" << 12.0 << ok;
    QTest::newRow("decimal comma ends") << "1,5" << 1.0 << ok;
    QTest::newRow("thousands separator ends") << "1,000" << 1.0 << ok;
    QTest::newRow("currency sign after") << "5$" << 5.0 << ok;
    QTest::newRow("second point ends") << "1.2.3" << 1.2 << ok;
    QTest::newRow("carriage return ends") << "1\r2" << 1.0 << ok;

    // blanks, tabs and line feeds vanish wherever they stand
    QTest::newRow("1 2") << "1 2" << 12.0 << ok;
    QTest::newRow("tab and line feed") << "1\t2\n3" << 123.0 << ok;
    QTest::newRow("blanks around sign") << " - 7 " << -7.0 << ok;
    QTest::newRow("blanks inside exponent") << "1 e 3" << 1000.0 << ok;
    QTest::newRow("copied result") << "  3.5" << 3.5 << ok;

    // signs, points, exponents
    QTest::newRow("+7") << "+7" << 7.0 << ok;
    QTest::newRow("-7") << "-7" << -7.0 << ok;
    QTest::newRow(".5") << ".5" << 0.5 << ok;
    QTest::newRow("5.") << "5." << 5.0 << ok;
    QTest::newRow("-.25") << "-.25" << -0.25 << ok;
    QTest::newRow("1e3") << "1e3" << 1000.0 << ok;
    QTest::newRow("1E+3") << "1E+3" << 1000.0 << ok;
    QTest::newRow("negative exponent") << "2.5e-3" << 0.0025 << ok;
    QTest::newRow("1e") << "1e" << 1.0 << ok;
    QTest::newRow("1e-") << "1e-" << 1.0 << ok;
    QTest::newRow("exponent sign then letter") << "1e+x" << 1.0 << ok;
    QTest::newRow("point before exponent") << "5.e2" << 500.0 << ok;
    QTest::newRow("exponent stops at point") << "1e2.5" << 100.0 << ok;
    QTest::newRow("0.1 rounds as a literal does") << "0.1" << 0.1 << ok;
    QTest::newRow("twenty digits") << "12345678901234567890" << 12345678901234567890.0 << ok;

    // hexadecimal and octal whole numbers
    QTest::newRow("&HFF") << "&HFF" << 255.0 << ok;
    QTest::newRow("lower case &hff") << "&hff" << 255.0 << ok;
    QTest::newRow("&H7FFF") << "&H7FFF" << 32767.0 << ok;
    QTest::newRow("&H8000") << "&H8000" << -32768.0 << ok;
    QTest::newRow("&HFFFF") << "&HFFFF" << -1.0 << ok;
    QTest::newRow("&H10000") << "&H10000" << 65536.0 << ok;
    QTest::newRow("&H7FFFFFFF") << "&H7FFFFFFF" << 2147483647.0 << ok;
    QTest::newRow("&H80000000") << "&H80000000" << -2147483648.0 << ok;
    QTest::newRow("&HFFFFFFFF") << "&HFFFFFFFF" << -1.0 << ok;
    QTest::newRow("leading zeros keep 16 bits") << "&H0000FFFF" << -1.0 << ok;
    QTest::newRow("&H100000000") << "&H100000000" << 0.0 << overflow;
    QTest::newRow("&H alone") << "&H" << 0.0 << ok;
    QTest::newRow("hex stops at G") << "&HFFG1" << 255.0 << ok;
    QTest::newRow("hex with blanks") << "& H F F" << 255.0 << ok;
    QTest::newRow("&O777") << "&O777" << 511.0 << ok;
    QTest::newRow("lower case &o17") << "&o17" << 15.0 << ok;
    QTest::newRow("octal stops at 8") << "&O178" << 15.0 << ok;
    QTest::newRow("&O8 has no digit") << "&O8" << 0.0 << ok;
    QTest::newRow("&O177777") << "&O177777" << -1.0 << ok;
    QTest::newRow("&O37777777777") << "&O37777777777" << -1.0 << ok;
    QTest::newRow("&O40000000000") << "&O40000000000" << 0.0 << overflow;
    QTest::newRow("ampersand, other letter") << "&X1" << 0.0 << ok;
    QTest::newRow("sign before ampersand") << "-&H1" << 0.0 << ok;

    // the range of a double
    QTest::newRow("1e308") << "1e308" << 1e308 << ok;
    QTest::newRow("largest double") << "1.7976931348623157e308" << DBL_MAX << ok;
    QTest::newRow("1e309") << "1e309" << 0.0 << overflow;
    QTest::newRow("-1e309") << "-1e309" << 0.0 << overflow;
    QTest::newRow("how the largest is written") << "1.79769313486232E+308" << DBL_MAX << ok;
    QTest::newRow("-(how the largest is written)") << "-1.79769313486232E+308" << -DBL_MAX << ok;
    QTest::newRow("past the largest, up to its written form")
        << "1.7976931348623199e308" << DBL_MAX << ok;
    QTest::newRow("just past how the largest is written")
        << "1.797693134862321e308" << 0.0 << overflow;
    QTest::newRow("-(just past how the largest is written)")
        << "-1.797693134862321e308" << 0.0 << overflow;
    QTest::newRow("huge exponent") << "1e99999999999999999999" << 0.0 << overflow;
    QTest::newRow("underflow is zero") << "1e-400" << 0.0 << ok;
    QTest::newRow("zero with huge exponent") << "0e999999" << 0.0 << ok;
}

void TestNumberRules::reading()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(NumberError, error);
    const tesmora::Number n = tesmora::readNumber(text);
    QCOMPARE(n.error, error);
    if (error == NumberError::None)
        QVERIFY2(n.value == value, describe(n.value));
}

void TestNumberRules::negativeSignIsKept()
{
    // A typed "-0" is negative zero; it must still show as "0" (see text()).
    QVERIFY(std::signbit(tesmora::readNumber(u"-0").value));
    QVERIFY(!std::signbit(tesmora::readNumber(u"-").value));
}

void TestNumberRules::arithmetic_data()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<Operation>("op");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("value");
    QTest::addColumn<NumberError>("error");
    const auto ok = NumberError::None;
    const auto overflow = NumberError::Overflow;
    const auto byZero = NumberError::DivideByZero;

    QTest::newRow("2 + 3") << 2.0 << Operation::Add << 3.0 << 5.0 << ok;
    QTest::newRow("10 - 4") << 10.0 << Operation::Subtract << 4.0 << 6.0 << ok;
    QTest::newRow("4 - 10") << 4.0 << Operation::Subtract << 10.0 << -6.0 << ok;
    QTest::newRow("6 * 7") << 6.0 << Operation::Multiply << 7.0 << 42.0 << ok;
    QTest::newRow("7 / 2") << 7.0 << Operation::Divide << 2.0 << 3.5 << ok;
    QTest::newRow("2 / 8") << 2.0 << Operation::Divide << 8.0 << 0.25 << ok;
    QTest::newRow("0 + 0") << 0.0 << Operation::Add << 0.0 << 0.0 << ok;
    QTest::newRow("0 * 0") << 0.0 << Operation::Multiply << 0.0 << 0.0 << ok;

    QTest::newRow("5 / 0") << 5.0 << Operation::Divide << 0.0 << 0.0 << byZero;
    QTest::newRow("-5 / 0") << -5.0 << Operation::Divide << 0.0 << 0.0 << byZero;
    QTest::newRow("5 / -0") << 5.0 << Operation::Divide << -0.0 << 0.0 << byZero;
    QTest::newRow("0 / 0") << 0.0 << Operation::Divide << 0.0 << 0.0 << byZero;

    QTest::newRow("1e308 + 1e308") << 1e308 << Operation::Add << 1e308 << 0.0 << overflow;
    QTest::newRow("-1e308 - 1e308") << -1e308 << Operation::Subtract << 1e308 << 0.0 << overflow;
    QTest::newRow("1e200 * 1e200") << 1e200 << Operation::Multiply << 1e200 << 0.0 << overflow;
    QTest::newRow("1e308 * -10") << 1e308 << Operation::Multiply << -10.0 << 0.0 << overflow;
    QTest::newRow("1e308 / 1e-10") << 1e308 << Operation::Divide << 1e-10 << 0.0 << overflow;
    QTest::newRow("1 / tiny") << 1.0 << Operation::Divide << 1e-320 << 0.0 << overflow;

    // inexact results and underflow are fine
    QTest::newRow("largest + 1") << DBL_MAX << Operation::Add << 1.0 << DBL_MAX << ok;
    QTest::newRow("underflow") << 1e-200 << Operation::Multiply << 1e-200 << 0.0 << ok;

    // not reachable from typed text, but never a silent NaN
    QTest::newRow("inf - inf") << inf << Operation::Subtract << inf << 0.0 << NumberError::Invalid;
    QTest::newRow("0 * inf") << 0.0 << Operation::Multiply << inf << 0.0 << NumberError::Invalid;
    QTest::newRow("inf + 1") << inf << Operation::Add << 1.0 << 0.0 << overflow;
}

void TestNumberRules::arithmetic()
{
    QFETCH(double, a);
    QFETCH(Operation, op);
    QFETCH(double, b);
    QFETCH(double, value);
    QFETCH(NumberError, error);
    const tesmora::Number n = tesmora::calculate(a, op, b);
    QCOMPARE(n.error, error);
    if (error == NumberError::None)
        QVERIFY2(n.value == value, describe(n.value));
}

void TestNumberRules::text_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    const QLocale en(QLocale::English, QLocale::UnitedStates);
    const QLocale de(QLocale::German, QLocale::Germany);
    const QLocale c = QLocale::c();

    QTest::newRow("zero") << 0.0 << en << "0";
    QTest::newRow("negative zero") << -0.0 << en << "0";
    QTest::newRow("whole") << 5.0 << en << "5";
    QTest::newRow("negative whole") << -5.0 << en << "-5";
    QTest::newRow("hundred") << 100.0 << en << "100";
    QTest::newRow("3.5") << 3.5 << en << "3.5";
    QTest::newRow("3.5 in C") << 3.5 << c << "3.5";
    QTest::newRow("3,5 with decimal comma") << 3.5 << de << "3,5";
    QTest::newRow("no grouping") << 1234567.25 << en << "1234567.25";
    QTest::newRow("no grouping, decimal comma") << 12345.678 << de << "12345,678";
    QTest::newRow("1/3") << 1.0 / 3.0 << en << "0.333333333333333";
    QTest::newRow("2/3 rounds up") << 2.0 / 3.0 << en << "0.666666666666667";
    QTest::newRow("-2/3") << -2.0 / 3.0 << en << "-0.666666666666667";
    QTest::newRow("0.1 + 0.2") << 0.1 + 0.2 << en << "0.3";
    QTest::newRow("123.456") << 123.456 << en << "123.456";

    // where the exponent form starts
    QTest::newRow("1e14") << 1e14 << en << "100000000000000";
    QTest::newRow("15 digits") << 123456789012345.0 << en << "123456789012345";
    QTest::newRow("fifteen nines") << 999999999999999.0 << en << "999999999999999";
    QTest::newRow("1e15") << 1e15 << en << "1E+15";
    QTest::newRow("16 digits") << 1234567890123456.0 << en << "1.23456789012346E+15";
    QTest::newRow("rounds up into 1E+15") << 999999999999999.9 << en << "1E+15";
    QTest::newRow("1e20") << 1e20 << en << "1E+20";
    QTest::newRow("-1e20") << -1e20 << en << "-1E+20";
    QTest::newRow("1.5e100") << 1.5e100 << en << "1.5E+100";
    QTest::newRow("largest double") << DBL_MAX << en << "1.79769313486232E+308";
    QTest::newRow("0.0001") << 0.0001 << en << "0.0001";
    QTest::newRow("0.00012345") << 0.00012345 << en << "0.00012345";
    QTest::newRow("rounds up into 0.0001") << 0.00009999999999999999 << en << "0.0001";
    QTest::newRow("just below 1e-4") << 0.000099999 << en << "9.9999E-05";
    QTest::newRow("1e-5") << 0.00001 << en << "1E-05";
    QTest::newRow("-1.5e-7") << -1.5e-7 << en << "-1.5E-07";
    QTest::newRow("-1.5e-7 decimal comma") << -1.5e-7 << de << "-1,5E-07";
    QTest::newRow("1e20 decimal comma") << 1e20 << de << "1E+20";
    QTest::newRow("smallest denormal") << 5e-324 << en << "4.94065645841247E-324";
    // never shown by the calculator, which reports these as errors, but never a crash
    QTest::newRow("infinity") << inf << en << "Infinity";
    QTest::newRow("-infinity") << -inf << en << "-Infinity";
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << en << "NaN";
}

void TestNumberRules::text()
{
    QFETCH(double, value);
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QCOMPARE(tesmora::numberText(value, locale), text);
}

void TestNumberRules::textReadsBack_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("readBack");
    // A result pasted into an operand reads back as the shown (rounded) number.
    QTest::newRow("whole") << 42.0 << 42.0;
    QTest::newRow("negative fraction") << -3.5 << -3.5;
    QTest::newRow("exponent") << 1e20 << 1e20;
    QTest::newRow("small exponent") << -1.5e-7 << -1.5e-7;
    QTest::newRow("rounded to 15 digits") << 1.0 / 3.0 << 0.333333333333333;
    QTest::newRow("largest double") << DBL_MAX << DBL_MAX;
    QTest::newRow("-largest double") << -DBL_MAX << -DBL_MAX;
    QTest::newRow("next below the largest") << std::nextafter(DBL_MAX, 0.0) << DBL_MAX;
    QTest::newRow("smallest denormal") << 5e-324 << 5e-324;
}

void TestNumberRules::textReadsBack()
{
    QFETCH(double, value);
    QFETCH(double, readBack);
    const QString shown = tesmora::numberText(value, QLocale::c());
    const tesmora::Number n = tesmora::readNumber(QStringLiteral("  ") + shown);
    QVERIFY(n.ok());
    QVERIFY2(n.value == readBack, describe(n.value));
}

TESMORA_TEST(TestNumberRules)
#include "tst_numberrules.moc"
