#pragma once

// Shared rules (rules/): Qt Core only; used by the tools, the kit and the window.
//
// The program's fixed lookup tables: ordered rows of (entry text, result text). A text is looked
// up by exact, case-sensitive equality of the whole text, and the first equal row wins.

#include <QStringView>
#include <optional>
#include <span>

namespace tesmora {

struct LookupRow
{
    QStringView entry;
    QStringView result;
};

// The result of the first row whose entry equals `text`; nothing when no row does (a row may
// well have an empty result, which is still a result).
std::optional<QStringView> lookup(std::span<const LookupRow> rows, QStringView text);

} // namespace tesmora
