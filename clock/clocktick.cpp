#include "clock/clocktick.h"

#include "clock/clocktext.h"
#include "controls/controls.h"

#include <QCoreApplication>
#include <QTimer>

namespace tesmora {

QString productTitle()
{
    // The version record is read afresh each time: the application's version, which main() sets
    // from the build's project version.
    QString record = QCoreApplication::applicationVersion();
    if (record.isEmpty())
        record = QStringLiteral(TESMORA_VERSION);
    // Written out again only when the record changed: the clock asks twice a second.
    static QString lastRecord, lastTitle;
    if (record != lastRecord) {
        lastTitle = titleText(parseVersion(record));
        lastRecord = record;
    }
    return lastTitle;
}

ClockTick::ClockTick(const ClockTickControls &controls, ClockSource source)
    : c(controls), now(std::move(source))
{ }

void ClockTick::start()
{
    c.Timer1->setSingleShot(true);
    c.Timer1->start(int(phase.start(now().toMSecsSinceEpoch())));
}

QDateTime ClockTick::wake()
{
    const QDateTime t = now();
    const qint64 ms = t.toMSecsSinceEpoch();
    const TickPhase::Wake w = phase.wake(ms);
    c.Timer1->setSingleShot(true);
    c.Timer1->start(int(w.delay));
    return t.addMSecs(w.shown - ms);
}

void ClockTick::Timer1_Timer()
{
    const QDateTime t = wake();
    if (c.Form1->windowState()
        & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)) {
        c.Form1->setWindowTitle(clockTitleText(timeText(t.time()), dateText(t.date())));
        return;
    }
    c.Label1->setText(timeText(t.time()));
    c.Label2->setText(dateText(t.date()));
    c.Form1->setWindowTitle(productTitle());
}

} // namespace tesmora
