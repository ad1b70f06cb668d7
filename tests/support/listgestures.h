#pragma once

// A user's gestures on a list box, for the translator tests.

#include <QListWidget>
#include <QTest>

namespace tesmora::testing {

// Clicks the entry with exactly this text, scrolling it into view first as a user would.
// False when the list holds no such entry.
inline bool clickEntry(QListWidget *list, const QString &text, Qt::KeyboardModifiers mods = {})
{
    const QList<QListWidgetItem *> found = list->findItems(text, Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    list->scrollToItem(found.first());
    const QPoint at = list->visualItemRect(found.first()).center();
    QTest::mouseMove(list->viewport(), at);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, mods, at);
    return true;
}

inline QStringList shown(const QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out.append(list->item(i)->text());
    return out;
}

inline QString selectedText(const QListWidget *list)
{
    const QList<QListWidgetItem *> selected = list->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

} // namespace tesmora::testing
