#pragma once

// When the clock's timer fires and which time a tick shows. Each tick is armed for the next
// half-second boundary of the wall clock plus a small margin, so a new second is shown within a
// millisecond or two of its start, whatever phase the program was started at. A tick shows the
// boundary's time, so a wake-up that comes a little early or late still shows the right second.
// When the wall clock has stepped (set by hand, by the network time service, or after a resume)
// the wake-up lands far from its boundary: that tick shows the time as it is, and the next one is
// armed for a boundary again.
//
// Pure arithmetic on milliseconds since the epoch; the caller reads the clock and owns the timer.

#include <QtGlobal>

namespace tesmora {

class TickPhase
{
public:
    // Milliseconds between ticks: the boundaries of the wall clock's half seconds.
    static constexpr qint64 period = 500;
    // How long after its boundary a tick is armed for: enough that a timer firing on time is
    // past the boundary, short enough not to be seen.
    static constexpr qint64 margin = 1;
    // A wake-up this much before its boundary still stands for it; earlier than this, the clock
    // has stepped back.
    static constexpr qint64 earlyTolerance = 50;

    struct Wake
    {
        qint64 shown; // the time the tick shows: a boundary
        qint64 delay; // from the wake-up to the next tick, in milliseconds
    };

    // The delay from `now` to the first tick: the first boundary at least half a period away,
    // so that the first tick comes about one period after the start.
    qint64 start(qint64 now);

    // A tick that woke at `now`: the boundary it shows and the delay to the next tick.
    Wake wake(qint64 now);

    // The boundary the next tick is armed for (none before start()).
    qint64 armedFor() const { return next; }

    // The last boundary at or before `t`.
    static qint64 boundaryAtOrBefore(qint64 t);

private:
    qint64 arm(qint64 boundary, qint64 now);

    bool started = false;
    qint64 next = 0;
};

} // namespace tesmora
