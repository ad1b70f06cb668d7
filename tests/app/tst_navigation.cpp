// Opening and closing the menu bar and the tools, by mouse and by keyboard.

#include "app/inventory.h"
#include "controls/picture.h"
#include "tests/support/testmain.h"
#include "tests/support/tools.h"
#include "tests/support/watchdog.h"
#include "tests/support/window.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

using namespace tesmora;
using namespace tesmora::testing;

namespace {

QPushButton *button(Window &w, const QString &name)
{
    return w->findChild<QPushButton *>(name);
}

// A click, or Enter where the focus is after Tab has brought it to the button.
void use(QPushButton *b, bool keys)
{
    if (!keys) {
        QTest::mouseClick(b, Qt::LeftButton);
        return;
    }
    b->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), b);
    QTest::keyClick(b, Qt::Key_Return);
}

} // namespace

class TestNavigation : public WatchedTest
{
    Q_OBJECT
private Q_SLOTS:
    void menuButtonAndBulbs();
    void eachToolOpensAndCloses_data();
    void eachToolOpensAndCloses();
    void everyToolOpensAfterAnyOther();
};

void TestNavigation::menuButtonAndBulbs()
{
    Window w;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
    const QString unlit = picture(w->Picture4), lit = picture(w->Picture3);
    QCOMPARE(picture(w->Command1), unlit);

    QTest::mouseClick(w->Command1, Qt::LeftButton);
    QVERIFY(w->Picture1->isVisible());
    QVERIFY(!w->Command2->isEnabled());
    QCOMPARE(picture(w->Command1), unlit);

    QTest::mouseClick(w->Command1, Qt::LeftButton);
    QVERIFY(w->Picture1->isHidden());
    QVERIFY(w->Command2->isEnabled());
    QCOMPARE(picture(w->Command1), lit);

    for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(w->Command1, Qt::LeftButton);
        QCOMPARE(picture(w->Command1), unlit);
        QTest::mouseClick(w->Command1, Qt::LeftButton);
        QCOMPARE(picture(w->Command1), lit);
    }
    // The icon the button shows is the picture it was given.
    QCOMPARE(w->Command1->icon().pixmap(32).toImage(), QIcon(lit).pixmap(32).toImage());
}

void TestNavigation::eachToolOpensAndCloses_data()
{
    QTest::addColumn<int>("tool");
    QTest::addColumn<bool>("keys"); // Enter on the buttons and Escape to close; else clicks
    for (int i = 0; i < tools.size(); ++i) {
        QTest::addRow("%s, mouse", tools[i].button) << i << false;
        QTest::addRow("%s, Enter, Escape", tools[i].button) << i << true;
    }
}

void TestNavigation::eachToolOpensAndCloses()
{
    QFETCH(int, tool);
    QFETCH(bool, keys);
    const Tool &t = tools[tool];
    const QString name = QString::fromLatin1(t.button);
    Window w;
    w->show();
    QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
    use(w->Command1, keys);
    QVERIFY(w->Picture1->isVisible());
    use(button(w, name), keys);

    for (const QString &panel : toolChain(t))
        QVERIFY2(!w->findChild<QWidget *>(panel)->isHidden(), qPrintable(panel));
    QVERIFY(tesmora::control(w.form.get(), QString::fromLatin1(t.inside))->isVisible());
    QCOMPARE(toolSeen(w.form.get()), name);
    // What the inventory hides, other than the panels, stays unseen: the pictures the menu button
    // takes its bulbs from, say.
    for (const ControlSpec &spec : inventory())
        if (!spec.visible && spec.kind != Kind::Panel)
            QVERIFY2(!tesmora::control(w.form.get(), QString::fromLatin1(spec.name))->isVisible(),
                     spec.name);
    for (const QString &other : toolButtons)
        QCOMPARE(button(w, other)->isEnabled(), other == name);
    QVERIFY(!w->Command1->isEnabled());
    QVERIFY(!w->Command2->isEnabled());
    // The keyboard goes on inside the tool.
    QWidget *panel = w->findChild<QWidget *>(toolPanel(t));
    QVERIFY2(QApplication::focusWidget() && panel->isAncestorOf(QApplication::focusWidget()),
             qPrintable(QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                                    : QStringLiteral("no focus")));

    if (keys)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    else
        use(button(w, name), keys);
    QCOMPARE(toolSeen(w.form.get()), QString());
    for (const QString &p : toolPanels)
        QVERIFY2(w->findChild<QWidget *>(p)->isHidden(), qPrintable(p));
    for (const QString &other : toolButtons)
        QVERIFY(button(w, other)->isEnabled());
    QVERIFY(w->Command1->isEnabled());
    QVERIFY(w->Picture1->isVisible()); // the menu stays open, and the colour button locked
    QVERIFY(!w->Command2->isEnabled());
    QVERIFY(w->Label1->isVisible());
    QCOMPARE(QApplication::focusWidget(), button(w, name));

    // With no tool open, Escape closes the menu as the menu button does, and the focus goes to
    // the menu button; the colour button can be used again.
    if (keys)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    else
        use(w->Command1, keys);
    QVERIFY(!w->Picture1->isVisible());
    QVERIFY(w->Command2->isEnabled());
    if (keys)
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w->Command1));
}

void TestNavigation::everyToolOpensAfterAnyOther()
{
    Window w;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    for (const Tool &first : tools) {
        for (const Tool &second : tools) {
            for (const Tool *t : {&first, &second}) {
                QPushButton *b = button(w, QString::fromLatin1(t->button));
                QTest::mouseClick(b, Qt::LeftButton);
                QCOMPARE(toolSeen(w.form.get()), QString::fromLatin1(t->button));
                QTest::mouseClick(b, Qt::LeftButton);
                QCOMPARE(toolSeen(w.form.get()), QString());
            }
        }
    }
}

TESMORA_TEST(TestNavigation)
#include "tst_navigation.moc"
