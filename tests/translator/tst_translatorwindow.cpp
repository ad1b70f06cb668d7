// The translator in the real window: what the word list holds when its panel is first opened, and
// lookups made the way a user makes them, through the window's own wiring.

#include "tests/support/listgestures.h"
#include "tests/support/testmain.h"
#include "tests/support/watchdog.h"
#include "tests/support/window.h"
#include "translator/wordtable.h"

#include <QComboBox>
#include <QListWidget>
#include <QTest>

using namespace tesmora;
using namespace tesmora::testing;

namespace {

bool openTranslator(Window &w)
{
    return w.openTool(w->Command4) && w->List1->isVisible() && w->Text6->isVisible()
        && w->Text7->isVisible();
}

void typeOver(QLineEdit *box, const QString &text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
}

// What the word table gives for `entry`.
QString translationOf(const QString &entry)
{
    const auto spanish = lookup(wordTable(), entry);
    return spanish ? spanish->toString() : QStringLiteral("(no row)");
}

} // namespace

class TestTranslatorWindow : public WatchedTest
{
    Q_OBJECT
private Q_SLOTS:
    void filledWhenFirstOpened();
    void selecting_data();
    void selecting();
    void noSelectionKeepsTheText();
    void searchBoxSearchesNothing();
};

void TestTranslatorWindow::filledWhenFirstOpened()
{
    Window w(Ports {.load = false});

    // The order of the start-up steps, as the controls see them.
    QStringList steps;
    auto note = [&](const QString &step) {
        if (steps.isEmpty() || steps.last() != step)
            steps.append(step);
    };
    QObject::connect(w.form.get(), &QWidget::windowTitleChanged, w.form.get(),
                     [&] { note(QStringLiteral("title")); });
    QObject::connect(w->List1->model(), &QAbstractItemModel::rowsInserted, w.form.get(),
                     [&] { note(QStringLiteral("List1")); });
    for (QComboBox *combo : {w->Combo1, w->Combo2, w->Combo3})
        QObject::connect(combo->model(), &QAbstractItemModel::rowsInserted, w.form.get(),
                         [&note, combo] { note(combo->objectName()); });

    w->Form_Load();
    QCOMPARE(steps, QStringList {"title"});
    QCOMPARE(w->List1->count(), 0);
    QVERIFY(openTranslator(w));
    QCOMPARE(steps, (QStringList {"title", "List1"}));

    QStringList entries;
    for (const LookupRow &row : wordTable())
        entries.append(row.entry.toString());
    QCOMPARE(shown(w->List1), entries);
    QVERIFY(w->List1->selectedItems().isEmpty());
    QCOMPARE(w->List1->currentRow(), -1);
    QCOMPARE(w->Text6->text(), QString());
    QCOMPARE(w->Text7->text(), QString());
}

void TestTranslatorWindow::selecting_data()
{
    QTest::addColumn<QString>("from"); // the entry clicked first, if any
    QTest::addColumn<int>("key"); // then pressed in the list; 0: a click on `to`
    QTest::addColumn<QString>("to"); // the entry selected in the end

    QTest::newRow("click") << "" << 0 << "Home";
    QTest::newRow("click, the empty text") << "" << 0 << "Arrival";
    QTest::newRow("click, the whole text") << "" << 0 << "Taxi";
    QTest::newRow("click, accented") << "" << 0 << "Misses";
    QTest::newRow("click on the entry already selected") << "Dog" << 0 << "Dog";
    QTest::newRow("Down") << "Hotel" << int(Qt::Key_Down) << "Hour";
    QTest::newRow("Up, the empty text") << "Arrivals" << int(Qt::Key_Up) << "Arrival";
    QTest::newRow("End") << "Dog" << int(Qt::Key_End) << "Yesterday";
    QTest::newRow("Home") << "Yesterday" << int(Qt::Key_Home) << "Air";
}

void TestTranslatorWindow::selecting()
{
    // Whatever the box held, typed there by the user, the selected entry's translation
    // replaces it.
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(QString, to);
    Window w;
    QVERIFY(openTranslator(w));
    if (!from.isEmpty()) {
        QVERIFY(clickEntry(w->List1, from));
        QCOMPARE(w->Text7->text(), translationOf(from));
    }
    typeOver(w->Text7, QStringLiteral("typed"));

    if (key) {
        w->List1->setFocus();
        QTest::keyClick(w->List1, Qt::Key(key));
    } else {
        QVERIFY(clickEntry(w->List1, to));
    }
    QCOMPARE(selectedText(w->List1), to);
    QCOMPARE(w->Text7->text(), translationOf(to));
}

void TestTranslatorWindow::noSelectionKeepsTheText()
{
    // Ctrl+click takes the selection away: the list's text is empty, which has no row, and the
    // entry still current is not a selection.
    Window w;
    QVERIFY(openTranslator(w));
    QVERIFY(clickEntry(w->List1, QStringLiteral("Dog")));
    typeOver(w->Text7, QStringLiteral("typed"));
    QVERIFY(clickEntry(w->List1, QStringLiteral("Dog"), Qt::ControlModifier));
    QVERIFY(w->List1->selectedItems().isEmpty());
    QCOMPARE(w->List1->currentItem()->text(), QStringLiteral("Dog"));
    QCOMPARE(w->Text7->text(), QStringLiteral("typed"));
}

void TestTranslatorWindow::searchBoxSearchesNothing()
{
    Window w;
    QVERIFY(openTranslator(w));

    // Before any selection: nothing gets selected, nothing translated.
    typeOver(w->Text6, QStringLiteral("Dog"));
    QTest::keyClick(w->Text6, Qt::Key_Return);
    QVERIFY(w->List1->selectedItems().isEmpty());
    QCOMPARE(w->Text7->text(), QString());

    // After one: the selection and the translation stay.
    QVERIFY(clickEntry(w->List1, QStringLiteral("Home")));
    const int row = w->List1->currentRow();
    typeOver(w->Text6, QStringLiteral("Dog"));
    QTest::keyClick(w->Text6, Qt::Key_Return);
    QCOMPARE(w->Text6->text(), QStringLiteral("Dog"));
    QCOMPARE(selectedText(w->List1), QStringLiteral("Home"));
    QCOMPARE(w->List1->currentRow(), row);
    QCOMPARE(w->Text7->text(), translationOf(QStringLiteral("Home")));
}

TESMORA_TEST(TestTranslatorWindow)
#include "tst_translatorwindow.moc"
