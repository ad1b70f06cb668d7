#pragma once

// Whether an answer to the timer or stopwatch prompt is refused with "Wrong number".

#include <QString>
#include <optional>

namespace tesmora {

// An answer is accepted when, without surrounding blanks, it is a non-negative decimal number:
// ASCII digits with at most one period among them ("5", "1.5", ".5", "5."). Signs, exponents,
// letters and the empty answer are refused. A cancelled prompt (no answer) is never refused:
// the user chose to leave.
bool isWrongNumber(const std::optional<QString> &answer);

} // namespace tesmora
