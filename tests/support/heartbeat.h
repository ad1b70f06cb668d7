#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <chrono>

namespace tesmora::testing {

// Beats every 50 ms on the event loop and keeps how late the latest beats came: a beat that
// comes 300 ms late means the window could not answer for that long. It only measures; the
// figure is printed, not asserted, since a loaded machine may always be slower.
class Heartbeat : public QObject
{
public:
    static constexpr std::chrono::milliseconds interval {50};

    explicit Heartbeat(QObject *parent = nullptr);

    // The longest time the loop was held up beyond one beat, since the start or restart().
    std::chrono::milliseconds longestStall() const;
    qint64 beats() const { return count; }
    void restart();
    // Prints the figure under `what` on the test log.
    void report(const char *what) const;

private:
    void beat();
    QTimer timer;
    QElapsedTimer sinceLast;
    qint64 longestNs = 0;
    qint64 count = 0;
};

} // namespace tesmora::testing
