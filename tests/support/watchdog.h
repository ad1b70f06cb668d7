#pragma once

#include <QObject>
#include <QTimer>
#include <memory>

namespace tesmora::testing {

// Fails the running test instead of hanging when a modal dialog shows up that the test did not
// expect: closes every such dialog and records its title.
class ModalWatchdog : public QObject
{
    Q_OBJECT
public:
    explicit ModalWatchdog(QObject *parent = nullptr);
    // Titles of the modal windows that had to be closed since the last call.
    QStringList takeClosed();

private:
    void sweep();
    QTimer timer;
    QStringList closed;
};

// Base of the window tests: each test function runs under a fresh watchdog, and fails when an
// unexpected dialog had to be closed.
class WatchedTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

private:
    std::unique_ptr<ModalWatchdog> watchdog;
};

} // namespace tesmora::testing
