#pragma once

// The window's kit (desktop/): used by the tools and the window, built on the rules and Qt only.
//
// The few places where a handler meets the desktop. Handlers only ever talk to these
// interfaces; main() hands in the Qt implementations (desktop/qtports.h), tests hand in fakes.

#include <QColor>
#include <QString>
#include <QUrl>
#include <optional>

namespace tesmora {

// Modal questions and messages. A message box without a title of its own carries the
// application's title; callers pass that explicitly (rules/product.h).
class Prompts
{
public:
    virtual ~Prompts() = default;
    // Returns the typed text, or nothing when the user cancelled.
    virtual std::optional<QString> inputBox(const QString &prompt, const QString &title) = 0;
    // A modal message with an OK button only and no icon.
    virtual void messageBox(const QString &text, const QString &title) = 0;
};

// The colour chooser: starts at `initial`, returns the chosen colour or nothing on cancel.
class ColorChooser
{
public:
    virtual ~ColorChooser() = default;
    virtual std::optional<QColor> chooseColor(const QColor &initial) = 0;
};

// Opens a page in the user's browser; false when the desktop did not accept it.
class Browser
{
public:
    virtual ~Browser() = default;
    virtual bool openUrl(const QUrl &url) = 0;
};

class Clipboard
{
public:
    virtual ~Clipboard() = default;
    virtual void setText(const QString &text) = 0;
};

} // namespace tesmora
