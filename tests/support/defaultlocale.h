#pragma once

// Pins the default locale for the lifetime of one test function; the lists sort by it.

#include <QLocale>

namespace tesmora::testing {

class DefaultLocale
{
public:
    explicit DefaultLocale(const QLocale &locale) { QLocale::setDefault(locale); }
    ~DefaultLocale() { QLocale::setDefault(saved); }
    DefaultLocale(const DefaultLocale &) = delete;
    DefaultLocale &operator=(const DefaultLocale &) = delete;

private:
    QLocale saved;
};

// The locales every order check runs under: C/POSIX (which must sort as English, not by
// character codes) and three real ones.
inline const char *const sortingLocales[] = {"C", "POSIX", "en_US", "es_ES", "de_DE"};

} // namespace tesmora::testing
