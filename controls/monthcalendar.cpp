#include "controls/monthcalendar.h"

#include <QCalendarWidget>

namespace tesmora {

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
    made->setDateRange(QDate(1753, 1, 1), QDate(9999, 12, 31));
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
