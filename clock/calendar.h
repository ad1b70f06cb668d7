#pragma once

// The calendar panel: a click on a day puts that date, as the date label writes it, into the
// calendar's tooltip.

#include <QDate>

namespace tesmora {

class MonthCalendar;

class Calendar
{
public:
    explicit Calendar(MonthCalendar *MonthView1);

    // `clicked` is what the click reported; the tooltip shows the calendar's own selection,
    // which is the date the user ended up with (the calendar keeps it within its range).
    void MonthView1_DateClick(QDate clicked);

private:
    MonthCalendar *MonthView1;
};

} // namespace tesmora
