#pragma once

// The clock: every tick writes the time and date into the labels and the product title into the
// window's title; while the window is minimised or maximised the title carries time and date
// instead and the labels are left alone.

#include <QDateTime>
#include <functional>

class QWidget;

namespace tesmora {

class Label;

// Where the current time comes from; tests set it.
using ClockSource = std::function<QDateTime()>;

// The product title built from the program's version record.
QString productTitle();

struct ClockTickControls
{
    QWidget *Form1;
    Label *Label1, *Label2;
};

class ClockTick
{
public:
    ClockTick(const ClockTickControls &controls, ClockSource now);
    void Timer1_Timer();

private:
    ClockTickControls c;
    ClockSource now;
};

} // namespace tesmora
