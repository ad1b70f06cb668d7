#pragma once

// The seven tools as the user meets them: the button on the menu bar that opens each, and a
// control seen only while that tool is in front. The panel that carries a tool and the panels
// around it are the window's own, read from its inventory.

#include "app/inventory.h"
#include "controls/controls.h"

#include <QList>
#include <QStringList>
#include <QWidget>

namespace tesmora::testing {

struct Tool
{
    const char *button;
    const char *inside;
};

inline const QList<Tool> tools = {
    {"Command22", "Combo1"}, // area and country codes
    {"Command3", "MonthView1"}, // calendar
    {"Command4", "List1"}, // Spanish translator
    {"Command5", "VScroll1"}, // conversions
    {"Command6", "File1"}, // music player
    {"Command7", "Text1"}, // calculator
    {"Command20", "Label3"}, // About
};

// The panel that carries a tool: the container of the control seen in it.
inline QString toolPanel(const Tool &t)
{
    return QString::fromLatin1(findControl(t.inside)->container);
}

// The panels that must be shown for a tool to be seen, innermost first.
inline QStringList toolChain(const Tool &t)
{
    QStringList chain;
    for (const ControlSpec *c = findControl(t.inside); (c = findControl(c->container));)
        chain.append(QString::fromLatin1(c->name));
    return chain;
}

inline const QStringList toolButtons = [] {
    QStringList out;
    for (const Tool &t : tools)
        out.append(QString::fromLatin1(t.button));
    return out;
}();

inline const QStringList toolPanels = [] {
    QStringList out;
    for (const Tool &t : tools)
        out.append(toolPanel(t));
    return out;
}();

// The buttons of the tools whose panel the user sees in front.
inline QStringList toolsSeen(const QWidget *form)
{
    QStringList front;
    for (const Tool &t : tools) {
        const auto *p = form->findChild<QWidget *>(toolPanel(t));
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
