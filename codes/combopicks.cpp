#include "codes/combopicks.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <utility>

namespace tesmora {

namespace {

bool isInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::FocusOut:
    case QEvent::InputMethod:
        return true;
    default:
        return false;
    }
}

bool isListKeyOnClosedBox(const QKeyEvent *key)
{
    // Alt+Down opens the list and Ctrl+Up/Down goes to the field's completion: neither picks.
    if (key->modifiers() & (Qt::AltModifier | Qt::ControlModifier))
        return false;
    switch (key->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    default:
        return false;
    }
}

} // namespace

ComboPicks::ComboPicks(QComboBox *combo)
    : QObject(combo), combo(combo), list(combo->view()), listArea(combo->view()->viewport())
{
    // Filters installed later run first: these see each event before the drop-down list's own
    // handling turns it into an activation.
    combo->installEventFilter(this);
    list->installEventFilter(this);
    listArea->installEventFilter(this);
    if (combo->lineEdit())
        combo->lineEdit()->installEventFilter(this);
    connect(combo, &QComboBox::activated, this, &ComboPicks::activated);
}

bool ComboPicks::eventFilter(QObject *watched, QEvent *event)
{
    if (!isInput(event->type()))
        return false;
    // Focus moving into and out of the open list is part of picking from it, not a new gesture.
    if (event->type() == QEvent::FocusOut && (watched == list || watched == listArea))
        return false;

    // Every other input on the box (typing, Return or Tab in the field, a click, the focus
    // leaving) cancels the gesture, so that what it activates is not taken for a pick.
    bool pick = false;
    if (watched == listArea && event->type() == QEvent::MouseButtonRelease) {
        pick = static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
    } else if (watched == list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        pick = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Select;
    } else if (watched == combo && event->type() == QEvent::KeyPress) {
        pick = isListKeyOnClosedBox(static_cast<QKeyEvent *>(event));
    } else if (watched == combo && event->type() == QEvent::Wheel) {
        pick = true;
    }
    listGesture = pick;
    return false;
}

void ComboPicks::activated()
{
    // A box without a field can only activate from its list.
    if (std::exchange(listGesture, false) || !combo->isEditable())
        Q_EMIT picked();
}

} // namespace tesmora
