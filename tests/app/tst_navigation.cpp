// Opening and closing the menu bar and the tools, and a long random walk over the buttons.

#include "app/navigation.h"
#include "controls/picture.h"
#include "tests/support/tools.h"
#include "tests/support/watchdog.h"
#include "tests/support/window.h"

#include <QApplication>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>

using namespace tesmora;
using namespace tesmora::testing;

namespace {

QPushButton *button(Window &w, const QString &name)
{
    return w->findChild<QPushButton *>(name);
}
bool flag(Window &w, const QString &panel)
{
    return !w->findChild<QWidget *>(panel)->isHidden();
}
QStringList toolsSeen(Window &w)
{
    return testing::toolsSeen(w.form.get());
}
QString toolSeen(Window &w)
{
    return testing::toolSeen(w.form.get());
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
    void colourButtonOnlyWithMenuClosed();
    void randomWalk();
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
    // The menu bar hides the date.
    QVERIFY(w->Picture1->geometry().contains(w->Frame1->geometry()));

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
    QTest::addColumn<QString>("open"); // the gesture on the menu button and the tool button
    QTest::addColumn<QString>("close"); // the gesture that closes the tool
    for (int i = 0; i < tools.size(); ++i) {
        QTest::addRow("%s, mouse", tools[i].button) << i << "mouse"
                                                    << "mouse";
        QTest::addRow("%s, Space", tools[i].button) << i << "Space"
                                                    << "Space";
        QTest::addRow("%s, Enter, Escape", tools[i].button) << i << "Enter"
                                                            << "Escape";
    }
}

namespace {
// A click, or a key pressed where the focus is after Tab has brought it to the button.
void use(QPushButton *b, const QString &gesture)
{
    if (gesture == u"mouse") {
        QTest::mouseClick(b, Qt::LeftButton);
        return;
    }
    b->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), b);
    if (gesture == u"Space")
        QTest::keyClick(b, Qt::Key_Space);
    else if (gesture == u"Enter")
        QTest::keyClick(b, Qt::Key_Return);
}
} // namespace

void TestNavigation::eachToolOpensAndCloses()
{
    QFETCH(int, tool);
    QFETCH(QString, open);
    QFETCH(QString, close);
    const Tool &t = tools[tool];
    const QString name = QString::fromLatin1(t.button);
    Window w;
    w->show();
    QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
    use(w->Command1, open);
    QVERIFY(w->Picture1->isVisible());
    use(button(w, name), open);

    for (const char *panel : t.chain)
        QVERIFY2(w->findChild<QWidget *>(QString::fromLatin1(panel))->isVisible(), panel);
    QCOMPARE(toolSeen(w), name);
    for (const QString &other : toolButtons)
        QCOMPARE(button(w, other)->isEnabled(), other == name);
    QVERIFY(!w->Command1->isEnabled());
    // Conversions and the player lock the colour button too; it is locked by the open menu anyway.
    QVERIFY(!w->Command2->isEnabled());
    // The keyboard goes on inside the tool.
    QWidget *seen = w->findChild<QWidget *>(QString::fromLatin1(t.seen));
    QVERIFY2(QApplication::focusWidget() && seen->isAncestorOf(QApplication::focusWidget()),
             qPrintable(QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                                    : QStringLiteral("no focus")));

    if (close == u"Escape")
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    else
        use(button(w, name), close);
    QCOMPARE(toolSeen(w), QString());
    for (const QString &panel : toolPanels)
        QVERIFY2(!flag(w, panel), qPrintable(panel));
    for (const QString &other : toolButtons)
        QVERIFY(button(w, other)->isEnabled());
    QVERIFY(w->Command1->isEnabled());
    QVERIFY(w->Picture1->isVisible()); // the menu stays open
    QVERIFY(w->Label1->isVisible());
    // The focus is back on the tool's button.
    QCOMPARE(QApplication::focusWidget(), button(w, name));

    // Escape with no tool open closes the menu, and the focus is on the menu button.
    if (close == u"Escape") {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!w->Picture1->isVisible());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w->Command1));
    }
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
                QCOMPARE(toolSeen(w), QString::fromLatin1(t->button));
                QTest::mouseClick(b, Qt::LeftButton);
                QCOMPARE(toolSeen(w), QString());
            }
        }
    }
}

void TestNavigation::colourButtonOnlyWithMenuClosed()
{
    Window w;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    for (const QString &name : toolButtons) {
        QTest::mouseClick(button(w, name), Qt::LeftButton);
        QVERIFY(!w->Command2->isEnabled());
        QTest::mouseClick(button(w, name), Qt::LeftButton);
        QVERIFY(!w->Command2->isEnabled());
    }
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    QVERIFY(w->Command2->isEnabled());
}

void TestNavigation::randomWalk()
{
    Window w;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
    QRandomGenerator rng(20261208);
    const QStringList all = QStringList {"Command1"} + toolButtons;
    int opened = 0;
    for (int step = 0; step < 10000; ++step) {
        QList<QPushButton *> pressable;
        for (const QString &name : all) {
            QPushButton *b = button(w, name);
            if (b->isVisible() && b->isEnabled())
                pressable.append(b);
        }
        QVERIFY(!pressable.isEmpty());
        QPushButton *b = pressable.at(rng.bounded(int(pressable.size())));
        const QString before = toolSeen(w);
        b->click();

        const QString seen = toolSeen(w);
        if (!seen.isEmpty() && before.isEmpty())
            ++opened;
        QVERIFY2(toolsSeen(w).size() <= 1, qPrintable(seen));
        if (!seen.isEmpty()) {
            for (const QString &name : toolButtons)
                QVERIFY2(button(w, name)->isEnabled() == (name == seen),
                         qPrintable(QStringLiteral("step %1: %2").arg(step).arg(name)));
            QVERIFY(!w->Command1->isEnabled());
        } else {
            for (const QString &panel : toolPanels)
                QVERIFY2(!flag(w, panel),
                         qPrintable(QStringLiteral("step %1: %2").arg(step).arg(panel)));
            if (!before.isEmpty())
                QVERIFY(w->Picture1->isVisible()); // closing a tool leaves the menu open
        }
    }
    QVERIFY(opened > 1000); // the walk really went through the tools
}

QTEST_MAIN(TestNavigation)
#include "tst_navigation.moc"
