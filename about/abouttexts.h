#pragma once

// The About panel's fixed texts (UTF-8). The maker and the country are made up: the program
// names no real person, company or country as its maker.

namespace tesmora::aboutText {

inline constexpr char makerName[] = "Tesmora Freeware Workshop";
inline constexpr char country[] = "Azulmar";
inline constexpr char countryLine[] = "Made with care in the Republic of Azulmar";
// The flag's tooltip: "Flag of " followed by the country.
inline constexpr char flagTooltip[] = "Flag of Azulmar";
inline constexpr char websiteCaption[] = "Please visit my website for more freeware";
// One sentence, short enough for the three lines of the link that the menu bar leaves uncovered.
inline constexpr char coffeeMessage[]
    = "To support this freeware, buy coffee grown in Azulmar, ours above all.";

} // namespace tesmora::aboutText
