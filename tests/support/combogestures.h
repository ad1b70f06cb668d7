#pragma once

// A user's gestures on an editable combo box: picking from its list with the mouse or the
// keyboard, and typing into its field.

#include "tests/support/reading.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QWheelEvent>

namespace tesmora::testing {

inline bool listIsOpen(const QComboBox *combo)
{
    return combo->view()->isVisible();
}

// Opens the drop-down list with a click on the box's arrow.
inline bool openListWithMouse(QComboBox *combo)
{
    QTest::mouseClick(combo, Qt::LeftButton, {}, QPoint(combo->width() - 4, combo->height() / 2));
    if (!QTest::qWaitFor([&] { return listIsOpen(combo); }))
        return false;
    // Qt takes a release within the double-click interval after the list opened for the end of
    // the opening press. That interval is Qt's own rule, not a guess at how long anything takes,
    // so it is waited out (a loaded machine only makes the wait longer than needed).
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    return true;
}

// Clicks entry `row` of the open list.
inline bool clickInOpenList(QComboBox *combo, int row)
{
    QAbstractItemView *view = combo->view();
    const QModelIndex index = view->model()->index(row, combo->modelColumn());
    view->scrollTo(index);
    const QPoint at = view->visualRect(index).center();
    QTest::mouseMove(view->viewport(), at);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    return QTest::qWaitFor([&] { return !listIsOpen(combo); });
}

inline bool pickWithMouse(QComboBox *combo, int row)
{
    return openListWithMouse(combo) && clickInOpenList(combo, row);
}

// Opens the list with Alt+Down, walks to `row` with the arrow keys and takes it with Return.
inline bool pickWithListKeys(QComboBox *combo, int row)
{
    QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
    if (!QTest::qWaitFor([&] { return listIsOpen(combo); }))
        return false;
    QAbstractItemView *view = combo->view();
    for (int steps = 0; steps <= combo->count() && view->currentIndex().row() != row; ++steps)
        QTest::keyClick(view, view->currentIndex().row() < row ? Qt::Key_Down : Qt::Key_Up);
    if (view->currentIndex().row() != row)
        return false;
    QTest::keyClick(view, Qt::Key_Return);
    return QTest::qWaitFor([&] { return !listIsOpen(combo); });
}

enum class Gesture { Mouse, ListKeys, ArrowKey, PageKey, Wheel };

// One step on the closed box (an arrow key, a page key or a notch of the wheel), from the
// neighbouring entry (made current without any event, as if picked earlier), so that no other
// entry is passed on the way.
inline bool pickWithStep(QComboBox *combo, int row, Gesture g)
{
    if (combo->count() < 2)
        return false;
    const bool fromAbove = row > 0;
    combo->setCurrentIndex(fromAbove ? row - 1 : row + 1);
    if (g == Gesture::Wheel) {
        const QPoint at = combo->rect().center(), notch(0, fromAbove ? -120 : 120);
        QWheelEvent wheel(at, combo->mapToGlobal(at), {}, notch, Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(combo, &wheel);
    } else if (g == Gesture::PageKey) {
        QTest::keyClick(combo, fromAbove ? Qt::Key_PageDown : Qt::Key_PageUp);
    } else {
        QTest::keyClick(combo, fromAbove ? Qt::Key_Down : Qt::Key_Up);
    }
    return combo->currentIndex() == row;
}

inline const char *nameOf(Gesture g)
{
    switch (g) {
    case Gesture::Mouse:
        return "mouse";
    case Gesture::ListKeys:
        return "keys in the open list";
    case Gesture::ArrowKey:
        return "arrow key on the closed box";
    case Gesture::PageKey:
        return "page key on the closed box";
    case Gesture::Wheel:
        return "wheel on the closed box";
    }
    return "";
}

inline bool pick(QComboBox *combo, int row, Gesture g)
{
    switch (g) {
    case Gesture::Mouse:
        return pickWithMouse(combo, row);
    case Gesture::ListKeys:
        return pickWithListKeys(combo, row);
    case Gesture::ArrowKey:
    case Gesture::PageKey:
    case Gesture::Wheel:
        return pickWithStep(combo, row, g);
    }
    return false;
}

inline bool pick(QComboBox *combo, const QString &entry, Gesture g)
{
    const int row = combo->findText(entry, Qt::MatchExactly | Qt::MatchCaseSensitive);
    return row >= 0 && pick(combo, row, g);
}

// Replaces the field's text by typing, as a user who selected the field's text would.
inline void typeIntoField(QComboBox *combo, const QString &text)
{
    combo->setFocus();
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo, text);
}

} // namespace tesmora::testing

Q_DECLARE_METATYPE(tesmora::testing::Gesture)
