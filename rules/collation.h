#pragma once

// Shared rules (rules/): Qt Core only; used by the tools, the kit and the window.
//
// The order of the sorted lists (the word list and the three code lists): the collation of the
// user's locale, ignoring case, so that an accented letter sorts with its base letter; an empty
// entry sorts before every other one. The C/POSIX locale has no real collation (it would put
// every capital before every small letter and every accented letter after "z"), so under it the
// lists sort as English does.

#include <QCollator>
#include <QLocale>
#include <QStringList>
#include <QStringView>

namespace tesmora {

class ListCollation
{
public:
    // The user's collation locale (LC_COLLATE where the desktop sets it).
    ListCollation();
    explicit ListCollation(const QLocale &locale);

    // The locale whose rules are used (English in place of C/POSIX).
    QLocale locale() const { return collator.locale(); }

    // <0, 0 or >0 as `a` sorts before, with or after `b`.
    int compare(QStringView a, QStringView b) const;

    // Where `entry` goes in `sorted`, a list already in this order: after every entry that sorts
    // equal to it, so that equal entries stay in the order they were added.
    qsizetype insertIndex(const QStringList &sorted, QStringView entry) const;

private:
    QCollator collator;
};

} // namespace tesmora
