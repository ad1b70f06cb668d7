#pragma once

#include <QApplication>
#include <functional>

namespace tesmora {

// The application object. An exception escaping an event handler is caught here, at the event
// dispatch, and reported; the program goes on with the next event.
class Application : public QApplication
{
public:
    using Reporter = std::function<void(const QString &what)>;

    Application(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;

    // How a caught failure is told to the user; by default a message box, shown once the
    // failing event has unwound.
    void setReporter(Reporter r) { reporter = std::move(r); }

private:
    void report(const QString &what);
    Reporter reporter;
};

// The message the user sees for a failure caught at the event dispatch.
QString failureMessage(const QString &what);

} // namespace tesmora
