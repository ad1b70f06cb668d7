#include "app/application.h"

#include "rules/product.h"

#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <exception>

namespace tesmora {

QString failureMessage(const QString &what)
{
    return QStringLiteral("Something went wrong and that action was not completed:\n%1\n\n"
                          "%2 goes on running.")
        .arg(what, applicationTitle());
}

Application::Application(int &argc, char **argv) : QApplication(argc, argv)
{
    reporter = [](const QString &what) {
        QTimer::singleShot(0, [what] {
            QMessageBox box(QMessageBox::Warning, applicationTitle(), failureMessage(what),
                            QMessageBox::Ok, QApplication::activeWindow());
            box.exec();
        });
    };
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        report(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        report(QStringLiteral("an unknown error"));
    }
    return false;
}

void Application::report(const QString &what)
{
    qWarning("tesmora: caught at the event dispatch: %s", qUtf8Printable(what));
    if (reporter)
        reporter(what);
}

} // namespace tesmora
