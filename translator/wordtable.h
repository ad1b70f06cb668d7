#pragma once

// The translator's vocabulary: 80 English entries with their Spanish texts, in the order the
// sorted word list shows them. The English entries are distinct.

#include "rules/lookup.h"

#include <span>

namespace tesmora {

std::span<const LookupRow> wordTable();

} // namespace tesmora
