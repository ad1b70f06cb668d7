#include "translator/translator.h"

#include "controls/controls.h"
#include "controls/sortedlists.h"
#include "translator/wordtable.h"

#include <QListWidget>

namespace tesmora {

Translator::Translator(const TranslatorControls &controls) : c(controls) { }

void Translator::fill()
{
    const ListCollation order;
    for (const LookupRow &row : wordTable())
        addItem(c.List1, row.entry.toString(), order);
}

void Translator::List1_Click()
{
    // The list's text is that of the selected entry; the current row alone (the focus frame a
    // list shows when it gets the focus) is not a selection.
    const QList<QListWidgetItem *> selected = c.List1->selectedItems();
    const QString text = selected.isEmpty() ? QString() : selected.first()->text();
    if (const auto spanish = lookup(wordTable(), text))
        c.Text7->setText(spanish->toString());
}

void Translator::Text6_Change() { }

} // namespace tesmora
