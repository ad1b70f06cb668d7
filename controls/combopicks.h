#pragma once

// The window's kit (controls/): used by the tools and the window, built on the rules and Qt only.
//
// A combo box's "entry picked from the list" event. QComboBox::activated() cannot serve: an
// editable combo box also activates the entry that equals the typed text when the user presses
// Return or Tab, leaves the field, or opens the list. ComboPicks passes on an activation only
// when the user's last gesture on the box was one that picks from the list: a click on an entry
// of the open list or Return there, the arrow and page keys or the wheel on the closed box.

#include <QObject>
#include <QPointer>

class QComboBox;
class QWidget;
class QEvent;

namespace tesmora {

class ComboPicks : public QObject
{
    Q_OBJECT
public:
    // Watches `combo` (and its list and field) and lives as long as it does.
    explicit ComboPicks(QComboBox *combo);

Q_SIGNALS:
    void picked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void activated();
    QComboBox *combo;
    QPointer<QWidget> list; // the view of the drop-down list
    bool listGesture = false;
};

} // namespace tesmora
