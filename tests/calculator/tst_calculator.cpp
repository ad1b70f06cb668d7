// The calculator as the user meets it: the real window, operands typed, buttons clicked with
// the mouse, the result copied to the real clipboard and pasted back.

#include "desktop/qtports.h"
#include "tests/support/watchdog.h"
#include "tests/support/window.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

using namespace tesmora;
using namespace tesmora::testing;

namespace {

QPushButton *buttonNamed(Form1 *form, const QString &name)
{
    return form->findChild<QPushButton *>(name);
}

// Shows the window and opens the calculator through the menu, as the user does.
bool openCalculator(Form1 *form)
{
    form->show();
    QApplication::setActiveWindow(form);
    if (!QTest::qWaitForWindowActive(form))
        return false;
    QTest::mouseClick(form->Command1, Qt::LeftButton);
    QTest::mouseClick(form->Command7, Qt::LeftButton);
    return form->Text1->isVisible() && form->Text3->isVisible();
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
void typeKeys(QWidget *window, const char *keys)
{
    for (const char *k = keys; *k; ++k)
        QTest::keyClick(window->windowHandle(), *k);
}

// The pointer moving onto the middle of `w`, with no button held.
void hover(QWidget *w)
{
    // Two steps inside `w`: a move to where the pointer already is reports nothing.
    QTest::mouseMove(w, w->rect().center() - QPoint(1, 0));
    QTest::mouseMove(w, w->rect().center());
    QCoreApplication::processEvents();
}

} // namespace

class TestCalculator : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void operations_data();
    void operations();
    void decimalComma();
    void copyPutsTheResultOnTheClipboard_data();
    void copyPutsTheResultOnTheClipboard();
    void copyThroughTheSystemClipboard();
    void focusFollowsThePointer_data();
    void focusFollowsThePointer();
    void typingFollowsTheFocus();
    void clearEmptiesAllAndFocusesTheFirstOperand();

private:
    ModalWatchdog *watchdog = nullptr;
};

void TestCalculator::initTestCase()
{
    watchdog = new ModalWatchdog(this);
}

void TestCalculator::init()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestCalculator::cleanup()
{
    // None of the calculator's buttons ever raises a dialog.
    QCOMPARE(watchdog->takeClosed(), QStringList());
}

void TestCalculator::operations_data()
{
    QTest::addColumn<QString>("left"); // Text1
    QTest::addColumn<QString>("right"); // Text2
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("result");
    const QString add = QStringLiteral("Command12"), sub = QStringLiteral("Command13"),
                  mul = QStringLiteral("Command14"), div = QStringLiteral("Command15");
    const QString byZero = QStringLiteral("Cannot divide by zero");
    const QString overflow = QStringLiteral("Overflow");

    QTest::newRow("empty + empty") << ""
                                   << "" << add << "  0";
    QTest::newRow("empty - empty") << ""
                                   << "" << sub << "  0";
    QTest::newRow("empty * empty") << ""
                                   << "" << mul << "  0";
    QTest::newRow("empty / empty") << ""
                                   << "" << div << byZero;

    QTest::newRow("2 + 3") << "2"
                           << "3" << add << "  5";
    QTest::newRow("12abc + 3") << "12abc"
                               << "3" << add << "  15";
    QTest::newRow("1 2 + 0") << "1 2"
                             << "0" << add << "  12";
    QTest::newRow("1,5 + 0") << "1,5"
                             << "0" << add << "  1";
    QTest::newRow("10 - 4") << "10"
                            << "4" << sub << "  6";
    QTest::newRow("4 - 10") << "4"
                            << "10" << sub << "  -6";
    QTest::newRow("6 * 7") << "6"
                           << "7" << mul << "  42";
    QTest::newRow("-0 * 1") << "-0"
                            << "1" << mul << "  0";
    QTest::newRow("7 / 2") << "7"
                           << "2" << div << "  3.5";
    QTest::newRow("2 / 7") << "2"
                           << "7" << div << "  0.285714285714286";
    QTest::newRow("1 / 3") << "1"
                           << "3" << div << "  0.333333333333333";
    QTest::newRow("&HFFFF + 1") << "&HFFFF"
                                << "1" << add << "  0";
    QTest::newRow("1e10 * 1e10") << "1e10"
                                 << "1e10" << mul << "  1E+20";
    QTest::newRow("0.00001 + 0") << "0.00001"
                                 << "0" << add << "  1E-05";
    QTest::newRow("15 digits") << "123456789012345"
                               << "0" << add << "  123456789012345";
    QTest::newRow("16 digits") << "1234567890123456"
                               << "0" << add << "  1.23456789012346E+15";

    QTest::newRow("5 / 0") << "5"
                           << "0" << div << byZero;
    QTest::newRow("5 / abc") << "5"
                             << "abc" << div << byZero;
    QTest::newRow("0 / 0") << "0"
                           << "0" << div << byZero;
    QTest::newRow("1e308 + 1e308") << "1e308"
                                   << "1e308" << add << overflow;
    QTest::newRow("-1e308 - 1e308") << "-1e308"
                                    << "1e308" << sub << overflow;
    QTest::newRow("1e200 * 1e200") << "1e200"
                                   << "1e200" << mul << overflow;
    QTest::newRow("1e308 / 0.1") << "1e308"
                                 << "0.1" << div << overflow;
    QTest::newRow("1e309 + 1") << "1e309"
                               << "1" << add << overflow;
    QTest::newRow("1 - 1e309") << "1"
                               << "1e309" << sub << overflow;
    QTest::newRow("1e309 * 0") << "1e309"
                               << "0" << mul << overflow;
    QTest::newRow("1e309 / 0") << "1e309"
                               << "0" << div << overflow;
    QTest::newRow("&H100000000 + 1") << "&H100000000"
                                     << "1" << add << overflow;
}

void TestCalculator::operations()
{
    QFETCH(QString, left);
    QFETCH(QString, right);
    QFETCH(QString, button);
    QFETCH(QString, result);
    Window w;
    QVERIFY(openCalculator(w.form.get()));
    // A result from before, which must never survive a failed operation.
    typeInto(w->Text3, QStringLiteral("  99"));
    typeInto(w->Text1, left);
    typeInto(w->Text2, right);
    QTest::mouseClick(buttonNamed(w.form.get(), button), Qt::LeftButton);
    QCOMPARE(w->Text3->text(), result);
    // The operands are only read.
    QCOMPARE(w->Text1->text(), left);
    QCOMPARE(w->Text2->text(), right);
    QVERIFY(w.prompts.messages.isEmpty());
    QVERIFY(w.clipboard.texts.isEmpty());
}

void TestCalculator::decimalComma()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Window w;
    QVERIFY(openCalculator(w.form.get()));
    typeInto(w->Text1, QStringLiteral("7"));
    typeInto(w->Text2, QStringLiteral("2"));
    QTest::mouseClick(w->Command15, Qt::LeftButton);
    QCOMPARE(w->Text3->text(), QStringLiteral("  3,5"));

    // The comma ends the number when it is read back: 3,5 + 0 is 3.
    typeInto(w->Text1, w->Text3->text());
    typeInto(w->Text2, QStringLiteral("0"));
    QTest::mouseClick(w->Command12, Qt::LeftButton);
    QCOMPARE(w->Text3->text(), QStringLiteral("  3"));
}

void TestCalculator::copyPutsTheResultOnTheClipboard_data()
{
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("copied");
    QTest::newRow("sum") << "2"
                         << "3"
                         << "Command12"
                         << "  5";
    QTest::newRow("fraction") << "7"
                              << "2"
                              << "Command15"
                              << "  3.5";
    QTest::newRow("failure text") << "1"
                                  << "0"
                                  << "Command15"
                                  << "Cannot divide by zero";
}

void TestCalculator::copyPutsTheResultOnTheClipboard()
{
    QFETCH(QString, left);
    QFETCH(QString, right);
    QFETCH(QString, button);
    QFETCH(QString, copied);
    Window w;
    QVERIFY(openCalculator(w.form.get()));
    typeInto(w->Text1, left);
    typeInto(w->Text2, right);
    QTest::mouseClick(buttonNamed(w.form.get(), button), Qt::LeftButton);
    QTest::mouseClick(w->Command17, Qt::LeftButton);
    QCOMPARE(w.clipboard.texts, QStringList {copied});
    QCOMPARE(w->Text3->text(), copied);
}

void TestCalculator::copyThroughTheSystemClipboard()
{
    FakePrompts prompts;
    FakeColourChooser colours;
    FakeBrowser browser;
    QtClipboard clipboard;
    auto media = std::make_shared<FakeMediaEngine::Log>();
    Form1 form(DesktopPorts {prompts, colours, browser, clipboard,
                             [media]() -> std::unique_ptr<MediaEngine> {
                                 return std::make_unique<FakeMediaEngine>(media);
                             },
                             [] { return QDateTime(QDate(2026, 12, 7), QTime(9, 30)); }});
    form.Form_Load();
    QVERIFY(openCalculator(&form));
    QGuiApplication::clipboard()->setText(QStringLiteral("something else"));

    typeInto(form.Text1, QStringLiteral("7"));
    typeInto(form.Text2, QStringLiteral("2"));
    QTest::mouseClick(form.Command15, Qt::LeftButton);
    QTest::mouseClick(form.Command17, Qt::LeftButton);

    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data && data->hasText());
    QCOMPARE(data->text(), QStringLiteral("  3.5"));
    QVERIFY(!data->hasHtml());

    // Pasting the copied result, blanks and all, into an operand reads back the number.
    form.Text1->clear();
    QTest::mouseClick(form.Text1, Qt::LeftButton);
    QTest::keyClick(form.Text1, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(form.Text1->text(), QStringLiteral("  3.5"));
    typeInto(form.Text2, QStringLiteral("1"));
    QTest::mouseClick(form.Command12, Qt::LeftButton);
    QCOMPARE(form.Text3->text(), QStringLiteral("  4.5"));
    QVERIFY(prompts.messages.isEmpty());
}

void TestCalculator::focusFollowsThePointer_data()
{
    QTest::addColumn<QString>("focusedFirst");
    QTest::addColumn<QString>("hovered");
    QTest::addColumn<QString>("focusedAfter");
    QTest::newRow("Text1 -> over Text2") << "Text1"
                                         << "Text2"
                                         << "Text2";
    QTest::newRow("Text2 -> over Text1") << "Text2"
                                         << "Text1"
                                         << "Text1";
    QTest::newRow("Text3 -> over Text1") << "Text3"
                                         << "Text1"
                                         << "Text1";
    QTest::newRow("Text3 -> over Text2") << "Text3"
                                         << "Text2"
                                         << "Text2";
    QTest::newRow("Text1 -> over Text3") << "Text1"
                                         << "Text3"
                                         << "Text1";
    QTest::newRow("Text2 -> over Text3") << "Text2"
                                         << "Text3"
                                         << "Text2";
    QTest::newRow("Text1 -> over a button") << "Text1"
                                            << "Command12"
                                            << "Text1";
}

void TestCalculator::focusFollowsThePointer()
{
    QFETCH(QString, focusedFirst);
    QFETCH(QString, hovered);
    QFETCH(QString, focusedAfter);
    Window w;
    QVERIFY(openCalculator(w.form.get()));
    auto *first = w->findChild<QWidget *>(focusedFirst);
    first->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), first);
    hover(w->findChild<QWidget *>(hovered));
    QTRY_COMPARE(QApplication::focusWidget()->objectName(), focusedAfter);
}

void TestCalculator::typingFollowsTheFocus()
{
    // Typing into Text1, then the pointer drifts over Text2: the next keys land in Text2.
    Window w;
    QVERIFY(openCalculator(w.form.get()));
    QTest::mouseClick(w->Text1, Qt::LeftButton);
    typeKeys(w.form.get(), "12");
    hover(w->Text2);
    typeKeys(w.form.get(), "3");
    QCOMPARE(w->Text1->text(), QStringLiteral("12"));
    QCOMPARE(w->Text2->text(), QStringLiteral("3"));
}

void TestCalculator::clearEmptiesAllAndFocusesTheFirstOperand()
{
    Window w;
    QVERIFY(openCalculator(w.form.get()));
    typeInto(w->Text1, QStringLiteral("8"));
    typeInto(w->Text2, QStringLiteral("4"));
    QTest::mouseClick(w->Command14, Qt::LeftButton);
    QCOMPARE(w->Text3->text(), QStringLiteral("  32"));
    QTest::mouseClick(w->Text2, Qt::LeftButton);

    QTest::mouseClick(w->Command16, Qt::LeftButton);
    QCOMPARE(w->Text1->text(), QString());
    QCOMPARE(w->Text2->text(), QString());
    QCOMPARE(w->Text3->text(), QString());
    QCOMPARE(QApplication::focusWidget(), w->Text1);
    // The caret is in Text1: what is typed next goes there.
    typeKeys(w.form.get(), "5");
    QCOMPARE(w->Text1->text(), QStringLiteral("5"));
    QVERIFY(w.clipboard.texts.isEmpty());
}

QTEST_MAIN(TestCalculator)
#include "tst_calculator.moc"
