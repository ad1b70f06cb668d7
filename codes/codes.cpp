#include "codes/codes.h"

#include "codes/codetables.h"
#include "controls/controls.h"
#include "controls/sortedlists.h"

#include <QComboBox>

namespace tesmora {

namespace {

void fillList(QComboBox *combo, std::span<const QStringView> entries, const ListCollation &order)
{
    for (QStringView entry : entries)
        addItem(combo, entry.toString(), order);
}

void showCode(const QComboBox *combo, std::span<const LookupRow> rows, Label *label)
{
    if (const auto code = lookup(rows, combo->currentText()))
        label->setText(code->toString());
}

} // namespace

Codes::Codes(const CodesControls &controls) : c(controls) { }

void Codes::fill()
{
    const ListCollation order;
    fillList(c.Combo1, areaList(), order);
    fillList(c.Combo2, countryList(), order);
    fillList(c.Combo3, urlList(), order);
}

void Codes::Combo1_Click()
{
    showCode(c.Combo1, areaCodes(), c.Label10);
}

void Codes::Combo2_Click()
{
    showCode(c.Combo2, countryCodes(), c.Label11);
}

void Codes::Combo3_Click()
{
    showCode(c.Combo3, urlCodes(), c.Label12);
}

} // namespace tesmora
