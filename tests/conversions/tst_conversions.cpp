// The conversions panel answers clicks, typing and the scroll bar without any effect.

#include "app/inventory.h"
#include "tests/support/watchdog.h"
#include "tests/support/window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

using namespace tesmora;
using namespace tesmora::testing;

namespace {

// What the user could notice of every control of the window.
QMap<QString, QString> snapshot(Form1 *form)
{
    QMap<QString, QString> out;
    for (const ControlSpec &spec : inventory()) {
        auto *w = form->findChild<QWidget *>(QString::fromLatin1(spec.name));
        if (!w)
            continue;
        QString state = QStringLiteral("shown=%1 enabled=%2 tip=%3")
                            .arg(!w->isHidden())
                            .arg(w->isEnabled())
                            .arg(w->toolTip());
        if (auto *e = qobject_cast<QLineEdit *>(w))
            state += QStringLiteral(" text=") + e->text();
        else if (auto *l = qobject_cast<QLabel *>(w))
            state += QStringLiteral(" text=") + l->text();
        else if (auto *b = qobject_cast<QAbstractButton *>(w))
            state += QStringLiteral(" text=") + b->text();
        else if (auto *c = qobject_cast<QComboBox *>(w))
            state += QStringLiteral(" text=") + c->currentText();
        else if (auto *list = qobject_cast<QListWidget *>(w))
            state += QStringLiteral(" row=%1").arg(list->currentRow());
        out.insert(QString::fromLatin1(spec.name), state);
    }
    out.insert(QStringLiteral("title"), form->windowTitle());
    return out;
}

// Everything but the clock, which moves on its own.
void dropClock(QMap<QString, QString> &s)
{
    s.remove(QStringLiteral("Label1"));
    s.remove(QStringLiteral("Label2"));
    s.remove(QStringLiteral("title"));
}

bool openConversions(Form1 *form)
{
    form->show();
    QApplication::setActiveWindow(form);
    if (!QTest::qWaitForWindowActive(form))
        return false;
    QTest::mouseClick(form->Command1, Qt::LeftButton);
    QTest::mouseClick(form->Command5, Qt::LeftButton);
    return form->Command8->isVisible() && form->Text4->isVisible() && form->VScroll1->isVisible();
}

} // namespace

class TestConversions : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { watchdog = new ModalWatchdog(this); }
    void nothingReacts_data();
    void nothingReacts();

private:
    ModalWatchdog *watchdog = nullptr;
};

void TestConversions::nothingReacts_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("changed"); // the one control the action itself changes
    QTest::newRow("Liters to Gallons") << "click Command8"
                                       << "";
    QTest::newRow("Pounds to Kg") << "click Command18"
                                  << "";
    QTest::newRow("Miles to Km.") << "click Command19"
                                  << "";
    QTest::newRow("Feet to Meters") << "click Command21"
                                    << "";
    QTest::newRow("typing in Fahrenheit") << "type Text4"
                                          << "Text4";
    QTest::newRow("typing in Celsius") << "type Text5"
                                       << "Text5";
    QTest::newRow("scroll bar down") << "scroll down"
                                     << "";
    QTest::newRow("scroll bar dragged") << "scroll drag"
                                        << "";
}

void TestConversions::nothingReacts()
{
    QFETCH(QString, action);
    QFETCH(QString, changed);
    Window w;
    QVERIFY(openConversions(w.form.get()));
    w->Timer1->stop();
    // Something in the other box, to see that it stays.
    QTest::mouseClick(w->Text5, Qt::LeftButton);
    QTest::keyClicks(w->Text5, QStringLiteral("20"));
    QTest::mouseClick(w->Text4, Qt::LeftButton);
    QTest::keyClicks(w->Text4, QStringLiteral("68"));
    auto before = snapshot(w.form.get());
    const int scrollBefore = w->VScroll1->value();

    const QString target = action.section(u' ', 1);
    if (action.startsWith(u"click")) {
        QTest::mouseClick(w->findChild<QPushButton *>(target), Qt::LeftButton);
    } else if (action.startsWith(u"type")) {
        auto *box = w->findChild<TextBox *>(target);
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClicks(box, QStringLiteral("451"));
        QVERIFY(box->text().contains(QStringLiteral("451")));
    } else if (action == u"scroll down") {
        QTest::mouseClick(w->VScroll1, Qt::LeftButton, {},
                          QPoint(w->VScroll1->width() / 2, w->VScroll1->height() - 4));
        QCOMPARE_NE(w->VScroll1->value(), scrollBefore);
    } else {
        w->VScroll1->triggerAction(QAbstractSlider::SliderToMaximum);
        QCOMPARE(w->VScroll1->value(), w->VScroll1->maximum());
    }
    QCoreApplication::processEvents();

    auto after = snapshot(w.form.get());
    if (!changed.isEmpty()) {
        QVERIFY(before.value(changed) != after.value(changed));
        before.remove(changed);
        after.remove(changed);
    }
    dropClock(before);
    dropClock(after);
    QCOMPARE(after, before);
    QCOMPARE(w->Text5->text(),
             changed == u"Text5" ? QStringLiteral("20451") : QStringLiteral("20"));
    if (changed != u"Text4")
        QCOMPARE(w->Text4->text(), QStringLiteral("68"));
    QVERIFY(w.prompts.messages.isEmpty());
    QVERIFY(w.prompts.inputs.isEmpty());
    QVERIFY(w.browser.opened.isEmpty());
    QVERIFY(w.clipboard.texts.isEmpty());
    QCOMPARE(watchdog->takeClosed(), QStringList());
}

QTEST_MAIN(TestConversions)
#include "tst_conversions.moc"
