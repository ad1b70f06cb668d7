#pragma once

// The window's kit (controls/): used by the tools and the window, built on the rules and Qt only.
//
// Adding to a sorted list box or combo box: each entry goes to its place in the lists' order
// (rules/collation.h), whatever the order of adding.

#include "rules/collation.h"

class QComboBox;
class QListWidget;

namespace tesmora {

void addItem(QListWidget *list, const QString &text, const ListCollation &order);
void addItem(QListWidget *list, const QString &text);

// Adds without selecting anything and without touching the text field: a combo box that had
// no current entry still has none, and its field still shows what it showed.
void addItem(QComboBox *combo, const QString &text, const ListCollation &order);
void addItem(QComboBox *combo, const QString &text);

} // namespace tesmora
