#pragma once

// The codes panel: three sorted drop-down lists (areas, countries, countries with an internet
// code), each showing the code of a picked entry in the label to its right, where the program
// holds one.

#include "controls/controls.h"
#include "controls/named.h"

#include <QComboBox>

namespace tesmora {

struct CodesControls
{
    QWidget *Form1;
    TESMORA_CONTROL(QComboBox, Combo1); // area codes
    TESMORA_CONTROL(QComboBox, Combo2); // country codes
    TESMORA_CONTROL(QComboBox, Combo3); // internet country codes
    TESMORA_CONTROL(Label, Label10);
    TESMORA_CONTROL(Label, Label11);
    TESMORA_CONTROL(Label, Label12);
};

class Codes
{
public:
    explicit Codes(const CodesControls &controls);

    // Once, when the panel is first shown: the area list, then the country list, then the
    // internet list, each entry put at its sorted place; no entry gets selected and the fields
    // keep their start texts.
    void fill();

    // An entry was picked from the list (not typed into the field): the first row equal to the
    // box's text writes its code into the label; without such a row the label keeps its text.
    void Combo1_Click();
    void Combo2_Click();
    void Combo3_Click();

private:
    CodesControls c;
};

} // namespace tesmora
