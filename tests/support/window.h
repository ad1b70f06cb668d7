#pragma once

// The whole window, offscreen, with recording fakes for every port and a clock the test sets.

#include "app/form1.h"
#include "player/mediaengine.h"
#include "tests/support/fakes.h"
#include "tests/support/patience.h"

#include <QDateTime>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <memory>

namespace tesmora::testing {

// A media engine that records what it was asked to do.
class FakeMediaEngine : public MediaEngine
{
public:
    struct Log
    {
        QStringList calls;
        bool failLoads = false;
    };
    explicit FakeMediaEngine(std::shared_ptr<Log> log) : log(std::move(log)) { }
    void load(const QString &path, LoadFailed onFailure) override
    {
        log->calls.append(QStringLiteral("load ") + path);
        // As the port promises: a failure is told later, from the event loop.
        if (log->failLoads && onFailure)
            QTimer::singleShot(0, [onFailure] { onFailure(); });
    }
    void play() override { log->calls.append(QStringLiteral("play")); }
    void stop() override { log->calls.append(QStringLiteral("stop")); }
    void setVolume(int v) override { log->calls.append(QStringLiteral("volume %1").arg(v)); }

private:
    std::shared_ptr<Log> log;
};

struct Window
{
    PatientFolderReading patience;
    FakePrompts prompts;
    FakeColourChooser colours;
    FakeBrowser browser;
    FakeClipboard clipboard;
    std::shared_ptr<FakeMediaEngine::Log> media = std::make_shared<FakeMediaEngine::Log>();
    int enginesMade = 0;
    QDateTime now = QDateTime(QDate(2026, 12, 7), QTime(12, 4, 22));
    std::unique_ptr<Form1> form;

    // Builds the window; with `load`, runs the start-up as the program does.
    explicit Window(bool load = true)
    {
        form = std::make_unique<Form1>(DesktopPorts {prompts, colours, browser, clipboard,
                                                     [this]() -> std::unique_ptr<MediaEngine> {
                                                         ++enginesMade;
                                                         return std::make_unique<FakeMediaEngine>(
                                                             media);
                                                     },
                                                     [this] { return now; }});
        if (load)
            form->Form_Load();
    }
    Form1 *operator->() const { return form.get(); }
};

// Shows `control` as the user sees it once its panel is open: the control, every container
// around it and the window. Pictures and pointers are read when a control is first shown.
inline void reveal(QWidget *control)
{
    for (QWidget *w = control; w; w = w->parentWidget())
        w->show();
}

} // namespace tesmora::testing
