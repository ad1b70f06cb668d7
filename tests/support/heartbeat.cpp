#include "tests/support/heartbeat.h"

#include <QDebug>

namespace tesmora::testing {

Heartbeat::Heartbeat(QObject *parent) : QObject(parent)
{
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(interval);
    connect(&timer, &QTimer::timeout, this, &Heartbeat::beat);
    restart();
}

void Heartbeat::restart()
{
    longestNs = 0;
    count = 0;
    sinceLast.start();
    timer.start();
}

void Heartbeat::beat()
{
    const qint64 late = sinceLast.nsecsElapsed()
        - std::chrono::duration_cast<std::chrono::nanoseconds>(interval).count();
    sinceLast.start();
    ++count;
    longestNs = std::max(longestNs, late);
}

std::chrono::milliseconds Heartbeat::longestStall() const
{
    // A loop held up right now counts too, though no beat has come to tell it yet.
    const qint64 pending = sinceLast.nsecsElapsed()
        - std::chrono::duration_cast<std::chrono::nanoseconds>(interval).count();
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::nanoseconds(std::max(longestNs, pending)));
}

void Heartbeat::report(const char *what) const
{
    qInfo("%s: longest event-loop stall %lld ms over %lld beats of %lld ms", what,
          static_cast<long long>(longestStall().count()), static_cast<long long>(count),
          static_cast<long long>(interval.count()));
}

} // namespace tesmora::testing
