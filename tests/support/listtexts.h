#pragma once

// The tables' texts as string lists, for comparing with what a list shows.

#include "translator/wordtable.h"

#include <QStringList>
#include <span>

namespace tesmora::testing {

inline QStringList texts(std::span<const QStringView> views)
{
    QStringList out;
    for (QStringView v : views)
        out.append(v.toString());
    return out;
}

// The English entries of the word table, in its order.
inline QStringList englishEntries()
{
    QStringList out;
    for (const LookupRow &row : wordTable())
        out.append(row.entry.toString());
    return out;
}

} // namespace tesmora::testing
