#pragma once

// The three code lists and the codes the program holds for some of their entries.

#include "rules/lookup.h"

#include <QStringView>
#include <span>

namespace tesmora {

// The entries of each list, in the order they are added at start-up.
std::span<const QStringView> areaList(); // 52 area names, 27 of them empty
std::span<const QStringView> countryList(); // 43 countries
std::span<const QStringView> urlList(); // 2 countries with an internet code

// The rows each list's lookup tests, in order (entry, text for the result label).
std::span<const LookupRow> areaCodes();
std::span<const LookupRow> countryCodes();
std::span<const LookupRow> urlCodes();

} // namespace tesmora
