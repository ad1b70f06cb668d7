#include "clock/tickphase.h"

namespace tesmora {

qint64 TickPhase::boundaryAtOrBefore(qint64 t)
{
    // Rounds towards minus infinity, also before the epoch.
    qint64 q = t / period;
    if (t % period < 0)
        --q;
    return q * period;
}

qint64 TickPhase::arm(qint64 boundary, qint64 now)
{
    started = true;
    next = boundary;
    return boundary - now + margin;
}

qint64 TickPhase::start(qint64 now)
{
    return arm(boundaryAtOrBefore(now + period / 2 - 1) + period, now);
}

TickPhase::Wake TickPhase::wake(qint64 now)
{
    // On time, or a little early or late (but before the following boundary): the tick stands for
    // the boundary it was armed for. Anywhere else the wall clock has stepped, or the tick came
    // without being armed: it shows the boundary the time lies in.
    const bool onItsBoundary = started && now >= next - earlyTolerance && now < next + period;
    const qint64 shown = onItsBoundary ? next : boundaryAtOrBefore(now);
    return {shown, arm(shown + period, now)};
}

} // namespace tesmora
