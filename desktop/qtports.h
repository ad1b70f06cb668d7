#pragma once

// The window's kit (desktop/): used by the tools and the window, built on the rules and Qt only.
//
// The desktop behind the ports: Qt's own dialogs (never the platform's native ones, which can
// hang or crash on some desktops), the system clipboard and the user's browser.

#include "desktop/ports.h"

class QWidget;

namespace tesmora {

class QtPrompts : public Prompts
{
public:
    explicit QtPrompts(QWidget *parent = nullptr) : parent(parent) { }
    void setParent(QWidget *w) { parent = w; }
    std::optional<QString> inputBox(const QString &prompt, const QString &title) override;
    void messageBox(const QString &text, const QString &title) override;

private:
    QWidget *parent;
};

class QtColorChooser : public ColorChooser
{
public:
    explicit QtColorChooser(QWidget *parent = nullptr) : parent(parent) { }
    void setParent(QWidget *w) { parent = w; }
    std::optional<QColor> chooseColor(const QColor &initial) override;

private:
    QWidget *parent;
};

class QtBrowser : public Browser
{
public:
    bool openUrl(const QUrl &url) override;
};

class QtClipboard : public Clipboard
{
public:
    void setText(const QString &text) override;
};

} // namespace tesmora
