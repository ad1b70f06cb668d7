#include "controls/firstshow.h"

#include <QEvent>
#include <QWidget>

namespace tesmora {

namespace {

class FirstShow : public QObject
{
public:
    FirstShow(QWidget *widget, std::function<void()> action)
        : QObject(widget), action(std::move(action))
    {
        widget->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && action) {
            watched->removeEventFilter(this);
            // Once: the filter is gone before the action runs, and with it whatever it holds.
            const auto run = std::move(action);
            action = {};
            deleteLater();
            run();
        }
        return false;
    }

private:
    std::function<void()> action;
};

} // namespace

void whenFirstShown(QWidget *widget, std::function<void()> action)
{
    if (widget->isVisible())
        action();
    else
        new FirstShow(widget, std::move(action));
}

} // namespace tesmora
