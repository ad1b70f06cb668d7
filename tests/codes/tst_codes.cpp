// The code lookups on real widgets, wired as the window wires them: a pick from a combo box's
// list (ComboPicks::picked) runs its Combo*_Click; text typed into the field runs nothing.

#include "codes/codes.h"
#include "codes/codetables.h"
#include "controls/combopicks.h"
#include "controls/controls.h"
#include "tests/support/combogestures.h"
#include "tests/support/watchdog.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace tesmora;
using namespace tesmora::testing;

namespace {

QComboBox *makeCombo(QWidget *parent, const char *startText, int top)
{
    // As the window builds its combo boxes.
    auto *combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCurrentIndex(-1);
    combo->setEditText(QString::fromLatin1(startText));
    combo->setGeometry(24, top, 185, 28);
    return combo;
}

Label *makeLabel(QWidget *parent, int top)
{
    auto *label = new Label(parent);
    label->setGeometry(240, top, 110, 25);
    return label;
}

struct CodesPanel
{
    QWidget window;
    QComboBox *Combo1 = makeCombo(&window, "Area Codes", 16);
    QComboBox *Combo2 = makeCombo(&window, "Country Codes", 56);
    QComboBox *Combo3 = makeCombo(&window, "URL Country Codes", 96);
    Label *Label10 = makeLabel(&window, 24);
    Label *Label11 = makeLabel(&window, 64);
    Label *Label12 = makeLabel(&window, 96);
    QLineEdit *elsewhere = new QLineEdit(&window);
    Codes codes {{Combo1, Combo2, Combo3, Label10, Label11, Label12}};
    ComboPicks *picks1 = new ComboPicks(Combo1);
    ComboPicks *picks2 = new ComboPicks(Combo2);
    ComboPicks *picks3 = new ComboPicks(Combo3);

    CodesPanel()
    {
        window.resize(449, 137);
        elsewhere->setGeometry(360, 100, 80, 25);
        QObject::connect(picks1, &ComboPicks::picked, &window, [this] { codes.Combo1_Click(); });
        QObject::connect(picks2, &ComboPicks::picked, &window, [this] { codes.Combo2_Click(); });
        QObject::connect(picks3, &ComboPicks::picked, &window, [this] { codes.Combo3_Click(); });
    }
    bool show()
    {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }
    QComboBox *combo(int n) const { return n == 1 ? Combo1 : n == 2 ? Combo2 : Combo3; }
    QStringList labels() const { return {Label10->text(), Label11->text(), Label12->text()}; }
};

// "2:Italy" = the entry "Italy" of Combo2.
struct Step
{
    int combo;
    QString entry;
};
Step step(const QString &s)
{
    const qsizetype colon = s.indexOf(u':');
    return {s.left(colon).toInt(), s.mid(colon + 1)};
}

const Gesture gestures[] = {Gesture::Mouse, Gesture::ListKeys, Gesture::ArrowKey};

} // namespace

class TestCodes : public WatchedTest
{
    Q_OBJECT
private Q_SLOTS:

    void picks_data();
    void picks();
    void everyAreaLeavesItsLabelEmpty_data();
    void everyAreaLeavesItsLabelEmpty();
    void typedTextLooksNothingUp_data();
    void typedTextLooksNothingUp();
};

void TestCodes::picks_data()
{
    QTest::addColumn<Gesture>("gesture");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("labels"); // Label10, Label11, Label12 afterwards

    const QString mexico = QString::fromUtf16(u"M\u00E8xico");
    for (Gesture g : gestures) {
        auto row = [&](const char *name) { return &QTest::addRow("%s: %s", nameOf(g), name); };
        *row("Italy") << g << QStringList {"2:Italy"} << QStringList {"", "ITA", ""};
        *row("El Salvador") << g << QStringList {"2:El Salvador"} << QStringList {"", "SV", ""};
        *row("Italy then Guatemala keeps ITA")
            << g << QStringList {"2:Italy", "2:Guatemala"} << QStringList {"", "ITA", ""};
        *row("Italy then El Salvador")
            << g << QStringList {"2:Italy", "2:El Salvador"} << QStringList {"", "SV", ""};
        *row("accented Mexico shows nothing")
            << g << QStringList {"2:" + mexico} << QStringList {"", "", ""};
        *row("accented Mexico keeps ITA")
            << g << QStringList {"2:Italy", "2:" + mexico} << QStringList {"", "ITA", ""};
        *row("internet El Salvador, country label untouched")
            << g << QStringList {"2:Italy", "3:El Salvador"} << QStringList {"", "ITA", "SV"};
        *row("internet Italy") << g << QStringList {"3:Italy"} << QStringList {"", "", "ITA"};
        *row("Texas") << g << QStringList {"1:Texas"} << QStringList {"", "", ""};
        *row("Texas leaves the others")
            << g << QStringList {"2:Italy", "3:Italy", "1:Texas"} << QStringList {"", "ITA", "ITA"};
    }
}

void TestCodes::picks()
{
    QFETCH(Gesture, gesture);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, labels);
    CodesPanel panel;
    panel.codes.fill();
    QVERIFY(panel.show());

    for (const QString &s : steps) {
        const Step st = step(s);
        QVERIFY2(pick(panel.combo(st.combo), st.entry, gesture), qPrintable(s));
        QCOMPARE(panel.combo(st.combo)->currentText(), st.entry);
    }
    QCOMPARE(panel.labels(), labels);
}

void TestCodes::everyAreaLeavesItsLabelEmpty_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("entry");
    const auto areas = areaList();
    for (int i = 0; i < int(areas.size()); ++i)
        QTest::addRow("%d %s", i + 1, qPrintable(areas[i].toString())) << i << areas[i].toString();
}

void TestCodes::everyAreaLeavesItsLabelEmpty()
{
    QFETCH(int, row);
    QFETCH(QString, entry);
    CodesPanel panel;
    panel.codes.fill();
    QVERIFY(panel.show());
    QSignalSpy picks(panel.picks1, &ComboPicks::picked);

    QVERIFY(pickWithArrowKey(panel.Combo1, row));
    QCOMPARE(picks.count(), 1);
    QCOMPARE(panel.Combo1->currentText(), entry);
    QCOMPARE(panel.Label10->text(), QString());

    // Whatever the label had, only Texas and Arkansas write to it, and they write nothing.
    panel.Label10->setText(QStringLiteral("555"));
    QVERIFY(pickWithListKeys(panel.Combo1, row));
    const bool clears = entry == u"Texas" || entry == u"Arkansas";
    QCOMPARE(panel.Label10->text(), clears ? QString() : QStringLiteral("555"));
}

void TestCodes::typedTextLooksNothingUp_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("finish");

    for (const char *typed : {"Italy", "Ita"}) {
        for (const char *finish : {"Return", "Enter", "Tab", "click elsewhere", "open the list"})
            QTest::addRow("%s, %s", typed, finish) << typed << finish;
    }
}

void TestCodes::typedTextLooksNothingUp()
{
    QFETCH(QString, typed);
    QFETCH(QString, finish);
    CodesPanel panel;
    panel.codes.fill();
    QVERIFY(panel.show());
    QSignalSpy picks(panel.picks2, &ComboPicks::picked);

    typeIntoField(panel.Combo2, typed);
    if (finish == u"Return")
        QTest::keyClick(panel.Combo2, Qt::Key_Return);
    else if (finish == u"Enter")
        QTest::keyClick(panel.Combo2, Qt::Key_Enter, Qt::KeypadModifier);
    else if (finish == u"Tab")
        QTest::keyClick(panel.Combo2, Qt::Key_Tab);
    else if (finish == u"click elsewhere")
        QTest::mouseClick(panel.elsewhere, Qt::LeftButton);
    else if (finish == u"open the list")
        QVERIFY(openListWithMouse(panel.Combo2));
    QCOMPARE(picks.count(), 0);
    QCOMPARE(panel.labels(), QStringList(3, QString()));
    QCOMPARE(panel.Combo2->count(), 43);

    // Picking the entry from the list afterwards does look it up.
    if (!listIsOpen(panel.Combo2))
        QVERIFY(openListWithMouse(panel.Combo2));
    QVERIFY(clickInOpenList(panel.Combo2, panel.Combo2->findText(QStringLiteral("Italy"))));
    QCOMPARE(picks.count(), 1);
    QCOMPARE(panel.Label11->text(), QStringLiteral("ITA"));
}

QTEST_MAIN(TestCodes)
#include "tst_codes.moc"
