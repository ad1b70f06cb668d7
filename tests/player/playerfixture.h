#pragma once

// What the player tests share: the panel's real widgets wired to a Player as the window wires
// them, a media engine fake that keeps the failure callbacks for the test to fire, folders made
// on disk, and a way to run one test function as an unprivileged user.

#include "desktop/ports.h"
#include "player/drivelist.h"
#include "player/filelist.h"
#include "player/folderlist.h"
#include "player/mediaengine.h"
#include "player/player.h"
#include "tests/support/fakes.h"
#include "tests/support/patience.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSlider>
#include <QStringList>
#include <QTest>
#include <QWidget>
#include <memory>

namespace tesmora::testing {

// Records the calls; a failed load is reported only when the test says so, as the real engine
// reports it later from the event loop.
class RecordingEngine : public MediaEngine
{
public:
    struct Log
    {
        QStringList calls;
        QList<LoadFailed> failures; // one per load, in order
    };
    explicit RecordingEngine(std::shared_ptr<Log> log) : log(std::move(log)) { }
    void load(const QString &path, LoadFailed onFailure) override
    {
        log->calls.append(QStringLiteral("load ") + path);
        log->failures.append(std::move(onFailure));
    }
    void play() override { log->calls.append(QStringLiteral("play")); }
    void stop() override { log->calls.append(QStringLiteral("stop")); }
    void setVolume(int v) override { log->calls.append(QStringLiteral("volume %1").arg(v)); }

private:
    std::shared_ptr<Log> log;
};

// The panel, shown: real widgets and the handlers wired to their signals.
struct PlayerPanel
{
    PatientFolderReading patience;
    QWidget window;
    DriveList *Drive1 = new DriveList(&window);
    FolderList *Dir1 = new FolderList(&window);
    FileList *File1 = new FileList(&window);
    QPushButton *Command9 = new QPushButton(&window);
    QPushButton *Command10 = new QPushButton(&window);
    QPushButton *Command11 = new QPushButton(&window);
    QSlider *Slider1 = new QSlider(Qt::Horizontal, &window);
    QWidget *MediaPlayer1 = new QWidget(&window);
    FakePrompts prompts;
    std::shared_ptr<RecordingEngine::Log> media = std::make_shared<RecordingEngine::Log>();
    int enginesMade = 0;
    std::unique_ptr<Player> player;

    explicit PlayerPanel(Player::EngineFactory factory = {})
    {
        if (!factory)
            factory = [this]() -> std::unique_ptr<MediaEngine> {
                ++enginesMade;
                return std::make_unique<RecordingEngine>(media);
            };
        player = std::make_unique<Player>(PlayerControls {Drive1, Dir1, File1, Command9, Command10,
                                                          Command11, Slider1, MediaPlayer1},
                                          prompts, std::move(factory));
        Player *p = player.get();
        QObject::connect(Command9, &QPushButton::clicked, &window, [p] { p->Command9_Click(); });
        QObject::connect(Command10, &QPushButton::clicked, &window, [p] { p->Command10_Click(); });
        QObject::connect(Command11, &QPushButton::clicked, &window, [p] { p->Command11_Click(); });
        QObject::connect(Drive1, &DriveList::driveChanged, &window, [p] { p->Drive1_Change(); });
        QObject::connect(Dir1, &FolderList::pathChanged, &window, [p] { p->Dir1_Change(); });
        QObject::connect(Dir1, &FolderList::folderUnreadable, &window,
                         [p](const QString &folder) { p->Dir1_ReadError(folder); });
        QObject::connect(File1, &FileList::clicked, &window, [p] { p->File1_Click(); });
        QObject::connect(Slider1, &QSlider::valueChanged, &window, [p] { p->Slider1_Change(); });
        Slider1->setGeometry(0, 0, 160, 40);
        Dir1->setGeometry(170, 0, 200, 300);
        File1->setGeometry(380, 0, 300, 300);
        window.resize(700, 320);
        // The lists are filled when they are first seen, as the user opens the panel.
        window.show();
    }

    static QStringList texts(const QListWidget *list)
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out.append(list->item(i)->text());
        return out;
    }

    // Clicks an entry of a list with the mouse, as the user does.
    static void click(QListWidget *list, const QString &text, bool twice = false)
    {
        const auto found = list->findItems(text, Qt::MatchExactly);
        QVERIFY2(found.size() == 1, qPrintable(QLatin1String("no single entry ") + text));
        list->scrollToItem(found.first());
        const QPoint at = list->visualItemRect(found.first()).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        // The second press of a double click arrives as the double-click event itself.
        if (twice)
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }
};

// Makes files (empty unless given bytes) and folders under `root`; names ending in "/" are
// folders.
inline void make(const QString &root, const QStringList &names, const QByteArray &bytes = {})
{
    for (const QString &name : names) {
        const QString path = root + u'/' + name;
        if (name.endsWith(u'/')) {
            QVERIFY(QDir().mkpath(path));
        } else {
            QFile f(path);
            QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(path));
            f.write(bytes);
        }
    }
}

// Root reads every folder, so checks of unreadable folders run as "nobody". Returns true when
// the caller runs unprivileged and should do the check itself; otherwise runs `testFunction`
// of this program again as nobody, reports its outcome, and returns false. `testFunction` may
// name one row of a data-driven test as "function:row".
bool runUnprivileged(const char *testFunction);

} // namespace tesmora::testing

namespace tesmora::testing {

// Writes an MP3 of a steady sine tone (made with sox and lame) to `path`; false with a warning
// when the tools are missing or fail.
bool makeTone(const QString &path, double seconds, int hertz = 440, double amplitude = 0.5);

} // namespace tesmora::testing
