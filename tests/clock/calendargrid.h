#pragma once

// Clicking a day of a QCalendarWidget with the mouse, as a user would.

#include <QCalendarWidget>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

namespace tesmora::testing {

inline QTableView *calendarGrid(const QCalendarWidget *calendar)
{
    return calendar->findChild<QTableView *>(QStringLiteral("qt_calendar_calendarview"));
}

// The grid's first row holds the day names and its first column the week numbers, unless the
// calendar leaves them out.
inline QModelIndex firstDateCell(const QCalendarWidget *calendar)
{
    const int row
        = calendar->horizontalHeaderFormat() == QCalendarWidget::NoHorizontalHeader ? 0 : 1;
    const int col = calendar->verticalHeaderFormat() == QCalendarWidget::NoVerticalHeader ? 0 : 1;
    return calendarGrid(calendar)->model()->index(row, col);
}

inline void clickCell(const QCalendarWidget *calendar, const QModelIndex &index)
{
    QTableView *grid = calendarGrid(calendar);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
}

// Turns to the month of `date` and clicks its day; true when the calendar reported a click on
// exactly that date. Days 14 to 21 appear only once in a month's grid (the neighbouring months
// show at most 7 and 13 days), so the cell is found by its number.
inline bool clickDay(QCalendarWidget *calendar, QDate date)
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

} // namespace tesmora::testing
