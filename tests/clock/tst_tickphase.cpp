// When the clock's ticks are armed and which second each shows, on a clock the test moves by hand:
// the first tick, wake-ups on time, early and late, and a wall clock that steps either way.

#include "clock/tickphase.h"
#include "tests/support/testmain.h"

#include <QList>
#include <QRandomGenerator>
#include <QTest>

using namespace tesmora;

namespace {
constexpr qint64 P = TickPhase::period;
constexpr qint64 M = TickPhase::margin;
// A Tuesday afternoon in milliseconds since the epoch, on a whole second.
constexpr qint64 T0 = 1796738400000;
static_assert(T0 % 1000 == 0);
} // namespace

class TestTickPhase : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void firstTick_data();
    void firstTick();
    void wakes_data();
    void wakes();
    void aRunningClockShowsEveryBoundaryOnce_data();
    void aRunningClockShowsEveryBoundaryOnce();
};

void TestTickPhase::firstTick_data()
{
    QTest::addColumn<qint64>("now");
    QTest::addColumn<qint64>("boundary");
    // The first tick comes at the first boundary at least half a period away: between a quarter
    // and three quarters of a second after the start.
    QTest::newRow("on a boundary") << T0 << T0 + P;
    QTest::newRow("just after one") << T0 + 1 << T0 + P;
    QTest::newRow("a quarter before the next") << T0 + P / 2 << T0 + P;
    QTest::newRow("just under a quarter before") << T0 + P / 2 + 1 << T0 + 2 * P;
    QTest::newRow("just before a boundary") << T0 + P - 1 << T0 + 2 * P;
    QTest::newRow("before the epoch") << qint64(-1) << qint64(P);
    QTest::newRow("long before the epoch") << -T0 - 1 << -T0 + P;
}

void TestTickPhase::firstTick()
{
    QFETCH(qint64, now);
    QFETCH(qint64, boundary);
    TickPhase phase;
    QCOMPARE(phase.start(now), boundary - now + M);
    QCOMPARE(phase.armedFor(), boundary);
}

void TestTickPhase::wakes_data()
{
    // Started at T0 (armed for T0 + P), the timer then wakes at each of `wakes`; each wake-up
    // shows `shown` and arms the next tick `delays` milliseconds later.
    QTest::addColumn<QList<qint64>>("wakes");
    QTest::addColumn<QList<qint64>>("shown");
    QTest::addColumn<QList<qint64>>("delays");
    const qint64 B = T0 + P;
    QTest::newRow("on time") << QList<qint64> {B + M, B + P + M, B + 2 * P + M}
                             << QList<qint64> {B, B + P, B + 2 * P} << QList<qint64> {P, P, P};
    // Early: still the new second, and the next tick a boundary on, not again the same one.
    QTest::newRow("a little early") << QList<qint64> {B - 3, B + P + M} << QList<qint64> {B, B + P}
                                    << QList<qint64> {P + 3 + M, P};
    QTest::newRow("as early as tolerated")
        << QList<qint64> {B - TickPhase::earlyTolerance} << QList<qint64> {B}
        << QList<qint64> {P + TickPhase::earlyTolerance + M};
    QTest::newRow("late") << QList<qint64> {B + 40, B + P + M} << QList<qint64> {B, B + P}
                          << QList<qint64> {P - 40 + M, P};
    QTest::newRow("late past the next boundary")
        << QList<qint64> {B + P + 20, B + 2 * P + M} << QList<qint64> {B + P, B + 2 * P}
        << QList<qint64> {P - 20 + M, P};
    QTest::newRow("very late") << QList<qint64> {B + 7 * P + 123} << QList<qint64> {B + 7 * P}
                               << QList<qint64> {P - 123 + M};
    // A step back of more than the tolerance: the tick shows the time as it now is, not the
    // boundary still ahead, and the next tick comes on that boundary.
    QTest::newRow("clock stepped back a little")
        << QList<qint64> {B - 200, B + M, B + P + M} << QList<qint64> {B - P, B, B + P}
        << QList<qint64> {200 + M, P, P};
    QTest::newRow("clock stepped back an hour")
        << QList<qint64> {B - 3600000 + 77, B - 3600000 + P + M}
        << QList<qint64> {B - 3600000, B - 3600000 + P} << QList<qint64> {P - 77 + M, P};
    QTest::newRow("clock stepped forward an hour")
        << QList<qint64> {B + 3600000 + 377, B + 3600000 + P + M}
        << QList<qint64> {B + 3600000, B + 3600000 + P} << QList<qint64> {P - 377 + M, P};
    QTest::newRow("resumed after a day")
        << QList<qint64> {B + 86400000 + 499, B + 86400000 + P + M}
        << QList<qint64> {B + 86400000, B + 86400000 + P} << QList<qint64> {1 + M, P};
}

void TestTickPhase::wakes()
{
    QFETCH(QList<qint64>, wakes);
    QFETCH(QList<qint64>, shown);
    QFETCH(QList<qint64>, delays);
    TickPhase phase;
    phase.start(T0);
    for (qsizetype i = 0; i < wakes.size(); ++i) {
        const TickPhase::Wake w = phase.wake(wakes[i]);
        QCOMPARE(w.shown, shown[i]);
        QCOMPARE(w.delay, delays[i]);
        QCOMPARE(phase.armedFor(), w.shown + P);
    }
}

void TestTickPhase::aRunningClockShowsEveryBoundaryOnce_data()
{
    QTest::addColumn<qint64>("earliest");
    QTest::addColumn<qint64>("latest");
    QTest::newRow("precise timer") << qint64(0) << qint64(2);
    QTest::newRow("early and late by a few milliseconds") << qint64(-4) << qint64(6);
    QTest::newRow("a busy machine") << qint64(-1) << qint64(300);
}

void TestTickPhase::aRunningClockShowsEveryBoundaryOnce()
{
    // A timer that fires each armed delay off by a random amount in [earliest, latest]: every
    // boundary is shown once, in order, and a tick never shows a second that has not begun
    // unless it woke early, nor one that is over.
    QFETCH(qint64, earliest);
    QFETCH(qint64, latest);
    QRandomGenerator random(9);
    for (int run = 0; run < 20; ++run) {
        TickPhase phase;
        qint64 now = T0 + random.bounded(100000);
        now += phase.start(now) + random.bounded(earliest, latest + 1);
        qint64 expected = phase.armedFor();
        for (int tick = 0; tick < 200; ++tick) {
            const TickPhase::Wake w = phase.wake(now);
            QCOMPARE(w.shown, expected);
            if (now >= w.shown)
                QVERIFY(now < w.shown + P);
            else
                QVERIFY(w.shown - now <= -earliest);
            expected += P;
            now += w.delay + random.bounded(earliest, latest + 1);
        }
    }
}

TESMORA_TEST(TestTickPhase)
#include "tst_tickphase.moc"
