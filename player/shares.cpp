#include "player/shares.h"

#include <QCoreApplication>
#include <QFile>
#include <QMetaMethod>
#include <QScopedValueRollback>
#include <QSocketNotifier>
#include <QThreadPool>
#include <pthread.h>
#include <system_error>
#include <thread>

namespace tesmora {

QList<Mount> mountTable()
{
    QFile table(QStringLiteral("/proc/self/mountinfo"));
    return table.open(QIODevice::ReadOnly) ? parseMountInfo(table.readAll()) : QList<Mount>();
}

MountPoints mountPoints()
{
    MountPoints roots;
    for (const Mount &m : mountTable())
        roots.push_back(QFile::encodeName(m.rootPath).toStdString());
    return roots;
}

QString shareOf(const QString &path)
{
    return QFile::decodeName(QByteArray::fromStdString(
        holderAmong(mountPoints(), QFile::encodeName(path).toStdString())));
}

Call::Call(std::shared_ptr<Job> job, QString share, QString what, bool bounded)
    : work(std::move(job)), share(std::move(share)), what(std::move(what)), bounded(bounded)
{ }

Call::~Call()
{
    // The notifier goes before the job, which may close the descriptor it watches.
    delete notifier;
}

bool Call::listened() const
{
    return waited || isSignalConnected(QMetaMethod::fromSignal(&Call::answered));
}

void Call::watch()
{
    // One notifier for the job's descriptor, however many wait for the answer.
    if (work->descriptor() < 0)
        return;
    notifier = new QSocketNotifier(work->descriptor(), QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this,
            [this] { Calls::instance().answered(this); });
}

bool Call::waitUntil(std::chrono::steady_clock::time_point deadline)
{
    Calls &calls = Calls::instance();
    const QScopedValueRollback waiting(waited, true);
    while (!work->isDone()) {
        Call *ahead = started ? this : calls.lines.value(share).out;
        // Held back among the bounded calls: its place comes from the event loop.
        if (!ahead)
            return false;
        // A call that already kept someone waiting for as long as they would is not waited
        // for again: the window waits for a slow share once, not once for every list.
        if (ahead->keptWaiting && !ahead->work->isDone())
            return false;
        if (!ahead->work->waitUntil(deadline)) {
            ahead->keptWaiting = true;
            return false;
        }
        calls.answered(ahead); // its turn is over: the next in line starts
    }
    calls.answered(this);
    return true;
}

Calls &Calls::instance()
{
    // Made on first use and gone with the application, before its thread pool is waited for;
    // a thread that answers later writes only into its own job.
    static Calls *calls = nullptr;
    if (!calls) {
        calls = new Calls;
        qAddPostRoutine([] {
            delete calls;
            calls = nullptr;
        });
    }
    return *calls;
}

Calls::Calls()
{
    overdue.setSingleShot(true);
    connect(&overdue, &QTimer::timeout, this, &Calls::recount);
}

Call *Calls::onShare(const QString &share, const QString &what, std::shared_ptr<Job> job,
                     bool bounded)
{
    Line &line = lines[share];
    if (line.out && !line.out->finished && line.out->what == what && !line.out->work->isDropped())
        return line.out;
    // The call out that nobody listens to any more (its list asked for another folder) stops
    // at its next step, so that this one does not wait for all of it.
    if (line.out && !line.out->listened())
        line.out->work->drop();
    for (Call *c : line.waiting)
        if (c->what == what)
            return c;
    auto *call = new Call(std::move(job), share, what, bounded);
    call->setParent(this);
    line.waiting.push_back(call);
    // Its asker listens from now on; it could not before it had the call.
    const QScopedValueRollback asking(call->waited, true);
    next(share);
    return call;
}

Call *Calls::onPool(std::shared_ptr<Job> job)
{
    auto *call = new Call(std::move(job), QString(), QString(), false);
    call->setParent(this);
    start(call);
    return call;
}

bool Calls::isAnswering(const QString &share) const
{
    const Call *out = lines.value(share).out;
    return !out || out->work->silence() < notAnsweringAfter;
}

void Calls::next(const QString &share)
{
    for (;;) {
        Line &line = lines[share];
        if (line.out || line.waiting.empty())
            break;
        Call *call = line.waiting.front();
        if (!call->listened()) {
            // Nobody waits for it any more: the list that asked has asked for something else.
            line.waiting.pop_front();
            call->deleteLater();
            continue;
        }
        if (call->bounded && boundedOut >= boundedAtOnce)
            break; // its turn comes with a place
        line.waiting.pop_front();
        line.out = call;
        start(call);
    }
    if (const Line line = lines.value(share); !line.out && line.waiting.empty())
        lines.remove(share);
}

void Calls::start(Call *call)
{
    call->started = true;
    call->work->heard(); // silent from now on until it answers
    if (call->bounded) {
        call->countsAsOut = true;
        ++boundedOut;
        if (!overdue.isActive())
            overdue.start(notAnsweringAfter);
    }
    call->watch();
    const auto failed = [this, call] {
        // No thread, or no descriptor, to be had: the job fails, and is answered as such.
        call->work->fail();
        if (!call->notifier)
            QMetaObject::invokeMethod(
                this,
                [this, c = QPointer<Call>(call)] {
                    if (c)
                        answered(c);
                },
                Qt::QueuedConnection);
    };
    if (call->work->descriptor() < 0) {
        failed();
        return;
    }
    if (call->share.isEmpty()) {
        QThreadPool::globalInstance()->start([job = call->work] { job->run(); });
        return;
    }
    try {
        // The thread holds its own share of the job, so the answer always has a place to go.
        std::thread([job = call->work] {
            // Named, so that a thread held by a share is told apart from the rest (ps, top).
            ::pthread_setname_np(::pthread_self(), "share call");
            job->run();
        }).detach();
    } catch (const std::system_error &) {
        failed();
    }
}

void Calls::answered(Call *call)
{
    if (call->finished)
        return;
    call->finished = true;
    if (call->notifier)
        call->notifier->setEnabled(false);
    release(call);
    if (!call->share.isEmpty() && lines.value(call->share).out == call) {
        lines[call->share].out = nullptr;
        next(call->share);
    }
    // Told from the event loop, so that nobody is called back in the middle of asking.
    QMetaObject::invokeMethod(
        this,
        [c = QPointer<Call>(call)] {
            if (!c)
                return;
            Q_EMIT c->answered();
            delete c;
        },
        Qt::QueuedConnection);
}

void Calls::release(Call *call)
{
    if (!call->countsAsOut)
        return;
    call->countsAsOut = false;
    --boundedOut;
    nextBounded();
}

void Calls::recount()
{
    // A bounded call out for longer than a share may take holds a share that does not answer:
    // it no longer holds a place of the others.
    std::chrono::milliseconds soonest = notAnsweringAfter;
    for (const Line &line : std::as_const(lines)) {
        Call *out = line.out;
        if (!out || !out->countsAsOut)
            continue;
        const auto left = notAnsweringAfter - out->work->silence();
        if (left <= std::chrono::milliseconds(0)) {
            out->countsAsOut = false;
            --boundedOut;
        } else {
            soonest = std::min(soonest, std::chrono::milliseconds(left));
        }
    }
    if (boundedOut > 0)
        overdue.start(soonest);
    nextBounded();
}

void Calls::nextBounded()
{
    const QList<QString> shares = lines.keys();
    for (const QString &share : shares)
        if (boundedOut < boundedAtOnce && lines.contains(share))
            next(share);
}

} // namespace tesmora
