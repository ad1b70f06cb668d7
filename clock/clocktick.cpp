#include "clock/clocktick.h"

#include "clock/clocktext.h"
#include "controls/controls.h"

#include <QCoreApplication>

namespace tesmora {

QString productTitle()
{
    // The version record is read afresh each time: the application's version, which main() sets
    // from the build's project version.
    QString record = QCoreApplication::applicationVersion();
    if (record.isEmpty())
        record = QStringLiteral(TESMORA_VERSION);
    return titleText(parseVersion(record));
}

ClockTick::ClockTick(const ClockTickControls &controls, ClockSource source)
    : c(controls), now(std::move(source))
{ }

void ClockTick::Timer1_Timer()
{
    if (c.Form1->windowState()
        & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)) {
        const QDateTime t = now();
        c.Form1->setWindowTitle(clockTitleText(timeText(t.time()), dateText(t.date())));
        return;
    }
    c.Label1->setText(timeText(now().time()));
    c.Label2->setText(dateText(now().date())); // read afresh, after the time
    c.Form1->setWindowTitle(productTitle());
}

} // namespace tesmora
