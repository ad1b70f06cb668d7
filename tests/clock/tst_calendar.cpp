// The calendar panel in the window: a click on a day puts that date, in the locale's short form,
// into the calendar's tooltip; nothing else does. A screen reader and the keyboard reach it.

#include "clock/clocktext.h"
#include "tests/support/defaultlocale.h"
#include "tests/support/testmain.h"
#include "tests/support/watchdog.h"
#include "tests/support/window.h"

#include <QAccessible>
#include <QCalendarWidget>
#include <QMetaEnum>
#include <QSignalSpy>
#include <QTableView>
#include <QToolButton>

using namespace tesmora;
using namespace tesmora::testing;

namespace {

QTableView *calendarGrid(const QCalendarWidget *calendar)
{
    return calendar->findChild<QTableView *>(QStringLiteral("qt_calendar_calendarview"));
}

// The grid's first row holds the day names and its first column the week numbers.
QModelIndex firstDateCell(const QCalendarWidget *calendar)
{
    const int row
        = calendar->horizontalHeaderFormat() == QCalendarWidget::NoHorizontalHeader ? 0 : 1;
    const int col = calendar->verticalHeaderFormat() == QCalendarWidget::NoVerticalHeader ? 0 : 1;
    return calendarGrid(calendar)->model()->index(row, col);
}

void clickCell(const QCalendarWidget *calendar, const QModelIndex &index)
{
    QTableView *grid = calendarGrid(calendar);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
}

// Turns to the month of `date` and clicks its day; true when the calendar reported a click on
// exactly that date. Days 14 to 21 appear only once in a month's grid (the neighbouring months
// show at most 7 and 13 days), so the cell is found by its number.
bool clickDay(QCalendarWidget *calendar, QDate date)
{
    Q_ASSERT(date.day() >= 14 && date.day() <= 21);
    calendar->setCurrentPage(date.year(), date.month());
    const QModelIndex first = firstDateCell(calendar);
    const QAbstractItemModel *model = first.model();
    for (int row = first.row(); row < model->rowCount(); ++row) {
        for (int col = first.column(); col < model->columnCount(); ++col) {
            const QModelIndex index = model->index(row, col);
            if (index.data().toString() == QString::number(date.day())) {
                QSignalSpy clicked(calendar, &QCalendarWidget::clicked);
                clickCell(calendar, index);
                return clicked.size() == 1 && clicked.at(0).at(0).toDate() == date;
            }
        }
    }
    return false;
}

// Opens the calendar as the user does; no tooltip before the first date click.
bool openCalendar(Window &w)
{
    return w.openTool(w->Command3) && w->MonthView1->isVisible()
        && w->MonthView1->toolTip().isEmpty();
}

// What a screen reader meets under `a`, depth first: the role and name of each shown part that
// has a name, without the cells of tables.
QStringList heard(QAccessibleInterface *a)
{
    const QMetaEnum roles = QMetaEnum::fromType<QAccessible::Role>();
    QStringList parts;
    for (int i = 0; i < a->childCount(); ++i) {
        QAccessibleInterface *part = a->child(i);
        if (part->state().invisible || part->role() == QAccessible::Cell
            || part->role() == QAccessible::ColumnHeader || part->role() == QAccessible::RowHeader)
            continue;
        if (const QString name = part->text(QAccessible::Name); !name.isEmpty())
            parts << QLatin1String(roles.valueToKey(part->role())) + u' ' + name;
        parts << heard(part);
    }
    return parts;
}

} // namespace

class TestCalendar : public WatchedTest
{
    Q_OBJECT
private Q_SLOTS:
    void clickShowsShortDate_data();
    void clickShowsShortDate();
    void onlyADateClickChangesIt_data();
    void onlyADateClickChangesIt();
    void tabReachesTheDays();
    void spokenNames();
};

void TestCalendar::clickShowsShortDate_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("tooltip");

    QTest::newRow("C") << "C" << QDate(2024, 5, 17) << "2024-05-17";
    QTest::newRow("German") << "de_DE" << QDate(2024, 5, 17) << "17.05.24";
    QTest::newRow("US English") << "en_US" << QDate(2024, 5, 17) << "5/17/24";
    QTest::newRow("first month of the range") << "C" << QDate(1753, 1, 15) << "1753-01-15";
    QTest::newRow("last month of the range") << "C" << QDate(9999, 12, 21) << "9999-12-21";
}

void TestCalendar::clickShowsShortDate()
{
    QFETCH(QString, locale);
    QFETCH(QDate, date);
    QFETCH(QString, tooltip);
    const DefaultLocale pinned {QLocale(locale)};
    Window w;
    QVERIFY(openCalendar(w));
    QVERIFY(clickDay(w->MonthView1, date));
    QCOMPARE(w->MonthView1->toolTip(), tooltip);
    // The next click replaces it.
    QVERIFY(clickDay(w->MonthView1, QDate(2023, 11, 20)));
    QCOMPARE(w->MonthView1->toolTip(), dateText(QDate(2023, 11, 20)));
    QCOMPARE(w.prompts.inputs, QList<Message>());
}

void TestCalendar::onlyADateClickChangesIt_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("months"); // how far the shown month moves

    QTest::newRow("next month button") << "qt_calendar_nextmonth" << 1;
    QTest::newRow("previous month button") << "qt_calendar_prevmonth" << -1;
    // The keys move the selection as well as the page.
    QTest::newRow("page down key") << "PageDown" << 1;
    QTest::newRow("arrow key across the month's end") << "Down" << 1;
    // A day of the month before the first one in range is no date click.
    QTest::newRow("day before the range") << "before" << 0;
}

void TestCalendar::onlyADateClickChangesIt()
{
    QFETCH(QString, how);
    QFETCH(int, months);
    const DefaultLocale pinned(QLocale::c());
    Window w;
    QVERIFY(openCalendar(w));
    QCalendarWidget *cal = w->MonthView1;
    QTableView *grid = calendarGrid(cal);
    QDate start(2024, 2, 21); // the 21st, so that a week down lands in the next month
    QString tooltip = QStringLiteral("2024-02-21");
    if (how == u"before") {
        // The grid of January 1753 starts with days of December 1752.
        start = QDate(1753, 1, 1);
        tooltip.clear();
        cal->setCurrentPage(1753, 1);
    } else {
        QVERIFY(clickDay(cal, start));
    }
    QCOMPARE(w->MonthView1->toolTip(), tooltip);
    const QDate selected = cal->selectedDate();

    if (how.startsWith(QLatin1String("qt_calendar_"))) {
        QTest::mouseClick(cal->findChild<QToolButton *>(how), Qt::LeftButton);
    } else if (how == u"before") {
        const QModelIndex first = firstDateCell(cal);
        QVERIFY(first.data().toInt() >= 25);
        clickCell(cal, first);
        QCOMPARE(cal->selectedDate(), selected);
    } else {
        grid->setFocus();
        QTest::keyClick(grid, how == u"PageDown" ? Qt::Key_PageDown : Qt::Key_Down);
        if (how == u"Down")
            QTest::keyClick(grid, Qt::Key_Down);
        QVERIFY(cal->selectedDate() != selected);
    }

    QCOMPARE(QDate(cal->yearShown(), cal->monthShown(), 1),
             QDate(start.year(), start.month(), 1).addMonths(months));
    QCOMPARE(w->MonthView1->toolTip(), tooltip);
}

// Tab from the stop before the calendar reaches its days.
void TestCalendar::tabReachesTheDays()
{
    Window w;
    QVERIFY(openCalendar(w));
    QWidget *before = w->MonthView1->previousInFocusChain();
    while (!before->isVisible() || !(before->focusPolicy() & Qt::TabFocus))
        before = before->previousInFocusChain();
    QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), calendarGrid(w->MonthView1));
}

// A screen reader meets one table, "Month calendar", in the calendar's panel, and hears what
// each of its parts is: the buttons that turn the month, the month and year shown, the days.
void TestCalendar::spokenNames()
{
    const DefaultLocale pinned(QLocale::c());
    Window w;
    QVERIFY(openCalendar(w));
    w->MonthView1->setCurrentPage(2024, 5);
    QCOMPARE(heard(QAccessible::queryAccessibleInterface(w->Picture12)),
             QStringList({"Table Month calendar", "Button Previous month", "Button Next month",
                          "ButtonMenu May", "Button 2024", "Table Days of the month"}));
}

TESMORA_TEST(TestCalendar)
#include "tst_calendar.moc"
