#pragma once

// The music panel's event handlers: browse drives and folders for MP3 files, load one, play,
// stop, and set the volume.

#include "controls/named.h"
#include "player/drivelist.h"
#include "player/filelist.h"
#include "player/folderlist.h"
#include "player/mediaengine.h"

#include <QPushButton>
#include <QSlider>
#include <QWidget>
#include <functional>
#include <memory>

namespace tesmora {

class Prompts;

struct PlayerControls
{
    QWidget *Form1;
    TESMORA_CONTROL(DriveList, Drive1);
    TESMORA_CONTROL(FolderList, Dir1);
    TESMORA_CONTROL(FileList, File1);
    TESMORA_CONTROL(QPushButton, Command9); // play
    TESMORA_CONTROL(QPushButton, Command10); // stop
    TESMORA_CONTROL(QPushButton, Command11); // not in use
    TESMORA_CONTROL(QSlider, Slider1); // volume
};

class Player
{
public:
    using EngineFactory = std::function<std::unique_ptr<MediaEngine>()>;

    // Gives the file list its "*.mp3" pattern and the slider its range 0 ... 10 in whole steps,
    // at 10, the position of the player's start volume. The engine is made on first use.
    Player(const PlayerControls &controls, Prompts &prompts, EngineFactory engineFactory);
    ~Player();

    void Drive1_Change();
    void Dir1_Change();
    void File1_Click();
    void Command9_Click();
    void Command10_Click();
    void Command11_Click();
    void Slider1_Change();
    // The user opened a folder in Dir1 that cannot be listed.
    void Dir1_ReadError(const QString &folder);

private:
    MediaEngine &engine();

    PlayerControls c;
    Prompts &prompts;
    EngineFactory engineFactory;
    std::unique_ptr<MediaEngine> media;
    int volume;
};

} // namespace tesmora
