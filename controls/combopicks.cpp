#include "controls/combopicks.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
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

ComboPicks::ComboPicks(QComboBox *combo) : QObject(combo), combo(combo), list(combo->view())
{
    // Only the box, its field and the list are watched, each for what reaches it alone, so that
    // no other filter, before or after this one, changes what is seen. The clicks and keys in
    // the open list are not among them: the list's own filters take them, in an order that
    // changes whenever the list is made again. What they do is seen instead: the list closes,
    // then the entry is activated.
    combo->installEventFilter(this);
    list->installEventFilter(this);
    if (combo->lineEdit())
        combo->lineEdit()->installEventFilter(this);
    connect(combo, &QComboBox::activated, this, &ComboPicks::activated);
}

bool ComboPicks::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == list) {
        // Closing the list with a pick activates the entry at once, within the same event; a
        // list closed without one leaves nothing behind for a later activation.
        if (event->type() == QEvent::Hide) {
            listGesture = true;
            QTimer::singleShot(0, this, [this] { listGesture = false; });
        }
        return false;
    }
    if (watched == combo && event->type() == QEvent::ChildAdded) {
        // A field given to the box later.
        if (QObject *child = static_cast<QChildEvent *>(event)->child();
            qobject_cast<QLineEdit *>(child))
            child->installEventFilter(this);
    }
    if (!isInput(event->type()))
        return false;

    // Every input on the box or its field (typing, Return or Tab in the field, a click, the
    // focus leaving) decides whether what it activates is a pick: only the arrow and page keys
    // and the wheel on the closed box are.
    bool pick = false;
    if (watched == combo && isKey(event))
        pick = isListKeyOnClosedBox(static_cast<QKeyEvent *>(event));
    else if (watched == combo && event->type() == QEvent::Wheel)
        pick = true;
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
