#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

class QWidget;

namespace tesmora::testing {

// Fails the running test instead of hanging when a modal dialog shows up that the test did not
// expect: closes every such dialog and records its title. A test that expects dialogs hands in
// an answer: it reads and answers the modal window it is given and returns true, or returns
// false for one it did not expect.
class ModalWatchdog : public QObject
{
    Q_OBJECT
public:
    using Answer = std::function<bool(QWidget *modal)>;

    explicit ModalWatchdog(QObject *parent = nullptr);
    // Titles of the modal windows that had to be closed since the last call.
    QStringList takeClosed();
    void setAnswer(Answer a) { answer = std::move(a); }

private:
    void sweep();
    QTimer timer;
    QStringList closed;
    Answer answer;
};

// Base of every window test: each test function runs under a fresh watchdog, and fails when an
// unexpected dialog had to be closed. A class with an init() or cleanup() of its own calls these.
class WatchedTest : public QObject
{
    Q_OBJECT
protected Q_SLOTS:
    void init();
    void cleanup();

protected:
    ModalWatchdog &dialogs() { return *watchdog; }

private:
    std::unique_ptr<ModalWatchdog> watchdog;
};

} // namespace tesmora::testing
