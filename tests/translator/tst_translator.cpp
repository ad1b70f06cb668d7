// The translator's lookup of entries the table has no row for, on real widgets wired as the
// window wires them: the list's selection changing, or a click on an entry, runs List1_Click.
// (The table's own entries are looked up through the real window in tst_translatorwindow.)

#include "controls/controls.h"
#include "tests/support/listgestures.h"
#include "tests/support/watchdog.h"
#include "translator/translator.h"

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

} // namespace

class TestTranslator : public WatchedTest
{
    Q_OBJECT
private Q_SLOTS:

    void entryWithoutRowChangesNothing_data();
    void entryWithoutRowChangesNothing();
};

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

QTEST_MAIN(TestTranslator)
#include "tst_translator.moc"
