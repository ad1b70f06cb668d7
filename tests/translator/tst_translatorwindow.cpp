// The translator in the real window: what the word list holds when it is first shown, and lookups
// made the way a user makes them, through the window's own wiring.

#include "tests/support/defaultlocale.h"
#include "tests/support/listgestures.h"
#include "tests/support/listtexts.h"
#include "tests/support/watchdog.h"
#include "tests/support/window.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace tesmora;
using namespace tesmora::testing;

namespace {

void click(QPushButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

// Shows the window and opens the translator through the menu.
bool openTranslator(Window &w)
{
    w->show();
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w.form.get()))
        return false;
    click(w->Command1);
    click(w->Command4);
    return w->List1->isVisible() && w->Text6->isVisible() && w->Text7->isVisible();
}

void typeInto(QLineEdit *box, const QString &text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
}

} // namespace

class TestTranslatorWindow : public WatchedTest
{
    Q_OBJECT
private Q_SLOTS:

    void startUp_data();
    void startUp();
    void mouse_data();
    void mouse();
    void keyboard_data();
    void keyboard();
    void sameEntryAgainAfterTyping();
    void typingInTheSearchBox();
};

void TestTranslatorWindow::startUp_data()
{
    QTest::addColumn<QString>("locale");
    for (const char *locale : sortingLocales)
        QTest::newRow(locale) << locale;
}

void TestTranslatorWindow::startUp()
{
    QFETCH(QString, locale);
    const DefaultLocale pinned {QLocale(locale)};
    Window w(false);

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
    // The word list is filled when its panel is first shown, not at start.
    QCOMPARE(steps, QStringList {"title"});
    QCOMPARE(w->List1->count(), 0);
    QVERIFY(openTranslator(w));
    QCOMPARE(steps, (QStringList {"title", "List1"}));

    const QStringList entries = shown(w->List1);
    QCOMPARE(entries.size(), 80);
    QCOMPARE(entries.first(), QStringLiteral("Air"));
    QCOMPARE(entries.last(), QStringLiteral("Yesterday"));
    QCOMPARE(entries, englishEntries());
    QVERIFY(w->List1->selectedItems().isEmpty());
    QCOMPARE(w->List1->currentRow(), -1);
    QCOMPARE(w->Text6->text(), QString());
    QCOMPARE(w->Text7->text(), QString());
}

void TestTranslatorWindow::mouse_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("typedBefore");
    QTest::addColumn<QString>("expected");

    QTest::newRow("Home") << "Home"
                          << ""
                          << "Casa";
    QTest::newRow("House") << "House"
                           << ""
                           << "Casa";
    QTest::newRow("Arrival empties typed text") << "Arrival"
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
    QTest::newRow("Taxi") << "Taxi"
                          << "typed"
                          << "Taxi , Carro de Alquiler";
}

void TestTranslatorWindow::mouse()
{
    QFETCH(QString, entry);
    QFETCH(QString, typedBefore);
    QFETCH(QString, expected);
    Window w;
    QVERIFY(openTranslator(w));
    if (!typedBefore.isEmpty())
        typeInto(w->Text7, typedBefore);

    QVERIFY(clickEntry(w->List1, entry));
    QCOMPARE(selectedText(w->List1), entry);
    QCOMPARE(w->Text7->text(), expected);
}

void TestTranslatorWindow::keyboard_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("expected");

    QTest::newRow("Down from Hotel") << "Hotel" << int(Qt::Key_Down) << "Hour"
                                     << "Hora";
    QTest::newRow("Down from Hour") << "Hour" << int(Qt::Key_Down) << "House"
                                    << "Casa";
    QTest::newRow("Down from Arrival") << "Arrival" << int(Qt::Key_Down) << "Arrivals"
                                       << "Llegadas";
    QTest::newRow("Up from Arrivals") << "Arrivals" << int(Qt::Key_Up) << "Arrival"
                                      << "";
    QTest::newRow("Up from Misses")
        << "Misses" << int(Qt::Key_Up) << "Miss" << QString::fromUtf16(u"Se\u00F1ora");
    QTest::newRow("End") << "Dog" << int(Qt::Key_End) << "Yesterday"
                         << "Ayer";
    QTest::newRow("Home") << "Yesterday" << int(Qt::Key_Home) << "Air"
                          << "Aire";
}

void TestTranslatorWindow::keyboard()
{
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(QString, to);
    QFETCH(QString, expected);
    Window w;
    QVERIFY(openTranslator(w));
    QVERIFY(clickEntry(w->List1, from));
    typeInto(w->Text7, QStringLiteral("typed"));
    w->List1->setFocus();

    QTest::keyClick(w->List1, Qt::Key(key));
    QCOMPARE(selectedText(w->List1), to);
    QCOMPARE(w->Text7->text(), expected);
}

void TestTranslatorWindow::sameEntryAgainAfterTyping()
{
    Window w;
    QVERIFY(openTranslator(w));
    QVERIFY(clickEntry(w->List1, QStringLiteral("Dog")));
    QCOMPARE(w->Text7->text(), QStringLiteral("Perro"));
    typeInto(w->Text7, QStringLiteral("Gato"));
    QCOMPARE(w->Text7->text(), QStringLiteral("Gato"));

    QVERIFY(clickEntry(w->List1, QStringLiteral("Dog")));
    QCOMPARE(w->Text7->text(), QStringLiteral("Perro"));
}

void TestTranslatorWindow::typingInTheSearchBox()
{
    Window w;
    QVERIFY(openTranslator(w));

    // Before any selection: nothing gets selected, nothing translated.
    typeInto(w->Text6, QStringLiteral("Dog"));
    QVERIFY(w->List1->selectedItems().isEmpty());
    QCOMPARE(w->Text7->text(), QString());

    QVERIFY(clickEntry(w->List1, QStringLiteral("Home")));
    const int row = w->List1->currentRow();
    typeInto(w->Text6, QStringLiteral("Dog"));
    QTest::keyClick(w->Text6, Qt::Key_Return);
    QCOMPARE(w->Text6->text(), QStringLiteral("Dog"));
    QCOMPARE(selectedText(w->List1), QStringLiteral("Home"));
    QCOMPARE(w->List1->currentRow(), row);
    QCOMPARE(w->Text7->text(), QStringLiteral("Casa"));
}

QTEST_MAIN(TestTranslatorWindow)
#include "tst_translatorwindow.moc"
