#include "controls/combopicks.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <utility>

namespace tesmora {

namespace {

bool isInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::ShortcutOverride: // comes before the key press, and the open list acts on it
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

bool isKey(const QEvent *event)
{
    return event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
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
    // The drop-down list installs and re-installs its own filters on its view, which turn a
    // key or a click into an activation; only the application's filter is sure to see the
    // event before them.
    QCoreApplication::instance()->installEventFilter(this);
    connect(combo, &QComboBox::activated, this, &ComboPicks::activated);
}

bool ComboPicks::eventFilter(QObject *watched, QEvent *event)
{
    if (!isInput(event->type()))
        return false;
    const bool field = watched->parent() == combo && qobject_cast<QLineEdit *>(watched);
    if (watched != combo && watched != list && watched != listArea && !field)
        return false;
    // Focus moving into and out of the open list is part of picking from it, not a new gesture.
    if (event->type() == QEvent::FocusOut && (watched == list || watched == listArea))
        return false;

    // Every other input on the box (typing, Return or Tab in the field, a click, the focus
    // leaving) cancels the gesture, so that what it activates is not taken for a pick.
    bool pick = false;
    if (watched == listArea && event->type() == QEvent::MouseButtonRelease) {
        pick = static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
    } else if (watched == list && isKey(event) && list->isVisible()) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        pick = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Select;
    } else if (watched == combo && isKey(event)) {
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
