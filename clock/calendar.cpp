#include "clock/calendar.h"

#include "clock/clocktext.h"

#include <QCalendarWidget>

namespace tesmora {

Calendar::Calendar(QCalendarWidget *MonthView1) : MonthView1(MonthView1) { }

void Calendar::MonthView1_DateClick(QDate)
{
    MonthView1->setToolTip(dateText(MonthView1->selectedDate()));
}

} // namespace tesmora
