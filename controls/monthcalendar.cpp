#include "controls/monthcalendar.h"

#include <QCalendarWidget>

namespace tesmora {

namespace {
const QDate firstDate(1753, 1, 1);
const QDate lastDate(9999, 12, 31);
} // namespace

MonthCalendar::MonthCalendar(QWidget *parent) : QWidget(parent)
{
    // A tab stop, as the calendar it stands for; the calendar takes the focus once made.
    setFocusPolicy(Qt::StrongFocus);
}

QCalendarWidget *MonthCalendar::calendar()
{
    if (made)
        return made;
    made = new QCalendarWidget(this);
    made->setMinimumSize(0, 0);
    made->setGeometry(rect());
    made->setDateRange(firstDate, lastDate);
    made->setGridVisible(false);
    // A screen reader meets the calendar under this control's name.
    made->setAccessibleName(accessibleName());
    made->setAccessibleDescription(accessibleDescription());
    // The parts of the calendar that show only a picture say what they do.
    for (auto [part, name] : {std::pair {"qt_calendar_prevmonth", "Previous month"},
                              std::pair {"qt_calendar_nextmonth", "Next month"},
                              std::pair {"qt_calendar_calendarview", "Days of the month"}})
        if (auto *w = made->findChild<QWidget *>(QLatin1String(part)))
            w->setAccessibleName(QString::fromLatin1(name));
    // The calendar's tab stops take this control's place in the window's focus chain, and the
    // focus given to this control goes to the calendar.
    QWidget::setTabOrder(this, made);
    setFocusProxy(made);
    connect(made, &QCalendarWidget::clicked, this, &MonthCalendar::clicked);
    made->setVisible(true);
    return made;
}

QDate MonthCalendar::selectedDate()
{
    return calendar()->selectedDate();
}

QDate MonthCalendar::minimumDate() const
{
    return made ? made->minimumDate() : firstDate;
}

QDate MonthCalendar::maximumDate() const
{
    return made ? made->maximumDate() : lastDate;
}

void MonthCalendar::showEvent(QShowEvent *e)
{
    calendar();
    QWidget::showEvent(e);
}

void MonthCalendar::resizeEvent(QResizeEvent *e)
{
    if (made)
        made->setGeometry(rect());
    QWidget::resizeEvent(e);
}

} // namespace tesmora
