#pragma once

// The music panel's event handlers: browse drives and folders for MP3 files, load one, play,
// stop, and set the volume.

#include "player/mediaengine.h"

#include <functional>
#include <memory>

class QPushButton;
class QSlider;
class QWidget;

namespace tesmora {

class DriveList;
class FileList;
class FolderList;
class Prompts;

struct PlayerControls
{
    DriveList *Drive1;
    FolderList *Dir1;
    FileList *File1;
    QPushButton *Command9;
    QPushButton *Command10;
    QPushButton *Command11;
    QSlider *Slider1;
    QWidget *MediaPlayer1;
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
