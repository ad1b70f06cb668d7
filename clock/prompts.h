#pragma once

// The timer and stopwatch prompts behind the two clock labels. In this release both only ask
// for a number of minutes and refuse an answer that is not one; nothing starts counting.

#include "controls/controls.h"
#include "controls/named.h"
#include "desktop/ports.h"

namespace tesmora {

struct ClockPromptControls
{
    QWidget *Form1;
    TESMORA_CONTROL(Label, Label1); // the time
    TESMORA_CONTROL(Label, Label2); // the date
};

class ClockPrompts
{
public:
    ClockPrompts(const ClockPromptControls &controls, Prompts &prompts);

    void Label1_Click();
    void Label2_Click();

private:
    void ask(const QString &title);

    ClockPromptControls c;
    Prompts &prompts;
};

} // namespace tesmora
