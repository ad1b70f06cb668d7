#include "clock/prompts.h"

#include "clock/promptrules.h"
#include "rules/product.h"

namespace tesmora {

ClockPrompts::ClockPrompts(const ClockPromptControls &controls, Prompts &prompts)
    : c(controls), prompts(prompts)
{ }

void ClockPrompts::Label1_Click()
{
    ask(QStringLiteral("Timer."));
}

void ClockPrompts::Label2_Click()
{
    ask(QStringLiteral("Stopwatch."));
}

void ClockPrompts::ask(const QString &title)
{
    const std::optional<QString> answer
        = prompts.inputBox(QStringLiteral("How many minutes do you want to set?"), title);
    if (isWrongNumber(answer))
        prompts.messageBox(QStringLiteral("Wrong number"), applicationTitle());
    // An accepted answer starts nothing: there is no timer in this release.
}

} // namespace tesmora
