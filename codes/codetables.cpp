#include "codes/codetables.h"

#include <array>

namespace tesmora {

namespace {

// The lists in the order they are added, which is also the order they show in. UTF-8.

// Area names: the 27 empty entries are real entries, shown as blank rows at the top.
constexpr std::array<QStringView, 52> areas {{
    u"",
    u"",
    u"",
    u"",
    u"",
    u"",
    u"",
    u"",
    u"",
    u"",
    u"",
    u"",
    u"",
    u"",
    u"",
    u"",
    u"",
    u"",
    u"",
    u"",
    u"",
    u"",
    u"",
    u"",
    u"",
    u"",
    u"",
    u"Alabama",
    u"Arkansas",
    u"California",
    u"Colorado",
    u"Conneticut",
    u"Delaware",
    u"District of Columbia",
    u"Florida",
    u"Hawaii",
    u"Idaho",
    u"Illinois",
    u"Kentucky",
    u"Luisiana",
    u"Maine",
    u"Nevada",
    u"New Jersey",
    u"New Mexico",
    u"New York",
    u"North Carolina",
    u"Oklahoma",
    u"Oregon",
    u"Puerto Rico",
    u"South Carolina",
    u"Texas",
    u"Washington",
}};

constexpr std::array<QStringView, 43> countries {{
    u"Argentina",
    u"Bahamas",
    u"Barbados",
    u"Bolivia",
    u"Brazil",
    u"Canada",
    u"Chile",
    u"China",
    u"Colombia",
    u"Cuba",
    u"Dominican Republic",
    u"El Salvador",
    u"France",
    u"Germany",
    u"Guatemala",
    u"Holland",
    u"Honduras",
    u"Iraq",
    u"Ireland",
    u"Italy",
    u"Japan",
    u"Malta",
    u"Mèxico",
    u"Monaco",
    u"Nicaragua",
    u"Nigeria",
    u"North Korea",
    u"Norway",
    u"Paraguay",
    u"Perù",
    u"Poland",
    u"Portugal",
    u"Rusia",
    u"South Korea",
    u"Spain",
    u"Surinam",
    u"Sweden",
    u"Swisserland",
    u"United Kingdom",
    u"United States of America",
    u"Uruguay",
    u"Venezuela",
    u"Vietnam",
}};

constexpr std::array<QStringView, 2> urlCountries {{
    u"El Salvador",
    u"Italy",
}};

// No area carries a number: the two known areas clear the label.
constexpr std::array<LookupRow, 2> areaRows {{
    {u"Texas", u""},
    {u"Arkansas", u""},
}};

constexpr std::array<LookupRow, 2> countryRows {{
    {u"El Salvador", u"SV"},
    {u"Italy", u"ITA"},
}};

constexpr std::array<LookupRow, 2> urlRows {{
    {u"El Salvador", u"SV"},
    {u"Italy", u"ITA"},
}};

} // namespace

std::span<const QStringView> areaList()
{
    return areas;
}

std::span<const QStringView> countryList()
{
    return countries;
}

std::span<const QStringView> urlList()
{
    return urlCountries;
}

std::span<const LookupRow> areaCodes()
{
    return areaRows;
}

std::span<const LookupRow> countryCodes()
{
    return countryRows;
}

std::span<const LookupRow> urlCodes()
{
    return urlRows;
}

} // namespace tesmora
