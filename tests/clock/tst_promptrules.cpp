#include "clock/promptrules.h"
#include "tests/support/testmain.h"

#include <QTest>

using tesmora::isWrongNumber;

class TestPromptRules : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void answers_data();
    void answers();
    void cancelIsNeverWrong();
};

void TestPromptRules::answers_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("wrong");

    // Accepted: plain non-negative decimals, blanks around them ignored.
    QTest::newRow("zero") << "0" << false;
    QTest::newRow("five") << "5" << false;
    QTest::newRow("ninety") << "90" << false;
    QTest::newRow("leading zeros") << "007" << false;
    QTest::newRow("one and a half") << "1.5" << false;
    QTest::newRow("leading period") << ".5" << false;
    QTest::newRow("trailing period") << "5." << false;
    QTest::newRow("blanks around") << " 5 " << false;
    QTest::newRow("tab and newline around") << "\t12\n" << false;
    QTest::newRow("longer than any integer type") << "123456789012345678901234567890" << false;

    // Refused.
    QTest::newRow("empty") << "" << true;
    QTest::newRow("blanks only") << "   " << true;
    QTest::newRow("period only") << "." << true;
    QTest::newRow("two periods") << "1.2.3" << true;
    QTest::newRow("minus") << "-3" << true;
    QTest::newRow("plus") << "+3" << true;
    QTest::newRow("letters") << "abc" << true;
    QTest::newRow("trailing letter") << "5a" << true;
    QTest::newRow("exponent") << "1e3" << true;
    QTest::newRow("decimal comma") << "1,5" << true;
    QTest::newRow("blank inside") << "5 5" << true;
    QTest::newRow("arabic-indic digit") << QString(QChar(0x0663)) << true;
    QTest::newRow("fullwidth digit") << QString(QChar(0xFF15)) << true;
}

void TestPromptRules::answers()
{
    QFETCH(QString, answer);
    QFETCH(bool, wrong);
    QCOMPARE(isWrongNumber(answer), wrong);
}

void TestPromptRules::cancelIsNeverWrong()
{
    QVERIFY(!isWrongNumber(std::nullopt));
}

TESMORA_TEST(TestPromptRules)
#include "tst_promptrules.moc"
