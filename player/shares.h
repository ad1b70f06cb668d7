#pragma once

// The shares the player's lists ask (every mounted file system is one), and the calls on them.
//
// Each share answers one call at a time, in turn: a share that is slow serves every request,
// later; one that hangs holds one thread, however often it is asked. A list asks again rather
// than wait in line twice: the call it no longer listens to is not made, and a call that asks
// what one in line already asks is that one. A share is "not answering" only once a call on it
// has not heard from it for longer than notAnsweringAfter; being busy is not being dead.

#include "player/playerrules.h"
#include "player/systemcalls.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <chrono>
#include <deque>
#include <memory>

class QSocketNotifier;

namespace tesmora {

// The system's mounts, from the kernel's table, which never waits on a file system.
QList<Mount> mountTable();

// The mount point of the file system that holds `path` (absolute), by the mount table: the
// share a call on `path` waits on.
QString shareOf(const QString &path);

// The mount points of the mount table, encoded, for a thread to tell shares apart.
MountPoints mountPoints();

// A job as the window's thread sees it: waited for a short while, or told of by answered(),
// which comes once, from the event loop. It goes once it has answered, or is not wanted.
class Call : public QObject
{
    Q_OBJECT
public:
    const std::shared_ptr<Job> &job() const { return work; }
    bool isAnswered() const { return work->isDone(); }
    // Waits until the job is done, or until `deadline`; a call in line on its share waits for
    // those before it, and starts when its turn comes. True once done.
    bool waitUntil(std::chrono::steady_clock::time_point deadline);

Q_SIGNALS:
    void answered();

private:
    friend class Calls;
    Call(std::shared_ptr<Job> job, QString share, QString what, bool bounded);
    ~Call() override;
    void watch();
    // Someone listens for the answer, or waits for it right now.
    bool listened() const;
    const std::shared_ptr<Job> work;
    const QString share; // empty for a job on Qt's thread pool
    const QString what;
    const bool bounded;
    bool waited = false; // someone waits for it right now
    bool keptWaiting = false; // someone waited for it as long as they would
    bool started = false;
    bool finished = false; // its answer has been taken in
    bool countsAsOut = false; // holds one of the bounded calls' places
    QSocketNotifier *notifier = nullptr;
};

// Where the calls are made: one line per share, and Qt's thread pool for what needs no share.
// Used on the window's thread only.
class Calls : public QObject
{
    Q_OBJECT
public:
    // Seconds, not a fraction of one: a share over a slow link, or a NAS that wakes its disks,
    // takes seconds to answer and still answers; after ten seconds a user no longer waits
    // (the usual limit of a user's attention), and the share is told as not answering.
    static constexpr std::chrono::seconds notAnsweringAfter {10};
    // Calls that count against this at once (the drive list's questions): a machine with
    // hundreds of mounts does not start hundreds of threads whenever the list drops down.
    static constexpr int boundedAtOnce = 8;

    static Calls &instance();

    // Asks `share` for `job`, `what` naming what it asks, in turn with the share's other
    // calls; a call on `share` that asks the same, out or in line, is the call for this too
    // (then its own job holds the answer: see typed()). Bounded calls count against
    // boundedAtOnce. Where the system gives no thread or descriptor, the job fails at once.
    Call *onShare(const QString &share, const QString &what, std::shared_ptr<Job> job,
                  bool bounded = false);
    // Does `job` on Qt's thread pool (it makes no call on a share).
    Call *onPool(std::shared_ptr<Job> job);

    // Whether `share` answers: no call out on it has gone without an answer from it for longer
    // than notAnsweringAfter.
    bool isAnswering(const QString &share) const;

    // A call's job as the kind of job it was asked with.
    template<typename J>
    static std::shared_ptr<J> typed(const Call *call)
    {
        return std::static_pointer_cast<J>(call->job());
    }

private:
    friend class Call;
    struct Line
    {
        Call *out = nullptr;
        std::deque<Call *> waiting;
    };
    Calls();
    void start(Call *call);
    void next(const QString &share);
    void answered(Call *call);
    void release(Call *call);
    void recount();
    void nextBounded();
    QHash<QString, Line> lines;
    int boundedOut = 0;
    QTimer overdue; // when the oldest bounded call out gives up its place
};

} // namespace tesmora
