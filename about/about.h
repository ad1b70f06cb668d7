#pragma once

// The About panel: a hover effect on the web-site link and the two links that open web pages.

#include "controls/controls.h"
#include "desktop/ports.h"

namespace tesmora {

struct AboutControls
{
    Panel *Picture6 = nullptr; // the panel itself
    Label *Picture7 = nullptr; // the donate picture
    Label *Label5 = nullptr; // the web-site link
};

// The link's two colours (0x00BBGGRR).
constexpr unsigned linkColour = 0xC00000; // dark blue
constexpr unsigned hoverColour = 0x0000FF; // red

class About
{
public:
    About(const AboutControls &controls, Browser &browser, Prompts &prompts);

    void Label5_Click();
    void Picture7_Click();
    void Label5_MouseMove(const MouseMove &move);
    void Picture6_MouseMove(const MouseMove &move);
    void Picture7_MouseMove(const MouseMove &move);

private:
    void open(const QUrl &url);

    AboutControls c;
    Browser &browser;
    Prompts &prompts;
};

// The message shown when the desktop cannot open `url`.
QString cannotOpenText(const QUrl &url);

} // namespace tesmora
