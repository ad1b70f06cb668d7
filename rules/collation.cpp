#include "rules/collation.h"

#include <algorithm>

namespace tesmora {

namespace {

QLocale sortingLocale(const QLocale &locale)
{
    if (locale.language() == QLocale::C)
        return QLocale(QLocale::English, QLocale::UnitedStates);
    return locale;
}

} // namespace

ListCollation::ListCollation() : ListCollation(QLocale().collation()) { }

ListCollation::ListCollation(const QLocale &locale) : collator(sortingLocale(locale))
{
    // Case-insensitive comparison still tells accents apart, but only after the base letters
    // (secondary strength): "Malta" < "Mèxico" < "Monaco", and "Mexico" < "Mèxico".
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(false);
    collator.setIgnorePunctuation(false);
}

int ListCollation::compare(QStringView a, QStringView b) const
{
    // Empty first, whatever the collation makes of texts that hold only ignorable characters.
    if (a.isEmpty() || b.isEmpty())
        return int(!a.isEmpty()) - int(!b.isEmpty());
    return collator.compare(a, b);
}

qsizetype ListCollation::insertIndex(const QStringList &sorted, QStringView entry) const
{
    const auto at = std::upper_bound(
        sorted.cbegin(), sorted.cend(), entry,
        [this](QStringView e, const QString &item) { return compare(e, item) < 0; });
    return at - sorted.cbegin();
}

} // namespace tesmora
