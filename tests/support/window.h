#pragma once

// The whole window, offscreen, exactly as the program builds and wires it (inventory, builder,
// wiring table), with a switch per port: a recording fake by default, or the program's own Qt
// implementation. Every window and panel test starts from here.

#include "app/form1.h"
#include "desktop/qtports.h"
#include "player/gstmediaengine.h"
#include "player/mediaengine.h"
#include "tests/support/fakes.h"
#include "tests/support/patience.h"

#include <QDateTime>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <memory>

namespace tesmora::testing {

// The one fake media engine: records what it was asked to do. A load fails as on the real
// engine, by failed() from the event loop: every load while `failLoads` is set, or the newest
// one when the test calls failNewest() on the fake made last (`made`).
class FakeMediaEngine : public MediaEngine
{
public:
    struct Log
    {
        QStringList calls;
        bool failLoads = false;
        FakeMediaEngine *made = nullptr; // while it lives
    };
    explicit FakeMediaEngine(std::shared_ptr<Log> log) : log(std::move(log))
    {
        this->log->made = this;
    }
    ~FakeMediaEngine() override { log->made = nullptr; }
    void load(const QString &path) override
    {
        log->calls.append(QStringLiteral("load ") + path);
        newest = path;
        ++loads;
        if (log->failLoads)
            QTimer::singleShot(0, this, [this, id = loads] {
                if (id == loads)
                    failNewest();
            });
    }
    void play() override { log->calls.append(QStringLiteral("play")); }
    void stop() override { log->calls.append(QStringLiteral("stop")); }
    void setVolume(int v) override { log->calls.append(QStringLiteral("volume %1").arg(v)); }
    void failNewest() { Q_EMIT failed(newest); }

private:
    std::shared_ptr<Log> log;
    QString newest;
    int loads = 0;
};

// Which ports are real. Everything not switched on is a recording fake.
struct Ports
{
    bool prompts = false; // Qt's message and input boxes, owned by the window
    bool colors = false; // Qt's colour dialog
    bool browser = false; // QDesktopServices
    bool clipboard = false; // the system clipboard
    bool media = false; // the GStreamer engine
    bool clock = false; // the system clock instead of Window::now
    bool load = true; // run the start-up as main() does
    bool show = false; // show the window as main() does
};

struct Window
{
    // The fakes, always there to look into; the real ports beside them.
    FakePrompts prompts;
    FakeColorChooser colors;
    FakeBrowser browser;
    FakeClipboard clipboard;
    QtPrompts qtPrompts;
    QtColorChooser qtColors;
    QtBrowser qtBrowser;
    QtClipboard qtClipboard;
    std::shared_ptr<FakeMediaEngine::Log> media = std::make_shared<FakeMediaEngine::Log>();
    GstMediaEngine *engine = nullptr; // the newest real engine, with Ports::media
    int enginesMade = 0;
    QDateTime now = QDateTime(QDate(2026, 12, 7), QTime(12, 4, 22));
    std::unique_ptr<Form1> form;

    explicit Window(Ports real = {})
    {
        Prompts &p = real.prompts ? static_cast<Prompts &>(qtPrompts) : prompts;
        ColorChooser &c = real.colors ? static_cast<ColorChooser &>(qtColors) : colors;
        Browser &b = real.browser ? static_cast<Browser &>(qtBrowser) : browser;
        Clipboard &k = real.clipboard ? static_cast<Clipboard &>(qtClipboard) : clipboard;
        MediaEngineFactory engines = [this, real]() -> std::unique_ptr<MediaEngine> {
            ++enginesMade;
            if (!real.media)
                return std::make_unique<FakeMediaEngine>(media);
            auto made = std::make_unique<GstMediaEngine>();
            engine = made.get();
            return made;
        };
        ClockSource clock
            = [this, real] { return real.clock ? QDateTime::currentDateTime() : now; };
        form = std::make_unique<Form1>(DesktopPorts {p, c, b, k, std::move(engines), clock});
        setListPatience(*form, std::chrono::seconds(30));
        qtPrompts.setParent(form.get());
        qtColors.setParent(form.get());
        if (real.load)
            form->Form_Load();
        if (real.show)
            form->show();
    }
    Form1 *operator->() const { return form.get(); }

    // Opens a tool as the user does: the bulb, then the tool's button on the menu bar.
    bool openTool(QPushButton *button) const
    {
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get()))
            return false;
        if (!form->Picture1->isVisible())
            QTest::mouseClick(form->Command1, Qt::LeftButton);
        if (!button->isVisible() || !button->isEnabled())
            return false;
        QTest::mouseClick(button, Qt::LeftButton);
        return true;
    }
};

// Shows `control` as the user sees it once its panel is open: the control, every container
// around it and the window. Pictures and pointers are read when a control is first shown.
inline void reveal(QWidget *control)
{
    for (QWidget *w = control; w; w = w->parentWidget())
        w->show();
}

} // namespace tesmora::testing
