// The timer and stopwatch prompts in the window: a click on the time or the date opens Qt's
// input box, answered as a user answers it; a refused answer brings up "Wrong number". Which
// answers are refused is the rule's (tst_promptrules.cpp); here one of each kind per label.

#include "tests/support/testmain.h"
#include "tests/support/watchdog.h"
#include "tests/support/window.h"

#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>

using namespace tesmora;
using namespace tesmora::testing;

namespace {
QAbstractButton *buttonWithRole(QWidget *dialog, QDialogButtonBox::ButtonRole role)
{
    auto *box = dialog->findChild<QDialogButtonBox *>();
    for (QAbstractButton *b : box ? box->buttons() : QList<QAbstractButton *>())
        if (box->buttonRole(b) == role)
            return b;
    return nullptr;
}
} // namespace

class TestPrompts : public WatchedTest
{
    Q_OBJECT
private Q_SLOTS:
    void answers_data();
    void answers();
};

void TestPrompts::answers_data()
{
    QTest::addColumn<bool>("onDate"); // the date label (stopwatch) rather than the time (timer)
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("wrong");
    for (const bool onDate : {false, true}) {
        const char *label = onDate ? "stopwatch" : "timer";
        QTest::addRow("%s, Cancel", label) << onDate << true << "" << false;
        QTest::addRow("%s, 5", label) << onDate << false << "5" << false;
        QTest::addRow("%s, -3", label) << onDate << false << "-3" << true;
    }
    QTest::newRow("timer, nothing typed") << false << false << "" << true;
}

void TestPrompts::answers()
{
    QFETCH(bool, onDate);
    QFETCH(bool, cancel);
    QFETCH(QString, typed);
    QFETCH(bool, wrong);
    Window w(Ports {.prompts = true, .show = true});
    QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
    w->clockTick->Timer1_Timer();
    const QString time = w->Label1->text(), date = w->Label2->text();

    // The user reads each dialog (title, owner, text, what the field or the buttons hold), then
    // types the answer and presses Enter or clicks Cancel; a message box is closed with OK.
    QStringList seen;
    QPointer<QWidget> answered;
    dialogs().setAnswer([&](QWidget *modal) {
        if (modal == answered)
            return true;
        answered = modal;
        QStringList s {modal->windowTitle(),
                       modal->parentWidget() == w.form.get() ? QStringLiteral("owned by the window")
                                                             : QStringLiteral("not owned")};
        if (auto *input = qobject_cast<QInputDialog *>(modal)) {
            auto *field = input->findChild<QLineEdit *>();
            s << input->labelText() << field->text();
            if (cancel) {
                QTest::mouseClick(buttonWithRole(modal, QDialogButtonBox::RejectRole),
                                  Qt::LeftButton);
            } else {
                QTest::keyClicks(field, typed);
                QTest::keyClick(field, Qt::Key_Return);
            }
        } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            s << box->text() << (box->icon() == QMessageBox::NoIcon ? "" : "icon");
            for (const QAbstractButton *b : modal->findChildren<QAbstractButton *>())
                s << b->text().remove(u'&');
            QTest::mouseClick(buttonWithRole(modal, QDialogButtonBox::AcceptRole), Qt::LeftButton);
        } else {
            return false;
        }
        seen.append(s.join(u'|'));
        return true;
    });

    // Every click asks again.
    Label *label = onDate ? w->Label2 : w->Label1;
    QStringList expected;
    for (int click = 0; click < 2; ++click) {
        QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
        expected << (onDate ? "Stopwatch." : "Timer.")
                + QStringLiteral("|owned by the window|How many minutes do you want to set?|");
        if (wrong)
            expected << QStringLiteral("Tesmora|owned by the window|Wrong number||OK");
    }
    QCOMPARE(seen, expected);
    QVERIFY(!QApplication::activeModalWidget());
    // Nothing else happens: the clock shows what it showed.
    QCOMPARE(w->Label1->text(), time);
    QCOMPARE(w->Label2->text(), date);
}

TESMORA_TEST(TestPrompts)
#include "tst_prompts.moc"
