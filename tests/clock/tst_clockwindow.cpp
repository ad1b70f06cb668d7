// The clock's prompts and the calendar in the whole window: real clicks, real dialogs.

#include "desktop/qtports.h"
#include "tests/clock/calendargrid.h"
#include "tests/support/watchdog.h"
#include "tests/support/window.h"

#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QFontInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <deque>
#include <functional>

using namespace tesmora;
using namespace tesmora::testing;

namespace {

// What a modal dialog showed when it opened.
struct Seen
{
    QString kind; // "input" or "message"
    QString title;
    QString text; // the prompt or the message
    QString startText; // input boxes: the text field as it opened
    QStringList buttons;
    bool icon = false;
};

// Answers the real modal dialogs as a user would, one step per dialog in the order they open.
// A dialog with no step left is cancelled and recorded as unexpected.
class DialogDriver : public QObject
{
public:
    using Step = std::function<void(QWidget *)>;
    std::deque<Step> steps;
    QList<Seen> seen;
    int unexpected = 0;

    DialogDriver()
    {
        timer.setInterval(20);
        connect(&timer, &QTimer::timeout, this, &DialogDriver::look);
        timer.start();
    }

private:
    void look()
    {
        QWidget *w = QApplication::activeModalWidget();
        if (!w || w == current)
            return;
        current = w;
        Seen s;
        s.title = w->windowTitle();
        for (const QAbstractButton *b : w->findChildren<QAbstractButton *>())
            s.buttons.append(b->text().remove(QLatin1Char('&')));
        if (auto *input = qobject_cast<QInputDialog *>(w)) {
            s.kind = QStringLiteral("input");
            s.text = input->labelText();
            s.startText = input->findChild<QLineEdit *>()->text();
        } else if (auto *box = qobject_cast<QMessageBox *>(w)) {
            s.kind = QStringLiteral("message");
            s.text = box->text();
            s.icon = box->icon() != QMessageBox::NoIcon;
        }
        seen.append(s);
        if (steps.empty()) {
            ++unexpected;
            if (auto *d = qobject_cast<QDialog *>(w))
                d->reject();
            return;
        }
        Step step = steps.front();
        steps.pop_front();
        step(w);
    }

    QTimer timer;
    QPointer<QWidget> current;
};

QAbstractButton *buttonWithRole(QWidget *dialog, QDialogButtonBox::ButtonRole role)
{
    auto *box = dialog->findChild<QDialogButtonBox *>();
    for (QAbstractButton *b : box->buttons())
        if (box->buttonRole(b) == role)
            return b;
    return nullptr;
}

// The user types `text` into the input box and presses Enter.
DialogDriver::Step typeAndEnter(const QString &text)
{
    return [text](QWidget *dialog) {
        QLineEdit *field = dialog->findChild<QLineEdit *>();
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    };
}

// The user clicks the button of the given role (Cancel, OK) with the mouse.
DialogDriver::Step click(QDialogButtonBox::ButtonRole role)
{
    return [role](QWidget *dialog) {
        QAbstractButton *b = buttonWithRole(dialog, role);
        QVERIFY(b);
        QTest::mouseClick(b, Qt::LeftButton);
    };
}

// The window with the real Qt dialogs in place of the fake prompts.
struct RealPromptWindow
{
    Window fakes {false};
    QtPrompts prompts;
    std::unique_ptr<Form1> form;
    RealPromptWindow()
    {
        form = std::make_unique<Form1>(
            DesktopPorts {prompts, fakes.colours, fakes.browser, fakes.clipboard,
                          [this]() -> std::unique_ptr<MediaEngine> {
                              return std::make_unique<FakeMediaEngine>(fakes.media);
                          },
                          [] { return QDateTime::currentDateTime(); }});
        prompts.setParent(form.get());
        form->Form_Load();
        form->show();
    }
};

} // namespace

class TestClockWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale::c()); }
    void promptsThroughRealDialogs_data();
    void promptsThroughRealDialogs();
    void calendarAsBuilt();
    void calendarTooltipInWindow();
};

void TestClockWindow::promptsThroughRealDialogs_data()
{
    QTest::addColumn<bool>("onDate"); // the date label (stopwatch) rather than the time (timer)
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("wrong");

    QTest::newRow("timer, Cancel") << false << true << "" << false;
    QTest::newRow("timer, abc") << false << false << "abc" << true;
    QTest::newRow("timer, 5") << false << false << "5" << false;
    QTest::newRow("timer, nothing typed") << false << false << "" << true;
    QTest::newRow("stopwatch, Cancel") << true << true << "" << false;
    QTest::newRow("stopwatch, -3") << true << false << "-3" << true;
    QTest::newRow("stopwatch, 1.5") << true << false << "1.5" << false;
}

void TestClockWindow::promptsThroughRealDialogs()
{
    QFETCH(bool, onDate);
    QFETCH(bool, cancel);
    QFETCH(QString, typed);
    QFETCH(bool, wrong);

    RealPromptWindow w;
    QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
    DialogDriver driver;
    driver.steps.push_back(cancel ? click(QDialogButtonBox::RejectRole) : typeAndEnter(typed));
    if (wrong)
        driver.steps.push_back(click(QDialogButtonBox::AcceptRole));

    Label *label = onDate ? w.form->Label2 : w.form->Label1;
    QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());

    QCOMPARE(driver.unexpected, 0);
    QCOMPARE(driver.seen.size(), wrong ? 2 : 1);
    const Seen &input = driver.seen.at(0);
    QCOMPARE(input.kind, QStringLiteral("input"));
    QCOMPARE(input.title, onDate ? QStringLiteral("Stopwatch.") : QStringLiteral("Timer."));
    QCOMPARE(input.text, QStringLiteral("How many minutes do you want to set?"));
    QCOMPARE(input.startText, QString());
    if (wrong) {
        const Seen &message = driver.seen.at(1);
        QCOMPARE(message.kind, QStringLiteral("message"));
        QCOMPARE(message.text, QStringLiteral("Wrong number"));
        QCOMPARE(message.title, QStringLiteral("Tesmora"));
        QCOMPARE(message.buttons, QStringList({QStringLiteral("OK")}));
        QVERIFY(!message.icon);
    }
    QVERIFY(!QApplication::activeModalWidget());
}

void TestClockWindow::calendarAsBuilt()
{
    Window w;
    QCalendarWidget *cal = w->MonthView1;
    QCOMPARE(cal->parentWidget(), w->Picture12);
    QCOMPARE(cal->minimumDate(), QDate(1753, 1, 1));
    QCOMPARE(cal->maximumDate(), QDate(9999, 12, 31));
    QVERIFY(cal->font().bold());
    // 8.25 points, which the window sets as 11 pixels at 96 dots per inch.
    const QFont font = cal->font();
    const qreal points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / 96;
    QCOMPARE(points, 8.25);
    // 195 twips of its foot lie below the calendar panel.
    QCOMPARE(cal->geometry().bottom() + 1 - w->Picture12->height(), 195 / 15);
    QVERIFY(cal->toolTip().isEmpty());
}

void TestClockWindow::calendarTooltipInWindow()
{
    Window w;
    ModalWatchdog watchdog;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
    // Open it as the user does: the bulb, then the calendar button.
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    QTest::mouseClick(w->Command3, Qt::LeftButton);
    QCalendarWidget *cal = w->MonthView1;
    QVERIFY(cal->isVisible());
    QVERIFY(cal->toolTip().isEmpty());

    QVERIFY(clickDay(cal, QDate(2026, 12, 17)));
    QCOMPARE(cal->toolTip(), QStringLiteral("2026-12-17"));
    QVERIFY(clickDay(cal, QDate(2027, 3, 14)));
    QCOMPARE(cal->toolTip(), QStringLiteral("2027-03-14"));

    QTest::mouseClick(cal->findChild<QToolButton *>(QStringLiteral("qt_calendar_nextmonth")),
                      Qt::LeftButton);
    QCOMPARE(cal->monthShown(), 4);
    QCOMPARE(cal->toolTip(), QStringLiteral("2027-03-14"));

    QCOMPARE(w.prompts.inputs.size(), 0);
    QCOMPARE(watchdog.takeClosed(), QStringList());
}

QTEST_MAIN(TestClockWindow)
#include "tst_clockwindow.moc"
