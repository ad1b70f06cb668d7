#include "clock/calendar.h"

#include "clock/clocktext.h"
#include "controls/monthcalendar.h"

namespace tesmora {

Calendar::Calendar(MonthCalendar *MonthView1) : MonthView1(MonthView1) { }

void Calendar::MonthView1_DateClick(QDate)
{
    MonthView1->setToolTip(dateText(MonthView1->selectedDate()));
}

} // namespace tesmora
