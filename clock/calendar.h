#pragma once

// The calendar panel: a click on a day puts that date, as the date label writes it, into the
// calendar's tooltip.

#include "controls/named.h"

#include <QCalendarWidget>
#include <QDate>

namespace tesmora {

struct CalendarControls
{
    QWidget *Form1;
    TESMORA_CONTROL(QCalendarWidget, MonthView1);
};

class Calendar
{
public:
    explicit Calendar(const CalendarControls &controls);

    // `clicked` is what the click reported; the tooltip shows the calendar's own selection,
    // which is the date the user ended up with (the calendar keeps it within its range).
    void MonthView1_DateClick(QDate clicked);

private:
    CalendarControls c;
};

} // namespace tesmora
