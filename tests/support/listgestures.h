#pragma once

// A user's gestures on a list box, for the translator tests.

#include "tests/support/reading.h"

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

} // namespace tesmora::testing
