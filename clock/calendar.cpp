#include "clock/calendar.h"

#include "clock/clocktext.h"

namespace tesmora {

Calendar::Calendar(const CalendarControls &controls) : c(controls) { }

void Calendar::MonthView1_DateClick(QDate)
{
    c.MonthView1->setToolTip(dateText(c.MonthView1->selectedDate()));
}

} // namespace tesmora
