// What must hold of the translator's vocabulary: its size, its order as the word list sorts it,
// its letters, the rows the panel's users rely on, and the lookup rule.

#include "rules/collation.h"
#include "tests/support/defaultlocale.h"
#include "tests/support/testmain.h"
#include "translator/wordtable.h"

#include <QSet>
#include <QTest>

using namespace tesmora;
using namespace tesmora::testing;

class TestWordTable : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void eightyDistinctEntries();
    void sortedAsTheListShowsIt_data();
    void sortedAsTheListShowsIt();
    void usesOnlyTheSixAccentedLetters();
    void lookup_data();
    void lookup();
};

void TestWordTable::eightyDistinctEntries()
{
    QSet<QStringView> entries;
    for (const LookupRow &row : wordTable())
        entries.insert(row.entry);
    QCOMPARE(wordTable().size(), std::size_t(80));
    QCOMPARE(entries.size(), qsizetype(80));
}

void TestWordTable::sortedAsTheListShowsIt_data()
{
    QTest::addColumn<QString>("locale");
    for (const char *locale : sortingLocales)
        QTest::newRow(locale) << locale;
}

void TestWordTable::sortedAsTheListShowsIt()
{
    // Each entry sorts strictly after the one above it, so the sorted list shows the table's
    // order whatever the order of adding.
    QFETCH(QString, locale);
    const ListCollation order {QLocale(locale)};
    const auto table = wordTable();
    for (std::size_t i = 1; i < table.size(); ++i) {
        const QString pair = table[i - 1].entry.toString() + u'/' + table[i].entry.toString();
        QVERIFY2(order.compare(table[i - 1].entry, table[i].entry) < 0, qPrintable(pair));
    }
}

void TestWordTable::usesOnlyTheSixAccentedLetters()
{
    // Plain ASCII entries; Spanish texts with precomposed à è ì ò ù ñ only, each of them used.
    // A wrongly encoded source file shows up here as other letters.
    const QString allowed = QString::fromUtf16(u"\u00E0\u00E8\u00EC\u00F2\u00F9\u00F1");
    QSet<QChar> seen;
    for (const LookupRow &row : wordTable()) {
        for (QChar ch : row.entry)
            QVERIFY2(ch.unicode() < 0x80, qPrintable(row.entry.toString()));
        for (QChar ch : row.result) {
            if (ch.unicode() >= 0x80) {
                QVERIFY2(allowed.contains(ch), qPrintable(row.result.toString()));
                seen.insert(ch);
            }
        }
    }
    QCOMPARE(seen.size(), allowed.size());
}

void TestWordTable::lookup_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position"); // in the list, from 1 at the top; 0: no entry
    QTest::addColumn<QString>("spanish");

    QTest::newRow("first") << "Air" << 1 << "Aire";
    QTest::newRow("Arrival, the empty text") << "Arrival" << 4 << "";
    QTest::newRow("Arrivals below it") << "Arrivals" << 5 << "Llegadas";
    QTest::newRow("misspelt as listed") << "Daugther" << 20 << "Hija";
    QTest::newRow("Hamburguer") << "Hamburguer" << 30 << "Hamburguesa";
    QTest::newRow("Home") << "Home" << 33 << "Casa";
    QTest::newRow("Hotel to itself") << "Hotel" << 34 << "Hotel";
    QTest::newRow("House shares Casa") << "House" << 36 << "Casa";
    QTest::newRow("Miss") << "Miss" << 41 << QString::fromUtf16(u"Se\u00F1ora");
    QTest::newRow("Misses") << "Misses" << 42 << QString::fromUtf16(u"Se\u00F1orita");
    QTest::newRow("Mister") << "Mister" << 43 << QString::fromUtf16(u"Se\u00F1or");
    QTest::newRow("Monitor to itself") << "Monitor" << 45 << "Monitor";
    QTest::newRow("two accents") << "Camera" << 14
                                 << QString::fromUtf16(u"C\u00E0mara Fotogr\u00E0fica");
    QTest::newRow("two words") << "Souvenir Shop" << 65 << "Tienda de Souvenirs";
    QTest::newRow("Taxi, blank before the comma") << "Taxi" << 68 << "Taxi , Carro de Alquiler";
    QTest::newRow("last") << "Yesterday" << 80 << "Ayer";

    // The whole text, exactly: no case folding, no trimming, no prefix.
    QTest::newRow("correct spelling") << "Daughter" << 0 << "";
    QTest::newRow("small letters") << "dog" << 0 << "";
    QTest::newRow("capitals") << "DOG" << 0 << "";
    QTest::newRow("trailing blank") << "Dog " << 0 << "";
    QTest::newRow("prefix of an entry") << "Mis" << 0 << "";
    QTest::newRow("longer than an entry") << "Dogs" << 0 << "";
    QTest::newRow("a Spanish text") << "Perro" << 0 << "";
    QTest::newRow("empty text") << "" << 0 << "";
}

void TestWordTable::lookup()
{
    QFETCH(QString, text);
    QFETCH(int, position);
    QFETCH(QString, spanish);
    const auto table = wordTable();
    const auto row = std::ranges::find(table, QStringView(text), &LookupRow::entry);
    QCOMPARE(row == table.end() ? 0 : int(row - table.begin()) + 1, position);

    const auto result = tesmora::lookup(table, text);
    QCOMPARE(result.has_value(), position > 0);
    if (result)
        QCOMPARE(result->toString(), spanish);
}

TESMORA_TEST(TestWordTable)
#include "tst_wordtable.moc"
