#include "clock/clocktext.h"

#include "rules/product.h"

#include <QRegularExpression>
#include <QStringList>

namespace tesmora {

namespace {
bool isCLocale(const QLocale &locale)
{
    return locale.language() == QLocale::C;
}
} // namespace

Version parseVersion(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    auto part = [&](qsizetype i) { return i < parts.size() ? parts.at(i).toInt() : 0; };
    return {part(0), part(1), part(2), part(3)};
}

QString titleText(const Version &version)
{
    return QStringLiteral("%1.     ver. %2.%3.%4")
        .arg(applicationTitle())
        .arg(version.major)
        .arg(version.minor)
        .arg(version.revision);
}

QString timeFormat(const QLocale &locale)
{
    if (isCLocale(locale))
        return QStringLiteral("HH:mm:ss");
    // The clock asks twice a second; the locale rarely changes in between.
    static thread_local QLocale lastLocale = QLocale::c();
    static thread_local QString lastFormat;
    if (locale == lastLocale && !lastFormat.isEmpty())
        return lastFormat;
    // The long format is the one that carries seconds; drop its time-zone token ('t', which may
    // be bracketed or stand apart), keeping quoted literals intact.
    QString format = locale.timeFormat(QLocale::LongFormat);
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        out += c;
    }
    // Leftovers of the zone: empty brackets and doubled or trailing blanks.
    static const QRegularExpression emptyBrackets(QStringLiteral("[\\(\\[]\\s*[\\)\\]]"));
    out.remove(emptyBrackets);
    out = out.simplified();
    lastLocale = locale;
    lastFormat = out;
    return out;
}

QString dateFormat(const QLocale &locale)
{
    if (isCLocale(locale))
        return QStringLiteral("yyyy-MM-dd");
    return locale.dateFormat(QLocale::ShortFormat);
}

QString timeText(QTime time, const QLocale &locale)
{
    return locale.toString(time, timeFormat(locale));
}

QString dateText(QDate date, const QLocale &locale)
{
    return locale.toString(date, dateFormat(locale));
}

QString clockTitleText(const QString &time, const QString &date)
{
    return time + QStringLiteral(" (") + date + QStringLiteral(") ");
}

} // namespace tesmora
