// Adding to a sorted list box or combo box: each entry at its place, and a combo box neither
// selects what is added nor loses the text its field shows.

#include "controls/sortedlists.h"
#include "tests/support/combogestures.h"
#include "tests/support/defaultlocale.h"
#include "tests/support/listgestures.h"
#include "tests/support/testmain.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>

using namespace tesmora;
using namespace tesmora::testing;

class TestSortedLists : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void adds_data();
    void listBox();
    void listBox_data() { adds_data(); }
    void comboBox();
    void comboBox_data() { adds_data(); }
    void comboBoxKeepsItsCurrentEntry();
};

void TestSortedLists::adds_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("adds");
    QTest::addColumn<QStringList>("expected");

    // Where each entry goes is the lists' collation (tests/rules); here, that adding puts it
    // there, under every default locale: case ignored, an accent with its base, empty first.
    const QString mexico = QString::fromUtf16(u"M\u00E8xico");
    for (const char *locale : sortingLocales)
        QTest::newRow(locale) << locale
                              << QStringList {"Monaco", "cherry", "",     mexico, "Banana",
                                              "Malta",  "apple",  "Miss", ""}
                              << QStringList {"",      "",     "apple", "Banana", "cherry",
                                              "Malta", mexico, "Miss",  "Monaco"};
}

void TestSortedLists::listBox()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, adds);
    QFETCH(QStringList, expected);
    const DefaultLocale pinned {QLocale(locale)};

    QListWidget list;
    for (const QString &entry : adds)
        addItem(&list, entry);
    QCOMPARE(shown(&list), expected);
    QVERIFY(list.selectedItems().isEmpty());
    QCOMPARE(list.currentRow(), -1);
}

void TestSortedLists::comboBox()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, adds);
    QFETCH(QStringList, expected);
    const DefaultLocale pinned {QLocale(locale)};

    for (bool editable : {true, false}) {
        QComboBox combo;
        combo.setEditable(editable);
        combo.setInsertPolicy(QComboBox::NoInsert);
        if (editable)
            combo.setEditText(QStringLiteral("Area Codes"));
        QSignalSpy indexChanges(&combo, &QComboBox::currentIndexChanged);
        QSignalSpy textChanges(&combo, &QComboBox::currentTextChanged);
        QSignalSpy activations(&combo, &QComboBox::activated);

        for (const QString &entry : adds)
            addItem(&combo, entry);

        QCOMPARE(shown(&combo), expected);
        QCOMPARE(combo.currentIndex(), -1);
        QCOMPARE(combo.currentText(), editable ? QStringLiteral("Area Codes") : QString());
        if (editable)
            QCOMPARE(combo.lineEdit()->text(), QStringLiteral("Area Codes"));
        QCOMPARE(indexChanges.count(), 0);
        QCOMPARE(textChanges.count(), 0);
        QCOMPARE(activations.count(), 0);
    }
}

void TestSortedLists::comboBoxKeepsItsCurrentEntry()
{
    const DefaultLocale pinned {QLocale(QStringLiteral("en_US"))};
    QComboBox combo;
    combo.setEditable(true);
    combo.setInsertPolicy(QComboBox::NoInsert);
    addItem(&combo, QStringLiteral("Monaco"));
    addItem(&combo, QStringLiteral("Malta"));
    combo.setCurrentIndex(1);
    QCOMPARE(combo.currentText(), QStringLiteral("Monaco"));

    addItem(&combo, QStringLiteral("Italy")); // before the current entry
    addItem(&combo, QStringLiteral("Norway")); // after it
    QCOMPARE(shown(&combo), (QStringList {"Italy", "Malta", "Monaco", "Norway"}));
    QCOMPARE(combo.currentIndex(), 2);
    QCOMPARE(combo.currentText(), QStringLiteral("Monaco"));
}

TESMORA_TEST(TestSortedLists)
#include "tst_sortedlists.moc"
