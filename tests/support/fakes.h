#pragma once

// Recording fakes of the desktop ports, shared by the window tests.

#include "desktop/ports.h"

#include <QColor>
#include <QList>
#include <QStringList>
#include <QUrl>
#include <deque>
#include <optional>

namespace tesmora::testing {

struct Message
{
    QString text;
    QString title;
    bool operator==(const Message &) const = default;
};

class FakePrompts : public Prompts
{
public:
    // Answers handed out in turn; an empty optional stands for Cancel.
    std::deque<std::optional<QString>> answers;
    QList<Message> inputs; // prompt and title of every input box shown
    QList<Message> messages; // every message box shown

    std::optional<QString> inputBox(const QString &prompt, const QString &title) override
    {
        inputs.append({prompt, title});
        if (answers.empty())
            return std::nullopt;
        // Moved out, not copied: g++ 12 at -O2 warns about copying an optional QString.
        std::optional<QString> a;
        a.swap(answers.front());
        answers.pop_front();
        return a;
    }
    void messageBox(const QString &text, const QString &title) override
    {
        messages.append({text, title});
    }
};

class FakeColorChooser : public ColorChooser
{
public:
    std::optional<QColor> answer; // nothing = the user cancels
    QList<QColor> initials;
    std::optional<QColor> chooseColor(const QColor &initial) override
    {
        initials.append(initial);
        return answer;
    }
};

class FakeBrowser : public Browser
{
public:
    bool accept = true;
    QList<QUrl> opened;
    bool openUrl(const QUrl &url) override
    {
        opened.append(url);
        return accept;
    }
};

class FakeClipboard : public Clipboard
{
public:
    QStringList texts;
    void setText(const QString &text) override { texts.append(text); }
};

} // namespace tesmora::testing
