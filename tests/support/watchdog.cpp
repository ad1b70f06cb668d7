#include "tests/support/watchdog.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QWidget>

namespace tesmora::testing {

ModalWatchdog::ModalWatchdog(QObject *parent) : QObject(parent)
{
    timer.setInterval(20);
    connect(&timer, &QTimer::timeout, this, &ModalWatchdog::sweep);
    timer.start();
}

void ModalWatchdog::sweep()
{
    if (QWidget *modal = QApplication::activeModalWidget()) {
        if (answer && answer(modal))
            return;
        closed.append(modal->windowTitle());
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else
            modal->close();
    }
}

QStringList ModalWatchdog::takeClosed()
{
    QStringList out;
    out.swap(closed);
    return out;
}

void WatchedTest::init()
{
    watchdog = std::make_unique<ModalWatchdog>();
}

void WatchedTest::cleanup()
{
    QCOMPARE(watchdog->takeClosed(), QStringList());
    watchdog.reset();
}

} // namespace tesmora::testing
