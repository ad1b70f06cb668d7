#pragma once

// Reading what a control shows, as the user sees it: one helper per kind of control.

#include <QAbstractItemView>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QStringList>

namespace tesmora::testing {

// The entries of a list box, top to bottom.
inline QStringList shown(const QAbstractItemView *list)
{
    QStringList out;
    const QAbstractItemModel *model = list->model();
    for (int i = 0; model && i < model->rowCount(); ++i)
        out.append(model->index(i, 0).data().toString());
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

inline QString selectedText(const QAbstractItemView *list)
{
    const QModelIndexList selected = list->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? QString() : selected.first().data().toString();
}

} // namespace tesmora::testing
