#pragma once

// The two pages the About panel opens. Their addresses are set when the program is configured
// (TESMORA_WEBSITE_URL, TESMORA_DONATION_HOST, TESMORA_DONATION_ACCOUNT in CMake).

#include <QUrl>

namespace tesmora {

// The maker's web site: an http root page, written with a trailing slash.
QUrl websiteUrl();
// The donation page: https, path "/xclick/" followed directly by "business=<account>" and the
// fixed payment parameters, with no query part.
QUrl donationUrl();

} // namespace tesmora
