#include "about/links.h"

namespace tesmora {

// Tolerant parsing keeps the percent-encoded at-sign of the account as it is written.
QUrl websiteUrl()
{
    return QUrl(QString::fromUtf8(TESMORA_WEBSITE_URL));
}

QUrl donationUrl()
{
    return QUrl(QString::fromUtf8(TESMORA_DONATION_URL));
}

} // namespace tesmora
