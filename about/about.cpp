#include "about/about.h"

#include "about/abouttexts.h"
#include "about/links.h"
#include "controls/colorvalue.h"
#include "rules/product.h"

namespace tesmora {

About::About(const AboutControls &controls, Browser &browser, Prompts &prompts)
    : c(controls), browser(browser), prompts(prompts)
{ }

QString cannotOpenText(const QUrl &url)
{
    return QStringLiteral("The web page %1 could not be opened. Please check that a web browser "
                          "is set up on this computer.")
        .arg(url.toString());
}

void About::open(const QUrl &url)
{
    // Say so when no browser took the page, instead of leaving the user waiting for nothing.
    if (!browser.openUrl(url))
        prompts.messageBox(cannotOpenText(url), applicationTitle());
}

void About::Label5_Click()
{
    open(websiteUrl());
}
void About::Picture7_Click()
{
    open(donationUrl());
}

void About::Label5_MouseMove(const MouseMove &)
{
    setForeColor(c.Label5, hoverColor);
}

void About::Picture6_MouseMove(const MouseMove &)
{
    setForeColor(c.Label5, linkColor);
    c.Label5->setText(QString::fromUtf8(aboutText::websiteCaption));
}

// Only the text changes: the colour stays whatever the last move over the label left.
void About::Picture7_MouseMove(const MouseMove &)
{
    c.Label5->setText(QString::fromUtf8(aboutText::coffeeMessage));
}

} // namespace tesmora
