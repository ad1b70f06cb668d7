#include "app/keyboard.h"

#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <algorithm>

namespace tesmora {

namespace {
// The first control inside `panel`, in the focus order from `from` on, that Tab would reach.
QWidget *firstControlIn(QWidget *panel, QWidget *from, const QWidget *form)
{
    for (QWidget *w = from->nextInFocusChain(); w && w != from; w = w->nextInFocusChain())
        if (panel->isAncestorOf(w) && w->isVisibleTo(form) && w->isEnabled()
            && (w->focusPolicy() & Qt::TabFocus))
            return w;
    return nullptr;
}
} // namespace

ToolKeys::ToolKeys(QWidget *form, QPushButton *menuButton, QWidget *menuBar,
                   std::vector<Tool> tools)
    : QObject(form), form(form), menuButton(menuButton), menuBar(menuBar), tools(std::move(tools))
{
    auto *shortcut = new QShortcut(QKeySequence(Qt::Key_Escape), form);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, [this] { escape(); });
}

const ToolKeys::Tool *ToolKeys::openTool() const
{
    for (const Tool &tool : tools)
        if (tool.panel->isVisibleTo(form))
            return &tool;
    return nullptr;
}

void ToolKeys::afterClick(QPushButton *button)
{
    const auto tool = std::find_if(tools.begin(), tools.end(),
                                   [button](const Tool &t) { return t.button == button; });
    if (tool == tools.end())
        return;
    if (!tool->panel->isVisibleTo(form)) {
        button->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (QWidget *first = firstControlIn(tool->panel, button, form))
        first->setFocus(Qt::TabFocusReason);
}

void ToolKeys::escape()
{
    if (const Tool *tool = openTool()) {
        if (tool->button->isEnabled())
            tool->button->click();
    } else if (menuBar->isVisibleTo(form) && menuButton->isEnabled()) {
        menuButton->click();
        menuButton->setFocus(Qt::OtherFocusReason);
    }
}

} // namespace tesmora
