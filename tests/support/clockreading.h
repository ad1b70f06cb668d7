#pragma once

// Reads back the clock's texts as a user would: a time with its seconds, and a date whose
// two-digit year (the short format of many locales) falls in the century nearest to `near`.

#include "clock/clocktext.h"

#include <QDate>
#include <QLocale>
#include <QTime>

namespace tesmora::testing {

inline QTime readTime(const QString &text, const QLocale &locale)
{
    return locale.toTime(text, timeFormat(locale));
}

inline QDate readDate(const QString &text, const QLocale &locale, QDate near)
{
    const QString format = dateFormat(locale);
    QDate d = locale.toDate(text, format);
    if (d.isValid() && !format.contains(QLatin1String("yyyy"))) {
        const int centuries = (near.year() - d.year() + 50) / 100;
        d = d.addYears(100 * centuries);
    }
    return d;
}

} // namespace tesmora::testing
