#pragma once

// The translator panel: pick an English entry in the word list and its Spanish text appears in
// the box beside it. The search box above it is for the user's own notes: it searches nothing.

#include "controls/controls.h"
#include "controls/named.h"

#include <QListWidget>

namespace tesmora {

struct TranslatorControls
{
    QWidget *Form1;
    TESMORA_CONTROL(QListWidget, List1);
    TESMORA_CONTROL(TextBox, Text6); // "Search in English:"
    TESMORA_CONTROL(TextBox, Text7); // "Translation in Spanish"
};

class Translator
{
public:
    explicit Translator(const TranslatorControls &controls);

    // Adds the 80 English entries to the sorted word list (once, when its panel is first shown).
    void fill();

    // The user selected an entry: show its translation, replacing whatever the box held. An
    // entry without a row (or no selection at all) leaves the box as it is.
    void List1_Click();

    // Typing in the search box has no effect.
    void Text6_Change();

private:
    TranslatorControls c;
};

} // namespace tesmora
