// What must hold of the three code lists and their code rows: sizes, order as the sorted lists
// show them, rows only for entries a list offers, the entries the panel's users rely on, and the
// codes their lookups find.

#include "codes/codetables.h"
#include "rules/collation.h"
#include "tests/support/defaultlocale.h"
#include "tests/support/testmain.h"

#include <QSet>
#include <QTest>

using namespace tesmora;
using namespace tesmora::testing;

namespace {

enum class CodeList { Areas, Countries, Internet };

struct CodeTable
{
    std::span<const QStringView> entries; // as the list shows them
    std::span<const LookupRow> codes;
};

CodeTable tableOf(CodeList list)
{
    const CodeTable tables[]
        = {{areaList(), areaCodes()}, {countryList(), countryCodes()}, {urlList(), urlCodes()}};
    return tables[int(list)];
}

} // namespace

Q_DECLARE_METATYPE(CodeList)

class TestCodeTables : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void shape_data();
    void shape();
    void sortedAsTheListShowsIt_data();
    void sortedAsTheListShowsIt();
    void examples_data();
    void examples();
};

void TestCodeTables::shape_data()
{
    QTest::addColumn<CodeList>("list");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("empty"); // entries with an empty text, all at the top

    QTest::newRow("areas") << CodeList::Areas << 52 << 27;
    QTest::newRow("countries") << CodeList::Countries << 43 << 0;
    QTest::newRow("internet") << CodeList::Internet << 2 << 0;
}

void TestCodeTables::shape()
{
    QFETCH(CodeList, list);
    QFETCH(int, count);
    QFETCH(int, empty);
    const auto [entries, codes] = tableOf(list);
    QCOMPARE(int(entries.size()), count);
    QCOMPARE(int(std::ranges::count(entries, QStringView())), empty);
    // The rest are distinct.
    QSet<QStringView> named(entries.begin() + empty, entries.end());
    QCOMPARE(named.size(), qsizetype(count - empty));
    QVERIFY(!named.contains(QStringView()));

    // Two code rows, each for an entry the list offers (no other could ever be looked up); no
    // area has a number.
    QCOMPARE(codes.size(), std::size_t(2));
    for (const LookupRow &row : codes) {
        QVERIFY2(std::ranges::find(entries, row.entry) != entries.end(),
                 qPrintable(row.entry.toString()));
        if (list == CodeList::Areas)
            QVERIFY2(row.result.isEmpty(), qPrintable(row.result.toString()));
    }
}

void TestCodeTables::sortedAsTheListShowsIt_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<CodeList>("list");
    for (const char *locale : sortingLocales) {
        QTest::addRow("%s: areas", locale) << locale << CodeList::Areas;
        QTest::addRow("%s: countries", locale) << locale << CodeList::Countries;
        QTest::addRow("%s: internet", locale) << locale << CodeList::Internet;
    }
}

void TestCodeTables::sortedAsTheListShowsIt()
{
    // Each entry sorts after the one above it (the empty ones sort equal), so the sorted list
    // shows the order of the table whatever the order of adding.
    QFETCH(QString, locale);
    QFETCH(CodeList, list);
    const ListCollation order {QLocale(locale)};
    const auto entries = tableOf(list).entries;
    for (std::size_t i = 1; i < entries.size(); ++i) {
        const int c = order.compare(entries[i - 1], entries[i]);
        const QString pair = entries[i - 1].toString() + u'/' + entries[i].toString();
        QVERIFY2(c < 0 || (c == 0 && entries[i].isEmpty()), qPrintable(pair));
    }
}

void TestCodeTables::examples_data()
{
    QTest::addColumn<CodeList>("list");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("position"); // in the list, from 1 at the top; 0: not offered
    QTest::addColumn<bool>("found"); // whether its lookup finds a row
    QTest::addColumn<QString>("code");

    using L = CodeList;
    QTest::newRow("blank area") << L::Areas << "" << 1 << false << "";
    QTest::newRow("Alabama after the blanks") << L::Areas << "Alabama" << 28 << false << "";
    QTest::newRow("Arkansas clears") << L::Areas << "Arkansas" << 29 << true << "";
    QTest::newRow("Texas clears") << L::Areas << "Texas" << 51 << true << "";
    QTest::newRow("El Salvador") << L::Countries << "El Salvador" << 12 << true << "SV";
    QTest::newRow("Guatemala") << L::Countries << "Guatemala" << 15 << false << "";
    QTest::newRow("Italy") << L::Countries << "Italy" << 20 << true << "ITA";
    QTest::newRow("Malta") << L::Countries << "Malta" << 22 << false << "";
    QTest::newRow("accented Mexico after Malta")
        << L::Countries << QString::fromUtf16(u"M\u00E8xico") << 23 << false << "";
    QTest::newRow("Monaco after Mexico") << L::Countries << "Monaco" << 24 << false << "";
    QTest::newRow("accented Peru")
        << L::Countries << QString::fromUtf16(u"Per\u00F9") << 30 << false << "";
    QTest::newRow("internet El Salvador") << L::Internet << "El Salvador" << 1 << true << "SV";
    QTest::newRow("internet Italy") << L::Internet << "Italy" << 2 << true << "ITA";
    // No codes are held for countries the internet list does not offer.
    for (const char *unlisted : {"Mexico", "Guatemala", "Argentina", "Chile", "Brazil"})
        QTest::addRow("internet %s: none", unlisted) << L::Internet << unlisted << 0 << false << "";
}

void TestCodeTables::examples()
{
    QFETCH(CodeList, list);
    QFETCH(QString, entry);
    QFETCH(int, position);
    QFETCH(bool, found);
    QFETCH(QString, code);
    const auto [entries, codes] = tableOf(list);
    const auto at = std::ranges::find(entries, QStringView(entry));
    QCOMPARE(at == entries.end() ? 0 : int(at - entries.begin()) + 1, position);

    const auto result = lookup(codes, entry);
    QCOMPARE(result.has_value(), found);
    if (result)
        QCOMPARE(result->toString(), code);
}

TESMORA_TEST(TestCodeTables)
#include "tst_codetables.moc"
