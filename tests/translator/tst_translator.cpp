// The translator's lookups, on real widgets wired as the window wires them: a selection in the
// word list (the list's selection changing, or a click on an entry) runs List1_Click, a change
// of the search box's text runs Text6_Change.

#include "app/controls.h"
#include "tests/support/watchdog.h"
#include "tests/translator/defaultlocale.h"
#include "tests/translator/listgestures.h"
#include "translator/translator.h"
#include "translator/wordtable.h"

#include <QListWidget>
#include <QTest>

using namespace tesmora;
using namespace tesmora::testing;

namespace {

struct TranslatorPanel
{
    QWidget window;
    QListWidget *List1 = new QListWidget(&window);
    TextBox *Text6 = new TextBox(&window);
    TextBox *Text7 = new TextBox(&window);
    Translator translator {{List1, Text6, Text7}};

    TranslatorPanel()
    {
        window.resize(470, 145);
        List1->setGeometry(32, 16, 209, 116);
        Text6->setGeometry(264, 32, 193, 25);
        Text7->setGeometry(264, 104, 193, 25);
        QObject::connect(List1, &QListWidget::itemSelectionChanged, &window,
                         [this] { translator.List1_Click(); });
        QObject::connect(List1, &QListWidget::itemClicked, &window,
                         [this] { translator.List1_Click(); });
        QObject::connect(Text6, &QLineEdit::textChanged, &window,
                         [this] { translator.Text6_Change(); });
    }
    bool show()
    {
        window.show();
        return QTest::qWaitForWindowExposed(&window);
    }
};

void typeInto(TextBox *box, const QString &text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
}

QStringList shown(const QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out.append(list->item(i)->text());
    return out;
}

} // namespace

class TestTranslator : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { watchdog = std::make_unique<ModalWatchdog>(); }
    void cleanup() { QVERIFY(watchdog->takeClosed().isEmpty()); }

    void fill_data();
    void fill();
    void selectionShowsItsTranslation_data();
    void selectionShowsItsTranslation();
    void entryWithoutRowChangesNothing_data();
    void entryWithoutRowChangesNothing();
    void searchBoxDoesNothing();

private:
    std::unique_ptr<ModalWatchdog> watchdog;
};

void TestTranslator::fill_data()
{
    QTest::addColumn<QString>("locale");
    for (const char *locale : sortingLocales)
        QTest::newRow(locale) << locale;
}

void TestTranslator::fill()
{
    QFETCH(QString, locale);
    const DefaultLocale pinned {QLocale(locale)};
    TranslatorPanel panel;
    panel.translator.fill();

    QStringList listed;
    for (const LookupRow &row : wordTable())
        listed.append(row.entry.toString());
    QCOMPARE(shown(panel.List1), listed);
    QCOMPARE(panel.List1->count(), 80);
    QCOMPARE(panel.List1->item(0)->text(), QStringLiteral("Air"));
    QCOMPARE(panel.List1->item(79)->text(), QStringLiteral("Yesterday"));
    QVERIFY(panel.List1->selectedItems().isEmpty());
    QCOMPARE(panel.List1->currentRow(), -1);
    QVERIFY(panel.Text6->text().isEmpty());
    QVERIFY(panel.Text7->text().isEmpty());
}

void TestTranslator::selectionShowsItsTranslation_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("typedBefore"); // what the user typed into the result box
    QTest::addColumn<QString>("expected");

    QTest::newRow("Home") << "Home"
                          << ""
                          << "Casa";
    QTest::newRow("House, same text") << "House"
                                      << ""
                                      << "Casa";
    QTest::newRow("Arrival empties the box") << "Arrival"
                                             << "typed"
                                             << "";
    QTest::newRow("Arrivals") << "Arrivals"
                              << ""
                              << "Llegadas";
    QTest::newRow("Hotel") << "Hotel"
                           << ""
                           << "Hotel";
    QTest::newRow("Monitor") << "Monitor"
                             << ""
                             << "Monitor";
    QTest::newRow("Miss") << "Miss"
                          << "" << QString::fromUtf16(u"Se\u00F1ora");
    QTest::newRow("Misses") << "Misses"
                            << "" << QString::fromUtf16(u"Se\u00F1orita");
    QTest::newRow("Taxi, whole text") << "Taxi"
                                      << ""
                                      << "Taxi , Carro de Alquiler";
    QTest::newRow("typed text overwritten") << "Dog"
                                            << "Gato"
                                            << "Perro";
    QTest::newRow("accents kept") << "Camera"
                                  << "" << QString::fromUtf16(u"C\u00E0mara Fotogr\u00E0fica");
    QTest::newRow("last entry") << "Yesterday"
                                << ""
                                << "Ayer";
}

void TestTranslator::selectionShowsItsTranslation()
{
    QFETCH(QString, entry);
    QFETCH(QString, typedBefore);
    QFETCH(QString, expected);
    const DefaultLocale pinned {QLocale(QStringLiteral("en_US"))};
    TranslatorPanel panel;
    panel.translator.fill();
    QVERIFY(panel.show());
    if (!typedBefore.isEmpty())
        typeInto(panel.Text7, typedBefore);
    QCOMPARE(panel.Text7->text(), typedBefore);

    QVERIFY(clickEntry(panel.List1, entry));
    QCOMPARE(selectedText(panel.List1), entry);
    QCOMPARE(panel.Text7->text(), expected);

    // Typed over, then the same entry clicked again: the translation comes back.
    typeInto(panel.Text7, QStringLiteral("xyz"));
    QVERIFY(clickEntry(panel.List1, entry));
    QCOMPARE(panel.Text7->text(), expected);
}

void TestTranslator::entryWithoutRowChangesNothing_data()
{
    QTest::addColumn<QString>("foreign"); // an entry the table has no row for

    QTest::newRow("small letters") << "dog";
    QTest::newRow("trailing blank") << "Dog ";
    QTest::newRow("longer") << "Dogs";
    QTest::newRow("Spanish text") << "Perro";
    QTest::newRow("blank entry") << "";
}

void TestTranslator::entryWithoutRowChangesNothing()
{
    QFETCH(QString, foreign);
    TranslatorPanel panel;
    panel.translator.fill();
    panel.List1->insertItem(0, foreign);
    QVERIFY(panel.show());

    QVERIFY(clickEntry(panel.List1, QStringLiteral("Dog")));
    QCOMPARE(panel.Text7->text(), QStringLiteral("Perro"));
    typeInto(panel.Text7, QStringLiteral("typed"));

    panel.List1->scrollToTop();
    const QPoint at = panel.List1->visualItemRect(panel.List1->item(0)).center();
    QTest::mouseClick(panel.List1->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(selectedText(panel.List1), foreign);
    QCOMPARE(panel.Text7->text(), QStringLiteral("typed"));

    // Taking the selection away (Ctrl+click) leaves no entry selected: nothing to look up.
    QVERIFY(clickEntry(panel.List1, QStringLiteral("Dog")));
    typeInto(panel.Text7, QStringLiteral("typed again"));
    QVERIFY(clickEntry(panel.List1, QStringLiteral("Dog"), Qt::ControlModifier));
    QVERIFY(panel.List1->selectedItems().isEmpty());
    QCOMPARE(panel.Text7->text(), QStringLiteral("typed again"));
    panel.translator.List1_Click();
    QCOMPARE(panel.Text7->text(), QStringLiteral("typed again"));
}

void TestTranslator::searchBoxDoesNothing()
{
    TranslatorPanel panel;
    panel.translator.fill();
    QVERIFY(panel.show());
    QVERIFY(clickEntry(panel.List1, QStringLiteral("Home")));
    const int row = panel.List1->currentRow();

    typeInto(panel.Text6, QStringLiteral("Dog"));
    QCOMPARE(panel.Text6->text(), QStringLiteral("Dog"));
    QCOMPARE(selectedText(panel.List1), QStringLiteral("Home"));
    QCOMPARE(panel.List1->currentRow(), row);
    QCOMPARE(panel.Text7->text(), QStringLiteral("Casa"));

    QTest::keyClick(panel.Text6, Qt::Key_Return);
    QCOMPARE(selectedText(panel.List1), QStringLiteral("Home"));
    QCOMPARE(panel.Text7->text(), QStringLiteral("Casa"));
}

QTEST_MAIN(TestTranslator)
#include "tst_translator.moc"
