// The translator's vocabulary, character for character, and its lookup rule.

#include "translator/wordtable.h"

#include <QSet>
#include <QTest>

using namespace tesmora;

namespace {

struct Pair
{
    const char16_t *english;
    const char16_t *spanish;
};

// Written with escapes, so that a wrongly encoded source file cannot pass.
const Pair expected[] = {
    {u"Air", u"Aire"},
    {u"Airplane", u"Aeroplano"},
    {u"Airport", u"Aeropuerto"},
    {u"Arrival", u""},
    {u"Arrivals", u"Llegadas"},
    {u"Baby", u"Beb\u00E8"},
    {u"Baggage", u"Equipaje"},
    {u"Bar", u"El Bar"},
    {u"Beer", u"Cerveza"},
    {u"Black", u"Negro"},
    {u"Blue", u"Azul"},
    {u"Boy", u"Ni\u00F1o"},
    {u"Brown", u"Caf\u00E8"},
    {u"Camera", u"C\u00E0mara Fotogr\u00E0fica"},
    {u"Car", u"Automovil"},
    {u"Chair", u"Silla"},
    {u"Coins", u"Monedas"},
    {u"Computer", u"Computadora"},
    {u"Dark", u"Obscuro"},
    {u"Daugther", u"Hija"},
    {u"Day", u"Dia"},
    {u"Departures", u"Salidas"},
    {u"Dog", u"Perro"},
    {u"Father", u"Padre"},
    {u"Film", u"Pel\u00ECcula"},
    {u"Food", u"Comida"},
    {u"Girl", u"Ni\u00F1a"},
    {u"Gray", u"Gris"},
    {u"Green", u"Verde"},
    {u"Hamburguer", u"Hamburguesa"},
    {u"Handbag", u"Malet\u00ECn"},
    {u"Head", u"Cabeza"},
    {u"Home", u"Casa"},
    {u"Hotel", u"Hotel"},
    {u"Hour", u"Hora"},
    {u"House", u"Casa"},
    {u"Landing", u"Aterrizaje"},
    {u"Light", u"Claro"},
    {u"Man", u"Hombre"},
    {u"Minute", u"Minuto"},
    {u"Miss", u"Se\u00F1ora"},
    {u"Misses", u"Se\u00F1orita"},
    {u"Mister", u"Se\u00F1or"},
    {u"Money", u"Dinero"},
    {u"Monitor", u"Monitor"},
    {u"Mother", u"Madre"},
    {u"Movies", u"Pel\u00ECculas"},
    {u"Music", u"M\u00F9sica"},
    {u"Newspaper", u"Peri\u00F2dico"},
    {u"Niece", u"Sobrina"},
    {u"Orange", u"Naranja"},
    {u"Passport", u"Pasaporte"},
    {u"People", u"Personas"},
    {u"Pilot", u"Piloto"},
    {u"Pink", u"Rosado"},
    {u"Price", u"Precio"},
    {u"Red", u"Rojo"},
    {u"Restaurant", u"Restaurante"},
    {u"Room", u"Habitaci\u00F2n"},
    {u"Row", u"Fila"},
    {u"Seat", u"Asiento"},
    {u"Second", u"Segundo"},
    {u"Shoes", u"Zapatos"},
    {u"Son", u"Hijo"},
    {u"Souvenir Shop", u"Tienda de Souvenirs"},
    {u"Space", u"Espacio"},
    {u"Table", u"Mesa"},
    {u"Taxi", u"Taxi , Carro de Alquiler"},
    {u"Telephone", u"Tel\u00E8fono"},
    {u"Ticket", u"Tiquete"},
    {u"Time", u"Tiempo"},
    {u"Today", u"Hoy"},
    {u"Travel Agency", u"Agencia de Viajes"},
    {u"Uncle", u"Tio"},
    {u"Voice", u"Voz"},
    {u"Waiting Room", u"Sala de Espera"},
    {u"White", u"Blanco"},
    {u"Woman", u"Mujer"},
    {u"Yellow", u"Amarillo"},
    {u"Yesterday", u"Ayer"},
};

} // namespace

class TestWordTable : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void holdsEightyDistinctEntries();
    void rows_data();
    void rows();
    void usesOnlyTheSixAccentedLetters();
    void lookup_data();
    void lookup();
};

void TestWordTable::holdsEightyDistinctEntries()
{
    const auto table = wordTable();
    QCOMPARE(table.size(), std::size(expected));
    QSet<QStringView> entries;
    for (const LookupRow &row : table)
        entries.insert(row.entry);
    QCOMPARE(entries.size(), qsizetype(80));
}

void TestWordTable::rows_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("spanish");
    for (int i = 0; i < int(std::size(expected)); ++i) {
        const QString english = QString::fromUtf16(expected[i].english);
        QTest::addRow("%d %s", i + 1, qPrintable(english))
            << i << english << QString::fromUtf16(expected[i].spanish);
    }
}

void TestWordTable::rows()
{
    QFETCH(int, position);
    QFETCH(QString, english);
    QFETCH(QString, spanish);
    const auto table = wordTable();
    QVERIFY(std::size_t(position) < table.size());
    QCOMPARE(table[position].entry.toString(), english);
    QCOMPARE(table[position].result.toString(), spanish);
    // Precomposed letters, no combining marks: what the user would type compares equal.
    QCOMPARE(table[position].result.toString(), spanish.normalized(QString::NormalizationForm_C));
}

void TestWordTable::usesOnlyTheSixAccentedLetters()
{
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
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("spanish");

    QTest::newRow("Home") << "Home" << true << "Casa";
    QTest::newRow("House shares Casa") << "House" << true << "Casa";
    QTest::newRow("Arrival gives the empty text") << "Arrival" << true << "";
    QTest::newRow("Arrivals") << "Arrivals" << true << "Llegadas";
    QTest::newRow("Hotel to itself") << "Hotel" << true << "Hotel";
    QTest::newRow("Monitor to itself") << "Monitor" << true << "Monitor";
    QTest::newRow("Miss") << "Miss" << true << QString::fromUtf16(u"Se\u00F1ora");
    QTest::newRow("Misses") << "Misses" << true << QString::fromUtf16(u"Se\u00F1orita");
    QTest::newRow("Taxi, blank before the comma") << "Taxi" << true << "Taxi , Carro de Alquiler";
    QTest::newRow("two words") << "Souvenir Shop" << true << "Tienda de Souvenirs";
    QTest::newRow("misspelt entry as listed") << "Daugther" << true << "Hija";
    QTest::newRow("correct spelling is not an entry") << "Daughter" << false << "";
    QTest::newRow("small letters differ") << "dog" << false << "";
    QTest::newRow("capitals differ") << "DOG" << false << "";
    QTest::newRow("trailing blank") << "Dog " << false << "";
    QTest::newRow("prefix of an entry") << "Mis" << false << "";
    QTest::newRow("longer than an entry") << "Dogs" << false << "";
    QTest::newRow("a Spanish text") << "Perro" << false << "";
    QTest::newRow("empty text") << "" << false << "";
}

void TestWordTable::lookup()
{
    QFETCH(QString, text);
    QFETCH(bool, found);
    QFETCH(QString, spanish);
    const auto result = tesmora::lookup(wordTable(), text);
    QCOMPARE(result.has_value(), found);
    if (found)
        QCOMPARE(result->toString(), spanish);
}

QTEST_GUILESS_MAIN(TestWordTable)
#include "tst_wordtable.moc"
