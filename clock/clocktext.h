#pragma once

// The texts the clock shows: the window title, the time and the date.

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

namespace tesmora {

struct Version
{
    int major = 0;
    int minor = 0;
    int build = 0;
    int revision = 0;
};

// Parses "major.minor.build.revision"; missing or malformed parts read as 0.
Version parseVersion(const QString &text);

// The product title: "Tesmora.     ver. " then major.minor.revision.
QString titleText(const Version &version);

// The time of day in the locale's format with hours, minutes and seconds and no time zone.
// Under the C locale: HH:mm:ss.
QString timeText(QTime time, const QLocale &locale = QLocale());
// The date in the locale's short format; under the C locale: yyyy-MM-dd.
QString dateText(QDate date, const QLocale &locale = QLocale());

// The formats behind timeText() and dateText().
QString timeFormat(const QLocale &locale);
QString dateFormat(const QLocale &locale);

// The title while the window is minimised or maximised: "<time> (<date>) ".
QString clockTitleText(const QString &time, const QString &date);

} // namespace tesmora
