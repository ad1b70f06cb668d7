// The clock tick in the normal, minimised and maximised states, across midnight; which second a
// wake-up shows and when it arms the next one; no repaint for a text that stays.

#include "clock/clocktext.h"
#include "clock/tickphase.h"
#include "tests/support/watchdog.h"
#include "tests/support/window.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace tesmora;
using namespace tesmora::testing;

namespace {
// One tick of the window's timer, as the timer delivers it.
void tick(Window &w)
{
    QVERIFY(QMetaObject::invokeMethod(w->Timer1, "timeout", Qt::DirectConnection));
}

// Counts the paint events a widget receives.
class Paints : public QObject
{
public:
    explicit Paints(QWidget *w) { w->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            ++count;
        return false;
    }
};
} // namespace

class TestClockTick : public WatchedTest
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void labelsEmptyUntilTheFirstTick();
    void normalTick();
    void minimisedAndMaximised_data();
    void minimisedAndMaximised();
    void restoringBringsTheTitleBack();
    void midnight();
    void followsTheLocale();
    void wakeUps_data();
    void wakeUps();
    void noRepaintForATextThatStays();
};

void TestClockTick::labelsEmptyUntilTheFirstTick()
{
    Window w;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
    QSignalSpy ticks(w->Timer1, &QTimer::timeout);
    QCOMPARE(w->windowTitle(), QStringLiteral("Tesmora.     ver. 1.0.9"));
    QVERIFY(w->Label1->text().isEmpty() && w->Label2->text().isEmpty());
    // The first tick comes about half a second after start, and fills both labels.
    QVERIFY(ticks.wait(1000));
    QCOMPARE(w->Label1->text(), QStringLiteral("12:04:22"));
    QCOMPARE(w->Label2->text(), QStringLiteral("2026-12-07"));
}

void TestClockTick::normalTick()
{
    Window w;
    w->setWindowTitle(QStringLiteral("something else"));
    w.now = QDateTime(QDate(2027, 3, 4), QTime(5, 6, 7));
    tick(w);
    QCOMPARE(w->Label1->text(), QStringLiteral("05:06:07"));
    QCOMPARE(w->Label2->text(), QStringLiteral("2027-03-04"));
    QCOMPARE(w->windowTitle(), QStringLiteral("Tesmora.     ver. 1.0.9"));
    w.now = w.now.addSecs(1);
    tick(w);
    QCOMPARE(w->Label1->text(), QStringLiteral("05:06:08"));
}

void TestClockTick::minimisedAndMaximised_data()
{
    QTest::addColumn<int>("state");
    QTest::newRow("minimised") << int(Qt::WindowMinimized);
    QTest::newRow("maximised") << int(Qt::WindowMaximized);
}

void TestClockTick::minimisedAndMaximised()
{
    QFETCH(int, state);
    Window w;
    tick(w);
    const QString time = w->Label1->text(), date = w->Label2->text();
    w->setWindowState(Qt::WindowState(state));
    w.now = QDateTime(QDate(2026, 12, 8), QTime(1, 2, 3));
    tick(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("01:02:03 (2026-12-08) "));
    // The labels keep what they showed.
    QCOMPARE(w->Label1->text(), time);
    QCOMPARE(w->Label2->text(), date);
    w.now = w.now.addSecs(1);
    tick(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("01:02:04 (2026-12-08) "));
}

void TestClockTick::restoringBringsTheTitleBack()
{
    Window w;
    w->setWindowState(Qt::WindowMinimized);
    tick(w);
    QVERIFY(w->windowTitle().endsWith(QStringLiteral(") ")));
    QVERIFY(w->Label1->text().isEmpty());
    w->setWindowState(Qt::WindowNoState);
    w.now = QDateTime(QDate(2026, 12, 9), QTime(8, 0, 0));
    tick(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("Tesmora.     ver. 1.0.9"));
    QCOMPARE(w->Label1->text(), QStringLiteral("08:00:00"));
    QCOMPARE(w->Label2->text(), QStringLiteral("2026-12-09"));
}

void TestClockTick::midnight()
{
    Window w;
    w.now = QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59, 800));
    tick(w);
    QCOMPARE(w->Label2->text(), QStringLiteral("2026-12-31"));
    w.now = w.now.addMSecs(500);
    tick(w);
    QCOMPARE(w->Label1->text(), QStringLiteral("00:00:00"));
    QCOMPARE(w->Label2->text(), QStringLiteral("2027-01-01"));
}

void TestClockTick::followsTheLocale()
{
    QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
    Window w;
    tick(w);
    QLocale::setDefault(QLocale::c());
    QCOMPARE(w->Label1->text(), QStringLiteral("12:04:22"));
    QCOMPARE(w->Label2->text(), QStringLiteral("07.12.26"));
}

void TestClockTick::wakeUps_data()
{
    // After a tick at 12:04:22.501 the next one is armed for 12:04:23; it wakes at `wake`.
    QTest::addColumn<QTime>("wake");
    QTest::addColumn<QString>("shown");
    QTest::newRow("on time") << QTime(12, 4, 23, 1) << "12:04:23";
    QTest::newRow("a little early") << QTime(12, 4, 22, 997) << "12:04:23";
    QTest::newRow("late") << QTime(12, 4, 23, 200) << "12:04:23";
    QTest::newRow("clock stepped back") << QTime(12, 4, 21, 100) << "12:04:21";
    QTest::newRow("clock stepped forward") << QTime(12, 5, 23, 300) << "12:05:23";
}

void TestClockTick::wakeUps()
{
    QFETCH(QTime, wake);
    QFETCH(QString, shown);
    Window w;
    w.now = QDateTime(w.now.date(), QTime(12, 4, 22, 501));
    tick(w);
    QCOMPARE(w->Label1->text(), QStringLiteral("12:04:22"));
    w.now = QDateTime(w.now.date(), wake);
    tick(w);
    QCOMPARE(w->Label1->text(), shown);
    QCOMPARE(w->windowTitle(), QStringLiteral("Tesmora.     ver. 1.0.9"));
    // The next tick is armed, once, for just after the next half-second boundary.
    QVERIFY(w->Timer1->isActive());
    QVERIFY(w->Timer1->isSingleShot());
    const int delay = w->Timer1->interval();
    QVERIFY2(delay > 0
                 && delay <= TickPhase::period + TickPhase::earlyTolerance + TickPhase::margin,
             QByteArray::number(delay));
    QCOMPARE(w.now.addMSecs(delay).time().msec() % TickPhase::period, TickPhase::margin);
}

void TestClockTick::noRepaintForATextThatStays()
{
    Window w;
    Paints time(w->Label1), date(w->Label2);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
    QTRY_VERIFY_WITH_TIMEOUT(time.count > 0 && date.count > 0, 5000);
    // The first tick fills both labels: both are drawn again.
    time.count = date.count = 0;
    tick(w);
    QTRY_VERIFY_WITH_TIMEOUT(time.count > 0 && date.count > 0, 5000);
    time.count = date.count = 0;
    // Two ticks in the same second, then one in the next: the time label is drawn again, for the
    // new second; the date label, whose text stays, is not.
    w.now = w.now.addMSecs(500);
    tick(w);
    w.now = w.now.addMSecs(500);
    tick(w);
    QTRY_VERIFY_WITH_TIMEOUT(time.count > 0, 5000);
    QCOMPARE(w->Label1->text(), QStringLiteral("12:04:23"));
    QCOMPARE(date.count, 0);
}

QTEST_MAIN(TestClockTick)
#include "tst_clocktick.moc"
