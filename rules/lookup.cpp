#include "rules/lookup.h"

#include <algorithm>

namespace tesmora {

std::optional<QStringView> lookup(std::span<const LookupRow> rows, QStringView text)
{
    // QStringView's == compares the UTF-16 units: no case folding, no normalisation.
    const auto row
        = std::ranges::find_if(rows, [&](const LookupRow &r) { return r.entry == text; });
    if (row == rows.end())
        return std::nullopt;
    return row->result;
}

} // namespace tesmora
