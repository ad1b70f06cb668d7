// The sorted lists' order: where one entry goes, that any order of adding gives the same list,
// and which locale's rules apply. (That the program's tables are in this order is checked with
// each table.)

#include "rules/collation.h"
#include "tests/support/defaultlocale.h"
#include "tests/support/testmain.h"

#include <QTest>
#include <algorithm>
#include <numeric>

using namespace tesmora;
using namespace tesmora::testing;

namespace {

// A fixed shuffle: every 7th entry, wrapping around (or the next step prime to the size).
QStringList interleaved(const QStringList &list)
{
    QStringList out;
    const qsizetype n = list.size();
    qsizetype step = 7;
    while (n > 1 && std::gcd(step, n) != 1)
        ++step;
    for (qsizetype i = 0; i < n; ++i)
        out.append(list.at((i * step) % n));
    return out;
}

QStringList sortedByAdding(const QStringList &adds, const ListCollation &order)
{
    QStringList list;
    for (const QString &entry : adds)
        list.insert(order.insertIndex(list, entry), entry);
    return list;
}

} // namespace

class TestCollation : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void insertIndex_data();
    void insertIndex();
    void addingInAnyOrderSorts_data();
    void addingInAnyOrderSorts();
    void followsTheDefaultLocale_data();
    void followsTheDefaultLocale();
};

void TestCollation::insertIndex_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("sorted");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("index");

    const QString mexico = QString::fromUtf16(u"M\u00E8xico");
    const QString peru = QString::fromUtf16(u"Per\u00F9");
    const QString apfel = QString::fromUtf16(u"\u00C4pfel");
    for (const char *locale : sortingLocales) {
        auto row = [&](const char *name) { return &QTest::addRow("%s: %s", locale, name); };
        *row("capital among small letters")
            << locale << QStringList {"apple", "cherry"} << "Banana" << 1;
        *row("small among capitals") << locale << QStringList {"Apple", "Cherry"} << "banana" << 1;
        *row("accented letter with its base")
            << locale << QStringList {"Malta", "Monaco"} << mexico << 1;
        *row("accent after the plain letter")
            << locale << QStringList {"Mexico", "Monaco"} << mexico << 1;
        *row("plain letter before the accent")
            << locale << QStringList {mexico, "Monaco"} << "Mexico" << 0;
        *row("u grave with u") << locale << QStringList {"Paraguay", "Poland"} << peru << 1;
        *row("accented capital at the front")
            << locale << QStringList {"Azur", "Bahamas"} << apfel << 0;
        *row("empty before everything") << locale << QStringList {"Alabama"} << "" << 0;
        *row("empty after the empty ones") << locale << QStringList {"", "", "Alabama"} << "" << 2;
        *row("after an entry equal but for case")
            << locale << QStringList {"Italy", "Japan"} << "italy" << 1;
        *row("prefix before the longer entry")
            << locale << QStringList {"Arrivals"} << "Arrival" << 0;
        *row("into an empty list") << locale << QStringList {} << "Air" << 0;
        *row("at the end") << locale << QStringList {"Air", "Day"} << "Yesterday" << 2;
    }
}

void TestCollation::insertIndex()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, sorted);
    QFETCH(QString, entry);
    QFETCH(int, index);
    QCOMPARE(ListCollation(QLocale(locale)).insertIndex(sorted, entry), qsizetype(index));
}

void TestCollation::addingInAnyOrderSorts_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("adds");
    QTest::addColumn<QStringList>("sorted");

    const QStringList sorted = {"",
                                "",
                                "apple",
                                "Arrival",
                                "Arrivals",
                                "Banana",
                                "cherry",
                                "Malta",
                                "Mexico",
                                QString::fromUtf16(u"M\u00E8xico"),
                                "Miss",
                                "Misses",
                                "Mister",
                                "Monaco",
                                QString::fromUtf16(u"Per\u00F9"),
                                "Poland",
                                "Souvenir Shop",
                                "Space",
                                "zebra"};
    QStringList reversed = sorted;
    std::ranges::reverse(reversed);
    for (const char *locale : sortingLocales) {
        QTest::addRow("%s: reversed", locale) << locale << reversed << sorted;
        QTest::addRow("%s: shuffled", locale) << locale << interleaved(sorted) << sorted;
    }
}

void TestCollation::addingInAnyOrderSorts()
{
    // Entry by entry at insertIndex(): whatever the order of adding, the same sorted list.
    QFETCH(QString, locale);
    QFETCH(QStringList, adds);
    QFETCH(QStringList, sorted);
    QCOMPARE(sortedByAdding(adds, ListCollation(QLocale(locale))), sorted);
}

void TestCollation::followsTheDefaultLocale_data()
{
    QTest::addColumn<QString>("defaultLocale");
    QTest::addColumn<QString>("sortsAs");

    QTest::newRow("C sorts as English") << "C"
                                        << "en_US";
    QTest::newRow("POSIX sorts as English") << "POSIX"
                                            << "en_US";
    QTest::newRow("C.UTF-8 sorts as English") << "C.UTF-8"
                                              << "en_US";
    QTest::newRow("German") << "de_DE"
                            << "de_DE";
    QTest::newRow("Spanish") << "es_ES"
                             << "es_ES";
    QTest::newRow("Swedish") << "sv_SE"
                             << "sv_SE";
}

void TestCollation::followsTheDefaultLocale()
{
    QFETCH(QString, defaultLocale);
    QFETCH(QString, sortsAs);
    const DefaultLocale pinned {QLocale(defaultLocale)};
    QCOMPARE(ListCollation().locale().name(), sortsAs);
}

TESMORA_TEST(TestCollation)
#include "tst_collation.moc"
