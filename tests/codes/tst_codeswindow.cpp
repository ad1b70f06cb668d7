// The code lookups in the real window: the lists as they are first shown, and picks and typing the
// way a user does them, through the window's own wiring.

#include "codes/codetables.h"
#include "tests/support/combogestures.h"
#include "tests/support/testmain.h"
#include "tests/support/watchdog.h"
#include "tests/support/window.h"

#include <QTest>

using namespace tesmora;
using namespace tesmora::testing;

namespace {

bool openCodes(Window &w)
{
    if (!w.openTool(w->Command22))
        return false;
    w->activateWindow();
    return QTest::qWaitForWindowActive(w.form.get()) && w->Combo1->isVisible()
        && w->Combo2->isVisible() && w->Combo3->isVisible();
}

QStringList codeLabels(Window &w)
{
    return {w->Label10->text(), w->Label11->text(), w->Label12->text()};
}

QStringList textsOf(std::span<const QStringView> entries)
{
    QStringList out;
    for (QStringView entry : entries)
        out.append(entry.toString());
    return out;
}

} // namespace

class TestCodesWindow : public WatchedTest
{
    Q_OBJECT
private Q_SLOTS:
    void filledWhenFirstOpened();
    void picks_data();
    void picks();
    void typingLooksNothingUp_data();
    void typingLooksNothingUp();
};

void TestCodesWindow::filledWhenFirstOpened()
{
    Window w;
    QStringList filled;
    for (QComboBox *c : {w->Combo1, w->Combo2, w->Combo3})
        QObject::connect(c->model(), &QAbstractItemModel::rowsInserted, w.form.get(), [&filled, c] {
            if (!filled.contains(c->objectName()))
                filled.append(c->objectName());
        });
    for (QComboBox *c : {w->Combo1, w->Combo2, w->Combo3})
        QCOMPARE(c->count(), 0);
    QVERIFY(openCodes(w));
    QCOMPARE(filled, (QStringList {"Combo1", "Combo2", "Combo3"}));

    QCOMPARE(shown(w->Combo1), textsOf(areaList()));
    QCOMPARE(shown(w->Combo2), textsOf(countryList()));
    QCOMPARE(shown(w->Combo3), textsOf(urlList()));
    for (QComboBox *c : {w->Combo1, w->Combo2, w->Combo3})
        QCOMPARE(c->currentIndex(), -1);
    QCOMPARE(w->Combo1->currentText(), QStringLiteral("Area Codes"));
    QCOMPARE(w->Combo2->currentText(), QStringLiteral("Country Codes"));
    QCOMPARE(w->Combo3->currentText(), QStringLiteral("URL Country Codes"));
    QCOMPARE(codeLabels(w), QStringList(3, QString()));
}

void TestCodesWindow::picks_data()
{
    QTest::addColumn<Gesture>("gesture");
    QTest::addColumn<QStringList>("steps"); // "2:Italy": the entry "Italy" of Combo2
    QTest::addColumn<QStringList>("labels"); // Label10, Label11, Label12 afterwards

    const QString mexico = QString::fromUtf16(u"2:M\u00E8xico");
    for (Gesture g :
         {Gesture::Mouse, Gesture::ListKeys, Gesture::ArrowKey, Gesture::PageKey, Gesture::Wheel}) {
        auto row = [&](const char *name) { return &QTest::addRow("%s: %s", nameOf(g), name); };
        *row("Italy, then Guatemala keeps ITA")
            << g << QStringList {"2:Italy", "2:Guatemala"} << QStringList {"", "ITA", ""};
        *row("Italy, then El Salvador")
            << g << QStringList {"2:Italy", "2:El Salvador"} << QStringList {"", "SV", ""};
        *row("Italy, then accented Mexico keeps ITA")
            << g << QStringList {"2:Italy", mexico} << QStringList {"", "ITA", ""};
        *row("internet El Salvador, country label kept")
            << g << QStringList {"2:Italy", "3:El Salvador"} << QStringList {"", "ITA", "SV"};
        *row("a blank area and Texas touch only the area label")
            << g << QStringList {"2:Italy", "3:Italy", "1:", "1:Texas"}
            << QStringList {"", "ITA", "ITA"};
    }
}

void TestCodesWindow::picks()
{
    QFETCH(Gesture, gesture);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, labels);
    Window w;
    QVERIFY(openCodes(w));
    for (const QString &step : steps) {
        QComboBox *combo
            = QList {w->Combo1, w->Combo2, w->Combo3}.at(step.front().digitValue() - 1);
        const QString entry = step.mid(2);
        QVERIFY2(pick(combo, entry, gesture), qPrintable(step));
        QCOMPARE(combo->currentText(), entry);
    }
    QCOMPARE(codeLabels(w), labels);
}

void TestCodesWindow::typingLooksNothingUp_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("finish");

    // "Ita" is completed to "Italy" in the field.
    for (const char *typed : {"Italy", "Ita"}) {
        for (const char *finish : {"Return", "Enter", "Tab", "click elsewhere", "open the list"})
            QTest::addRow("%s, %s", typed, finish) << typed << finish;
    }
}

void TestCodesWindow::typingLooksNothingUp()
{
    QFETCH(QString, typed);
    QFETCH(QString, finish);
    Window w;
    QVERIFY(openCodes(w));

    typeIntoField(w->Combo2, typed);
    if (finish == u"Return")
        QTest::keyClick(w->Combo2, Qt::Key_Return);
    else if (finish == u"Enter")
        QTest::keyClick(w->Combo2, Qt::Key_Enter, Qt::KeypadModifier);
    else if (finish == u"Tab")
        QTest::keyClick(w->Combo2, Qt::Key_Tab);
    else if (finish == u"click elsewhere")
        QTest::mouseClick(w->Combo3->lineEdit(), Qt::LeftButton);
    else if (finish == u"open the list")
        QVERIFY(openListWithMouse(w->Combo2));
    QCOMPARE(codeLabels(w), QStringList(3, QString()));
    QCOMPARE(w->Combo2->count(), int(countryList().size()));

    // Picking the entry from the list afterwards does look it up.
    if (!listIsOpen(w->Combo2))
        QVERIFY(openListWithMouse(w->Combo2));
    QVERIFY(clickInOpenList(w->Combo2, w->Combo2->findText(QStringLiteral("Italy"))));
    QCOMPARE(codeLabels(w), (QStringList {"", "ITA", ""}));
}

TESMORA_TEST(TestCodesWindow)
#include "tst_codeswindow.moc"
