#pragma once

// The keyboard's way through the tools: opening a tool moves the focus to its first control,
// closing it gives the focus back to the tool's button, and Escape closes the open tool (or,
// with no tool open, the menu bar), as a click on its button would.

#include <QObject>
#include <vector>

class QPushButton;
class QWidget;

namespace tesmora {

class ToolKeys : public QObject
{
    Q_OBJECT
public:
    struct Tool
    {
        QPushButton *button;
        QWidget *panel;
    };
    // `tools` innermost first: a tool's panel may hold the panels of the tools listed before it.
    ToolKeys(QWidget *form, QPushButton *menuButton, QWidget *menuBar, std::vector<Tool> tools);

    // The tool whose panel is open now, innermost first; nullptr when none is.
    const Tool *openTool() const;
    // After a click on a tool's button has opened or closed its panel: the focus goes to the
    // panel's first control, or back to the button.
    void afterClick(QPushButton *button);

private:
    void escape();

    QWidget *form;
    QPushButton *menuButton;
    QWidget *menuBar;
    std::vector<Tool> tools;
};

} // namespace tesmora
