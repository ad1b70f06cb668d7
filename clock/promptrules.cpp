#include "clock/promptrules.h"

namespace tesmora {

bool isWrongNumber(const std::optional<QString> &answer)
{
    if (!answer)
        return false;
    const QString text = answer->trimmed();
    int digits = 0;
    int periods = 0;
    for (const QChar c : text) {
        // Only ASCII digits: QChar::isDigit() would also accept other scripts' digits.
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            ++digits;
        else if (c == QLatin1Char('.'))
            ++periods;
        else
            return true;
    }
    return digits == 0 || periods > 1;
}

} // namespace tesmora
