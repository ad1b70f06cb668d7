// The code lookups in the real window: the lists as they are first shown, and picks and typing the
// way a user does them, through the window's own wiring.

#include "codes/codetables.h"
#include "tests/support/combogestures.h"
#include "tests/support/defaultlocale.h"
#include "tests/support/listtexts.h"
#include "tests/support/watchdog.h"
#include "tests/support/window.h"

#include <QPushButton>
#include <QTest>

using namespace tesmora;
using namespace tesmora::testing;

namespace {

bool openCodes(Window &w)
{
    w->show();
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w.form.get()))
        return false;
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    QTest::mouseClick(w->Command22, Qt::LeftButton);
    return w->Combo1->isVisible() && w->Combo2->isVisible() && w->Combo3->isVisible();
}

QStringList labels(Window &w)
{
    return {w->Label10->text(), w->Label11->text(), w->Label12->text()};
}

QComboBox *combo(Window &w, int n)
{
    return n == 1 ? w->Combo1 : n == 2 ? w->Combo2 : w->Combo3;
}

} // namespace

class TestCodesWindow : public WatchedTest
{
    Q_OBJECT
private Q_SLOTS:

    void startUp_data();
    void startUp();
    void picks_data();
    void picks();
    void typing_data();
    void typing();
};

void TestCodesWindow::startUp_data()
{
    QTest::addColumn<QString>("locale");
    for (const char *locale : sortingLocales)
        QTest::newRow(locale) << locale;
}

void TestCodesWindow::startUp()
{
    QFETCH(QString, locale);
    const DefaultLocale pinned {QLocale(locale)};
    Window w;
    QStringList filled;
    for (QComboBox *c : {w->Combo1, w->Combo2, w->Combo3})
        QObject::connect(c->model(), &QAbstractItemModel::rowsInserted, w.form.get(), [&filled, c] {
            if (!filled.contains(c->objectName()))
                filled.append(c->objectName());
        });
    // The lists are filled when their panel is first shown, one after the other.
    for (QComboBox *c : {w->Combo1, w->Combo2, w->Combo3})
        QCOMPARE(c->count(), 0);
    QVERIFY(openCodes(w));
    QCOMPARE(filled, (QStringList {"Combo1", "Combo2", "Combo3"}));

    QCOMPARE(shown(w->Combo1), texts(areaList()));
    QCOMPARE(shown(w->Combo2), texts(countryList()));
    QCOMPARE(shown(w->Combo3), texts(urlList()));
    QCOMPARE(w->Combo1->count(), 52);
    QCOMPARE(w->Combo2->count(), 43);
    QCOMPARE(w->Combo3->count(), 2);
    QCOMPARE(shown(w->Combo1).indexOf(QStringLiteral("Alabama")), 27);
    QCOMPARE(shown(w->Combo1).lastIndexOf(QString()), 26);
    const int mexico = w->Combo2->findText(QString::fromUtf16(u"M\u00E8xico"));
    QCOMPARE(w->Combo2->itemText(mexico - 1), QStringLiteral("Malta"));
    QCOMPARE(w->Combo2->itemText(mexico + 1), QStringLiteral("Monaco"));

    for (QComboBox *c : {w->Combo1, w->Combo2, w->Combo3})
        QCOMPARE(c->currentIndex(), -1);
    QCOMPARE(w->Combo1->currentText(), QStringLiteral("Area Codes"));
    QCOMPARE(w->Combo2->currentText(), QStringLiteral("Country Codes"));
    QCOMPARE(w->Combo3->currentText(), QStringLiteral("URL Country Codes"));
    QCOMPARE(labels(w), QStringList(3, QString()));
}

void TestCodesWindow::picks_data()
{
    QTest::addColumn<Gesture>("gesture");
    QTest::addColumn<QList<int>>("combos");
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<QStringList>("labels");

    // Rows of the lists as start-up leaves them: Combo1 0-26 blank, 50 Texas; Combo2 11 El
    // Salvador, 14 Guatemala, 19 Italy, 22 accented Mexico; Combo3 0 El Salvador, 1 Italy.
    for (Gesture g : {Gesture::Mouse, Gesture::ListKeys, Gesture::ArrowKey}) {
        auto row = [&](const char *name) { return &QTest::addRow("%s: %s", nameOf(g), name); };
        *row("Italy, then Guatemala keeps ITA")
            << g << QList<int> {2, 2} << QList<int> {19, 14} << QStringList {"", "ITA", ""};
        *row("El Salvador on the internet list, country label kept")
            << g << QList<int> {2, 3} << QList<int> {19, 0} << QStringList {"", "ITA", "SV"};
        *row("accented Mexico shows nothing")
            << g << QList<int> {2} << QList<int> {22} << QStringList {"", "", ""};
        *row("a blank area and Texas leave the area label empty")
            << g << QList<int> {1, 1} << QList<int> {5, 50} << QStringList {"", "", ""};
    }
}

void TestCodesWindow::picks()
{
    QFETCH(Gesture, gesture);
    QFETCH(QList<int>, combos);
    QFETCH(QList<int>, rows);
    QFETCH(QStringList, labels);
    Window w;
    QVERIFY(openCodes(w));
    for (qsizetype i = 0; i < combos.size(); ++i)
        QVERIFY(pick(combo(w, combos[i]), rows[i], gesture));
    QCOMPARE(::labels(w), labels);
}

void TestCodesWindow::typing_data()
{
    QTest::addColumn<int>("finishKey");
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("Tab") << int(Qt::Key_Tab);
}

void TestCodesWindow::typing()
{
    QFETCH(int, finishKey);
    Window w;
    QVERIFY(openCodes(w));

    typeIntoField(w->Combo2, QStringLiteral("Italy"));
    QTest::keyClick(w->Combo2, Qt::Key(finishKey));
    QCOMPARE(labels(w), QStringList(3, QString()));
    QCOMPARE(w->Combo2->count(), 43);

    QVERIFY(pickWithMouse(w->Combo2, w->Combo2->findText(QStringLiteral("Italy"))));
    QCOMPARE(labels(w), (QStringList {"", "ITA", ""}));
}

QTEST_MAIN(TestCodesWindow)
#include "tst_codeswindow.moc"
