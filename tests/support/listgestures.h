#pragma once

// A user's gestures on a list box.

#include "tests/support/reading.h"

#include <QAbstractItemView>
#include <QTest>

namespace tesmora::testing {

// Clicks the entry with exactly this text, scrolling it into view first as a user would.
// False when the list holds no such entry.
inline bool clickEntry(QAbstractItemView *list, const QString &text,
                       Qt::KeyboardModifiers mods = {})
{
    const QModelIndex first = list->model()->index(0, 0);
    const QModelIndexList found
        = list->model()->match(first, Qt::DisplayRole, text, 1, Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    list->scrollTo(found.first());
    const QPoint at = list->visualRect(found.first()).center();
    QTest::mouseMove(list->viewport(), at);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, mods, at);
    return true;
}

} // namespace tesmora::testing
