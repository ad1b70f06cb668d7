#pragma once

// The window's kit (controls/): the month calendar, made when it is first seen.

#include <QDate>
#include <QWidget>

class QCalendarWidget;

namespace tesmora {

// Holds the place of a month calendar: its geometry, font, tab stop, tooltip and name are its
// own from the start, while the QCalendarWidget that fills it (tens of milliseconds and a few
// megabytes to make) is made when it is first shown, or when something first asks for it.
class MonthCalendar : public QWidget
{
    Q_OBJECT
public:
    explicit MonthCalendar(QWidget *parent = nullptr);

    // The calendar itself, made now if it is not yet.
    QCalendarWidget *calendar();
    QDate selectedDate();

Q_SIGNALS:
    // A click on a day of the range.
    void clicked(QDate date);

protected:
    void showEvent(QShowEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    QCalendarWidget *made = nullptr;
};

} // namespace tesmora
