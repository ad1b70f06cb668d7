#pragma once

#include <QObject>
#include <QTimer>

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

} // namespace tesmora::testing
