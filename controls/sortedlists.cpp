#include "controls/sortedlists.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <optional>

namespace tesmora {

void addItem(QListWidget *list, const QString &text, const ListCollation &order)
{
    QStringList items;
    items.reserve(list->count());
    for (int i = 0; i < list->count(); ++i)
        items.append(list->item(i)->text());
    list->insertItem(int(order.insertIndex(items, text)), text);
}

void addItem(QListWidget *list, const QString &text)
{
    addItem(list, text, ListCollation());
}

void addItem(QComboBox *combo, const QString &text, const ListCollation &order)
{
    QStringList items;
    items.reserve(combo->count());
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));

    const bool hadCurrent = combo->currentIndex() >= 0;
    const QString shown = combo->currentText();

    // QComboBox makes the first entry added to an empty box current, which would also replace
    // the field's text; undo that without anyone seeing the passing selection.
    const QSignalBlocker blockCombo(combo);
    std::optional<QSignalBlocker> blockEdit;
    if (combo->lineEdit())
        blockEdit.emplace(combo->lineEdit());

    combo->insertItem(int(order.insertIndex(items, text)), text);
    if (!hadCurrent && combo->currentIndex() >= 0)
        combo->setCurrentIndex(-1);
    if (combo->isEditable() && combo->currentText() != shown)
        combo->setEditText(shown);
}

void addItem(QComboBox *combo, const QString &text)
{
    addItem(combo, text, ListCollation());
}

} // namespace tesmora
