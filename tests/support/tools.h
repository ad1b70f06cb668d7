#pragma once

// The seven tools as the user meets them: the menu button that opens each, the panels that must
// be shown for it, and which tool the user sees in front.

#include "controls/controls.h"

#include <QList>
#include <QStringList>
#include <QWidget>

namespace tesmora::testing {

struct Tool
{
    const char *button;
    QList<const char *> chain; // the panels that must be shown, outermost first
    const char *seen; // the panel whose content the user sees
};

inline const QList<Tool> tools = {
    {"Command3", {"Picture8", "Picture10", "Picture12"}, "Picture12"},
    {"Command4", {"Picture8", "Picture10"}, "Picture10"},
    {"Command5", {"Picture8"}, "Picture8"},
    {"Command6", {"Picture2"}, "Picture2"},
    {"Command7", {"Picture5"}, "Picture5"},
    {"Command20", {"Picture5", "Picture6"}, "Picture6"},
    {"Command22", {"Picture8", "Picture10", "Picture12", "Picture13"}, "Picture13"},
};

inline const QStringList toolButtons
    = {"Command3", "Command4", "Command5", "Command6", "Command7", "Command20", "Command22"};
inline const QStringList toolPanels
    = {"Picture2", "Picture5", "Picture6", "Picture8", "Picture10", "Picture12", "Picture13"};

// The buttons of the tools whose panel the user sees in front.
inline QStringList toolsSeen(const QWidget *form)
{
    QStringList front;
    for (const Tool &t : tools) {
        const auto *p = form->findChild<QWidget *>(QString::fromLatin1(t.seen));
        if (!p->isVisible())
            continue;
        // The deepest visible panel of a chain is the one in front.
        bool innerVisible = false;
        for (const QObject *child : p->children())
            if (auto *cw = qobject_cast<const Panel *>(child))
                innerVisible = innerVisible || cw->isVisible();
        if (!innerVisible)
            front.append(QString::fromLatin1(t.button));
    }
    return front;
}

// The one tool seen, an empty text for none, or the tools joined by "+".
inline QString toolSeen(const QWidget *form)
{
    return toolsSeen(form).join(QLatin1Char('+'));
}

} // namespace tesmora::testing
