// The media engine on a thread of its own: calls reach the engine in order on its thread, a
// failure comes back on the application's thread, and an engine stuck in the audio system
// neither holds up closing nor reports into a window that is gone.

#include "player/threadedmediaengine.h"

#include <QMutex>
#include <QPointer>
#include <QSemaphore>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <atomic>

using namespace tesmora;

namespace {

// What the engine behind the thread saw; shared with the test, so guarded.
struct Seen
{
    QMutex mutex;
    QStringList calls;
    QList<QThread *> threads;
    QSemaphore stuck; // load waits here for a release when `holdLoads` is set
    std::atomic<bool> holdLoads = false;
    std::atomic<bool> destroyed = false;

    void note(const QString &call)
    {
        QMutexLocker lock(&mutex);
        calls.append(call);
        threads.append(QThread::currentThread());
    }
    QStringList taken()
    {
        QMutexLocker lock(&mutex);
        return calls;
    }
};

// Fails every path that starts with "bad", later, from its own thread's event loop.
class ScriptedEngine : public MediaEngine
{
public:
    explicit ScriptedEngine(Seen &seen) : seen(seen) { seen.note(QStringLiteral("made")); }
    ~ScriptedEngine() override { seen.destroyed = true; }
    void load(const QString &path, LoadFailed onFailure) override
    {
        if (seen.holdLoads)
            seen.stuck.acquire();
        seen.note(QStringLiteral("load ") + path);
        if (path.startsWith(u"bad"))
            QTimer::singleShot(0, [onFailure] { onFailure(); });
    }
    void play() override { seen.note(QStringLiteral("play")); }
    void stop() override { seen.note(QStringLiteral("stop")); }
    void setVolume(int v) override { seen.note(QStringLiteral("volume %1").arg(v)); }

private:
    Seen &seen;
};

} // namespace

class TestThreadedMediaEngine : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void callsRunInOrderOnTheEngineThread()
    {
        Seen seen;
        ThreadedMediaEngine engine([&] { return std::make_unique<ScriptedEngine>(seen); });
        engine.setVolume(-600);
        engine.load(QStringLiteral("a.mp3"), [] {});
        engine.play();
        engine.stop();
        const QStringList expected {"made", "volume -600", "load a.mp3", "play", "stop"};
        QTRY_COMPARE_WITH_TIMEOUT(seen.taken(), expected, 10000);
        QMutexLocker lock(&seen.mutex);
        for (QThread *t : std::as_const(seen.threads)) {
            QCOMPARE(t, seen.threads.first());
            QVERIFY(t != QThread::currentThread());
        }
    }

    void failureComesBackOnTheApplicationThread()
    {
        Seen seen;
        ThreadedMediaEngine engine([&] { return std::make_unique<ScriptedEngine>(seen); });
        QList<QThread *> toldOn;
        engine.load(QStringLiteral("bad.mp3"), [&] { toldOn.append(QThread::currentThread()); });
        QTRY_COMPARE_WITH_TIMEOUT(toldOn.size(), 1, 10000);
        QCOMPARE(toldOn.first(), QThread::currentThread());
    }

    void closingWhileStuckReportsNothing()
    {
        Seen seen;
        seen.holdLoads = true;
        int failures = 0;
        QPointer<QThread> thread;
        {
            ThreadedMediaEngine engine([&] { return std::make_unique<ScriptedEngine>(seen); });
            engine.load(QStringLiteral("bad.mp3"), [&] { ++failures; });
            QTRY_VERIFY_WITH_TIMEOUT(seen.taken().contains("made"), 10000);
            QMutexLocker lock(&seen.mutex);
            thread = seen.threads.first();
        } // closes while the engine's thread is still stuck in load
        // The audio system lets go: the engine finishes its load, fails, and goes away.
        seen.stuck.release();
        QTRY_VERIFY_WITH_TIMEOUT(seen.destroyed, 10000);
        // The thread left behind ends, and nothing of it stays.
        QTRY_VERIFY_WITH_TIMEOUT(thread.isNull(), 10000);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(failures, 0);
        QVERIFY(seen.taken().contains("load bad.mp3"));
    }
};

QTEST_GUILESS_MAIN(TestThreadedMediaEngine)
#include "tst_threadedmediaengine.moc"
