#pragma once

// The clock: every tick writes the time and date into the labels and the product title into the
// window's title; while the window is minimised or maximised the title carries time and date
// instead and the labels are left alone. The window's timer ticks every half second, each tick
// armed for the next half-second boundary of the wall clock (clock/tickphase.h), and a tick shows
// the time of its boundary.

#include "clock/tickphase.h"
#include "controls/controls.h"
#include "controls/named.h"

#include <QDateTime>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace tesmora {

// Where the current time comes from; tests set it.
using ClockSource = std::function<QDateTime()>;

// The product title built from the program's version record.
QString productTitle();

struct ClockTickControls
{
    QWidget *Form1;
    TESMORA_CONTROL(Label, Label1); // the time
    TESMORA_CONTROL(Label, Label2); // the date
    TESMORA_CONTROL(QTimer, Timer1);
};

class ClockTick
{
public:
    ClockTick(const ClockTickControls &controls, ClockSource now);
    // Arms the first tick, about half a second from now.
    void start();
    void Timer1_Timer();

private:
    // The time this tick stands for; arms the next tick.
    QDateTime wake();

    ClockTickControls c;
    ClockSource now;
    TickPhase phase;
};

} // namespace tesmora
