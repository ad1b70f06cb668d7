#pragma once

// The About panel: a hover effect on the web-site link and the two links that open web pages.

#include "controls/colorvalue.h"
#include "controls/controls.h"
#include "controls/named.h"
#include "desktop/ports.h"

namespace tesmora {

struct AboutControls
{
    QWidget *Form1;
    TESMORA_CONTROL(Panel, Picture6); // the panel itself
    TESMORA_CONTROL(Label, Picture7); // the donate picture
    TESMORA_CONTROL(Label, Label5); // the web-site link
};

// The web-site link's two colours: at rest and under the pointer.
constexpr ColorValue linkColor = colorValue(0, 0, 192); // dark blue
constexpr ColorValue hoverColor = colorValue(255, 0, 0); // red

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
