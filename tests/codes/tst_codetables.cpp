// The three code lists, character for character, and the codes each lookup finds.

#include "codes/codetables.h"
#include "tests/support/listtexts.h"

#include <QTest>

using namespace tesmora;
using namespace tesmora::testing;

namespace {

enum class List { Areas, Countries, Internet };

std::span<const LookupRow> codesOf(List list)
{
    switch (list) {
    case List::Areas:
        return areaCodes();
    case List::Countries:
        return countryCodes();
    case List::Internet:
        return urlCodes();
    }
    return {};
}

} // namespace

Q_DECLARE_METATYPE(List)

class TestCodeTables : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void lists_data();
    void lists();
    void codes_data();
    void codes();
};

void TestCodeTables::lists_data()
{
    QTest::addColumn<QStringList>("actual");
    QTest::addColumn<QStringList>("expected");

    QStringList areas(27, QString());
    areas << "Alabama"
          << "Arkansas"
          << "California"
          << "Colorado"
          << "Conneticut"
          << "Delaware"
          << "District of Columbia"
          << "Florida"
          << "Hawaii"
          << "Idaho"
          << "Illinois"
          << "Kentucky"
          << "Luisiana"
          << "Maine"
          << "Nevada"
          << "New Jersey"
          << "New Mexico"
          << "New York"
          << "North Carolina"
          << "Oklahoma"
          << "Oregon"
          << "Puerto Rico"
          << "South Carolina"
          << "Texas"
          << "Washington";
    QTest::newRow("areas: 27 empty, then 25 names") << texts(areaList()) << areas;

    const QStringList countries {"Argentina",
                                 "Bahamas",
                                 "Barbados",
                                 "Bolivia",
                                 "Brazil",
                                 "Canada",
                                 "Chile",
                                 "China",
                                 "Colombia",
                                 "Cuba",
                                 "Dominican Republic",
                                 "El Salvador",
                                 "France",
                                 "Germany",
                                 "Guatemala",
                                 "Holland",
                                 "Honduras",
                                 "Iraq",
                                 "Ireland",
                                 "Italy",
                                 "Japan",
                                 "Malta",
                                 QString::fromUtf16(u"M\u00E8xico"),
                                 "Monaco",
                                 "Nicaragua",
                                 "Nigeria",
                                 "North Korea",
                                 "Norway",
                                 "Paraguay",
                                 QString::fromUtf16(u"Per\u00F9"),
                                 "Poland",
                                 "Portugal",
                                 "Rusia",
                                 "South Korea",
                                 "Spain",
                                 "Surinam",
                                 "Sweden",
                                 "Swisserland",
                                 "United Kingdom",
                                 "United States of America",
                                 "Uruguay",
                                 "Venezuela",
                                 "Vietnam"};
    QTest::newRow("43 countries") << texts(countryList()) << countries;

    QTest::newRow("2 internet countries")
        << texts(urlList()) << QStringList {"El Salvador", "Italy"};
}

void TestCodeTables::lists()
{
    QFETCH(QStringList, actual);
    QFETCH(QStringList, expected);
    QCOMPARE(actual.size(), expected.size());
    for (qsizetype i = 0; i < actual.size(); ++i)
        QCOMPARE(actual.at(i), expected.at(i));
}

void TestCodeTables::codes_data()
{
    QTest::addColumn<List>("list");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("code");

    QTest::newRow("Texas clears") << List::Areas << "Texas" << true << "";
    QTest::newRow("Arkansas clears") << List::Areas << "Arkansas" << true << "";
    QTest::newRow("Alabama: none") << List::Areas << "Alabama" << false << "";
    QTest::newRow("blank area: none") << List::Areas << "" << false << "";
    QTest::newRow("texas: case counts") << List::Areas << "texas" << false << "";

    QTest::newRow("El Salvador") << List::Countries << "El Salvador" << true << "SV";
    QTest::newRow("Italy") << List::Countries << "Italy" << true << "ITA";
    QTest::newRow("Guatemala: none") << List::Countries << "Guatemala" << false << "";
    QTest::newRow("accented Mexico: none")
        << List::Countries << QString::fromUtf16(u"M\u00E8xico") << false << "";
    QTest::newRow("italy: case counts") << List::Countries << "italy" << false << "";
    QTest::newRow("Italy with a blank") << List::Countries << "Italy " << false << "";

    QTest::newRow("internet El Salvador") << List::Internet << "El Salvador" << true << "SV";
    QTest::newRow("internet Italy") << List::Internet << "Italy" << true << "ITA";
    // Codes for countries the internet list does not offer are not held.
    for (const char *unlisted : {"Mexico", "Guatemala", "Argentina", "Chile", "Brazil"})
        QTest::addRow("internet %s: none", unlisted) << List::Internet << unlisted << false << "";
}

void TestCodeTables::codes()
{
    QFETCH(List, list);
    QFETCH(QString, entry);
    QFETCH(bool, found);
    QFETCH(QString, code);
    const auto result = lookup(codesOf(list), entry);
    QCOMPARE(result.has_value(), found);
    if (found)
        QCOMPARE(result->toString(), code);
}

QTEST_GUILESS_MAIN(TestCodeTables)
#include "tst_codetables.moc"
