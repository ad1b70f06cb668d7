// The calculator in the window: operands typed, buttons clicked, the result read from its box
// and copied to the system clipboard. The arithmetic and the number texts are the rules' own
// (tst_numberrules.cpp); here each button reaches its rule once, and the window's part shows:
// what a failure leaves in the result box, the locale's decimal separator, copy, focus, clear.

#include "calculator/calculator.h"
#include "tests/support/defaultlocale.h"
#include "tests/support/testmain.h"
#include "tests/support/watchdog.h"
#include "tests/support/window.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTest>

using namespace tesmora;
using namespace tesmora::testing;

namespace {

// Opens the calculator as the user does and makes its window the active one, so that keys and
// focus go where they go for the user.
bool openCalculator(Window &w)
{
    if (!w.openTool(w->Command7))
        return false;
    QApplication::setActiveWindow(w.form.get());
    return QTest::qWaitForWindowActive(w.form.get()) && w->Text1->isVisible();
}

// Types into a box the way a user does: click into it, select what is there, type over it.
void typeInto(TextBox *box, const QString &text)
{
    QTest::mouseClick(box, Qt::LeftButton);
    box->selectAll();
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
    else
        QTest::keyClicks(box, text);
}

// Keys typed at the keyboard: they reach whichever control has the focus.
void typeKeys(Window &w, const char *keys)
{
    for (const char *k = keys; *k; ++k)
        QTest::keyClick(w->windowHandle(), *k);
}

// The pointer moving onto the middle of `control`, with no button held.
void hover(QWidget *control)
{
    // Two steps inside: a move to where the pointer already is reports nothing.
    QTest::mouseMove(control, control->rect().center() - QPoint(1, 0));
    QTest::mouseMove(control, control->rect().center());
    QCoreApplication::processEvents();
}

void calculate(Window &w, const QString &left, const QString &right, const QString &button)
{
    typeInto(w->Text1, left);
    typeInto(w->Text2, right);
    QTest::mouseClick(w->findChild<QPushButton *>(button), Qt::LeftButton);
}

} // namespace

class TestCalculator : public WatchedTest
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanupTestCase() { QLocale::setDefault(saved); }
    void operations_data();
    void operations();
    void decimalComma();
    void copyPutsPlainTextOnTheSystemClipboard_data();
    void copyPutsPlainTextOnTheSystemClipboard();
    void focusFollowsThePointer_data();
    void focusFollowsThePointer();
    void clearEmptiesAllAndFocusesTheFirstOperand();

private:
    const QLocale saved;
};

void TestCalculator::operations_data()
{
    QTest::addColumn<QString>("left"); // Text1
    QTest::addColumn<QString>("right"); // Text2
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("result");
    const QString add = QStringLiteral("Command12"), sub = QStringLiteral("Command13"),
                  mul = QStringLiteral("Command14"), div = QStringLiteral("Command15");

    // Each button its own operation, the first operand always from Text1; two blanks first.
    QTest::newRow("add") << "2"
                         << "3" << add << "  5";
    QTest::newRow("subtract: first minus second") << "4"
                                                  << "10" << sub << "  -6";
    QTest::newRow("multiply") << "6"
                              << "7" << mul << "  42";
    QTest::newRow("divide: first by second") << "7"
                                             << "2" << div << "  3.5";
    // A failure is said in the result box, in place of the result before it.
    QTest::newRow("division by zero") << "1"
                                      << "" << div << divideByZeroText;
    QTest::newRow("result too large") << "1e200"
                                      << "1e200" << mul << overflowText;
    QTest::newRow("first operand too large") << "1e309"
                                             << "1" << add << overflowText;
    QTest::newRow("second operand too large") << "1"
                                              << "1e309" << sub << overflowText;
    QTest::newRow("too large before division by zero") << "1e309"
                                                       << "0" << div << overflowText;
}

void TestCalculator::operations()
{
    QFETCH(QString, left);
    QFETCH(QString, right);
    QFETCH(QString, button);
    QFETCH(QString, result);
    Window w;
    QVERIFY(openCalculator(w));
    // A result from before, which must never survive an operation.
    typeInto(w->Text3, QStringLiteral("  99"));
    calculate(w, left, right, button);
    QCOMPARE(w->Text3->text(), result);
    // The operands are only read; nothing is said or copied.
    QCOMPARE(w->Text1->text(), left);
    QCOMPARE(w->Text2->text(), right);
    QCOMPARE(w.prompts.messages, QList<Message>());
    QCOMPARE(w.clipboard.texts, QStringList());
}

void TestCalculator::decimalComma()
{
    const DefaultLocale german(QLocale(QLocale::German, QLocale::Germany));
    Window w;
    QVERIFY(openCalculator(w));
    calculate(w, QStringLiteral("7"), QStringLiteral("2"), QStringLiteral("Command15"));
    QCOMPARE(w->Text3->text(), QStringLiteral("  3,5"));
    // The comma ends the number when it is read back: 3,5 + 0 is 3.
    calculate(w, w->Text3->text(), QStringLiteral("0"), QStringLiteral("Command12"));
    QCOMPARE(w->Text3->text(), QStringLiteral("  3"));
}

void TestCalculator::copyPutsPlainTextOnTheSystemClipboard_data()
{
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");
    QTest::addColumn<QString>("copied");
    QTest::newRow("a result, blanks and all") << "7"
                                              << "2"
                                              << "  3.5";
    QTest::newRow("a failure") << "1"
                               << "0" << divideByZeroText;
}

void TestCalculator::copyPutsPlainTextOnTheSystemClipboard()
{
    QFETCH(QString, left);
    QFETCH(QString, right);
    QFETCH(QString, copied);
    Window w(Ports {.clipboard = true});
    QVERIFY(openCalculator(w));
    QGuiApplication::clipboard()->setText(QStringLiteral("something else"));
    calculate(w, left, right, QStringLiteral("Command15"));
    QTest::mouseClick(w->Command17, Qt::LeftButton);

    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data && data->hasText());
    QCOMPARE(data->text(), copied);
    QVERIFY(!data->hasHtml());
    QCOMPARE(w->Text3->text(), copied);
}

void TestCalculator::focusFollowsThePointer_data()
{
    QTest::addColumn<QString>("typingIn");
    QTest::addColumn<QString>("hovered");
    QTest::addColumn<QString>("focusedAfter");
    // The operand boxes take the focus when the pointer moves over them; nothing else does.
    QTest::newRow("Text1, pointer onto Text2") << "Text1"
                                               << "Text2"
                                               << "Text2";
    QTest::newRow("Text2, pointer onto Text1") << "Text2"
                                               << "Text1"
                                               << "Text1";
    QTest::newRow("Text1, pointer onto the result") << "Text1"
                                                    << "Text3"
                                                    << "Text1";
    QTest::newRow("Text1, pointer onto a button") << "Text1"
                                                  << "Command12"
                                                  << "Text1";
}

void TestCalculator::focusFollowsThePointer()
{
    QFETCH(QString, typingIn);
    QFETCH(QString, hovered);
    QFETCH(QString, focusedAfter);
    Window w;
    QVERIFY(openCalculator(w));
    auto *first = w->findChild<TextBox *>(typingIn);
    QTest::mouseClick(first, Qt::LeftButton);
    QTRY_COMPARE(QApplication::focusWidget(), first);
    typeKeys(w, "1");
    hover(w->findChild<QWidget *>(hovered));
    QTRY_COMPARE(QApplication::focusWidget()->objectName(), focusedAfter);
    // The next key lands where the focus went.
    typeKeys(w, "2");
    QCOMPARE(first->text(), QString::fromLatin1(typingIn == focusedAfter ? "12" : "1"));
    QCOMPARE(w->findChild<TextBox *>(focusedAfter)->text().right(1), QStringLiteral("2"));
}

void TestCalculator::clearEmptiesAllAndFocusesTheFirstOperand()
{
    Window w;
    QVERIFY(openCalculator(w));
    calculate(w, QStringLiteral("8"), QStringLiteral("4"), QStringLiteral("Command14"));
    QCOMPARE(w->Text3->text(), QStringLiteral("  32"));
    QTest::mouseClick(w->Text2, Qt::LeftButton);

    QTest::mouseClick(w->Command16, Qt::LeftButton);
    QCOMPARE(w->Text1->text(), QString());
    QCOMPARE(w->Text2->text(), QString());
    QCOMPARE(w->Text3->text(), QString());
    QCOMPARE(QApplication::focusWidget(), w->Text1);
    // The caret is in Text1: what is typed next goes there.
    typeKeys(w, "5");
    QCOMPARE(w->Text1->text(), QStringLiteral("5"));
    QCOMPARE(w.clipboard.texts, QStringList());
}

TESMORA_TEST(TestCalculator)
#include "tst_calculator.moc"
