// The texts of the clock: the product title, the time and the date in several locales. (The
// title while minimised is checked where the window writes it, tst_clocktick.cpp.)

#include "clock/clocktext.h"
#include "tests/support/testmain.h"

#include <QTest>

using namespace tesmora;

class TestClockText : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void title_data();
    void title();
    void timeText_data();
    void timeText();
    void timeFormatHasSecondsAndNoZone_data();
    void timeFormatHasSecondsAndNoZone();
    void dateText_data();
    void dateText();
};

void TestClockText::title_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<QString>("title");
    // Five blanks after the name's full stop, one after "ver.", the build number left out.
    QTest::newRow("no leading zeros") << "01.00.0000.0009"
                                      << "Tesmora.     ver. 1.0.9";
    QTest::newRow("build is not shown") << "2.3.7.11"
                                        << "Tesmora.     ver. 2.3.11";
    QTest::newRow("missing parts read as 0") << "4"
                                             << "Tesmora.     ver. 4.0.0";
}

void TestClockText::title()
{
    QFETCH(QString, record);
    QFETCH(QString, title);
    QCOMPARE(titleText(parseVersion(record)), title);
}

void TestClockText::timeText_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QString>("text");
    QTest::newRow("C") << "C" << QTime(9, 4, 2) << "09:04:02";
    QTest::newRow("C midnight") << "C" << QTime(0, 0, 0) << "00:00:00";
    QTest::newRow("C evening") << "C" << QTime(23, 59, 59) << "23:59:59";
    QTest::newRow("de_DE") << "de_DE" << QTime(9, 4, 2) << "09:04:02";
    QTest::newRow("es_ES") << "es_ES" << QTime(21, 4, 2) << "21:04:02";
    QTest::newRow("en_GB") << "en_GB" << QTime(21, 4, 2) << "21:04:02";
}

void TestClockText::timeText()
{
    QFETCH(QString, locale);
    QFETCH(QTime, time);
    QFETCH(QString, text);
    QCOMPARE(tesmora::timeText(time, QLocale(locale)), text);
}

void TestClockText::timeFormatHasSecondsAndNoZone_data()
{
    QTest::addColumn<QString>("locale");
    for (const char *name : {"C", "en_US", "en_GB", "de_DE", "es_ES", "fr_FR", "ja_JP", "ko_KR",
                             "zh_CN", "ar_EG", "ru_RU", "pt_BR", "fi_FI", "hi_IN"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestClockText::timeFormatHasSecondsAndNoZone()
{
    QFETCH(QString, locale);
    const QLocale l(locale);
    const QString text = tesmora::timeText(QTime(14, 5, 37), l);
    // The seconds appear (in the locale's digits), no zone name or offset does, and nothing is
    // left dangling at the ends.
    QVERIFY2(text.contains(l.toString(37)), qPrintable(text));
    QVERIFY2(!text.contains(QLatin1String("UTC")) && !text.contains(QLatin1String("GMT"))
                 && !text.contains(QLatin1Char('(')) && !text.contains(QLatin1Char('[')),
             qPrintable(text));
    QCOMPARE(text, text.trimmed());
    // Another second gives another text: the format really carries the seconds.
    QVERIFY(text != tesmora::timeText(QTime(14, 5, 38), l));
}

void TestClockText::dateText_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("text");
    QTest::newRow("C") << "C" << QDate(2026, 12, 7) << "2026-12-07";
    QTest::newRow("C new year") << "C" << QDate(2027, 1, 1) << "2027-01-01";
    QTest::newRow("en_US") << "en_US" << QDate(2026, 12, 7) << "12/7/26";
    QTest::newRow("de_DE") << "de_DE" << QDate(2026, 12, 7) << "07.12.26";
    QTest::newRow("es_ES") << "es_ES" << QDate(2026, 12, 7) << "7/12/26";
}

void TestClockText::dateText()
{
    QFETCH(QString, locale);
    QFETCH(QDate, date);
    QFETCH(QString, text);
    QCOMPARE(tesmora::dateText(date, QLocale(locale)), text);
}

TESMORA_TEST(TestClockText)
#include "tst_clocktext.moc"
