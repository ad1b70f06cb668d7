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
inline constexpr char coffeeMessage[] = "If you would like to support this freeware, buy coffee "
                                        "grown in Azulmar, and ours above all.";
inline constexpr char donationTooltip[]
    = "Please make a donation of 5 dollars to support more freeware.";

} // namespace tesmora::aboutText
