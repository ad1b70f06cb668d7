#pragma once

// Reading what a control shows, as the user sees it: one helper per kind of control.

#include <QComboBox>
#include <QListWidget>
#include <QStringList>

namespace tesmora::testing {

// The entries of a list box, top to bottom.
inline QStringList shown(const QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out.append(list->item(i)->text());
    return out;
}

// The entries of a combo box's list, top to bottom.
inline QStringList shown(const QComboBox *combo)
{
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out.append(combo->itemText(i));
    return out;
}

inline QString selectedText(const QListWidget *list)
{
    const QList<QListWidgetItem *> selected = list->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

} // namespace tesmora::testing
