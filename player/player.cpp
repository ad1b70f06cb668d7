#include "player/player.h"

#include "desktop/ports.h"
#include "player/drivelist.h"
#include "player/filelist.h"
#include "player/folderlist.h"
#include "player/playerrules.h"
#include "rules/product.h"

#include <QSlider>

namespace tesmora {

namespace {

QString cannotRead(const QString &folder)
{
    return QStringLiteral("The folder \"%1\" cannot be read.").arg(folder);
}

} // namespace

Player::Player(const PlayerControls &controls, Prompts &prompts, EngineFactory engineFactory)
    : c(controls), prompts(prompts), engineFactory(std::move(engineFactory)), volume(startVolume)
{
    c.File1->setPattern(QStringLiteral("*.mp3"));
    c.Slider1->setRange(0, 10);
    c.Slider1->setSingleStep(1);
    c.Slider1->setPageStep(5);
    c.Slider1->setTickInterval(1);
    c.Slider1->setValue(10);
}

Player::~Player() = default;

MediaEngine &Player::engine()
{
    if (!media) {
        media = engineFactory();
        media->setVolume(volume);
        QObject::connect(
            media.get(), &MediaEngine::failed, media.get(), [this](const QString &path) {
                prompts.messageBox(QStringLiteral("The file \"%1\" cannot be played.").arg(path),
                                   applicationTitle());
            });
    }
    return *media;
}

void Player::Drive1_Change()
{
    // A drive that is not ready, or whose root cannot be listed, leaves Dir1 (and so File1)
    // on the previous folder while Drive1 shows the new drive.
    const auto invalid = [this] {
        prompts.messageBox(QStringLiteral("Please use a valid drive"), applicationTitle());
    };
    if (!c.Drive1->isReady())
        invalid();
    else
        c.Dir1->setPath(c.Drive1->drive(), invalid);
}

void Player::Dir1_Change()
{
    const QString folder = c.Dir1->path();
    c.File1->setPath(
        folder, [this, folder] { prompts.messageBox(cannotRead(folder), applicationTitle()); });
}

void Player::Dir1_ReadError(const QString &folder)
{
    prompts.messageBox(cannotRead(folder), applicationTitle());
}

void Player::File1_Click()
{
    const QString name = c.File1->fileName();
    if (name.isEmpty())
        return;
    engine().load(joinFolderAndFile(c.File1->path(), name));
}

void Player::Command9_Click()
{
    // Nothing was ever loaded when there is no engine yet.
    if (media)
        media->play();
}

void Player::Command10_Click()
{
    if (media)
        media->stop();
}

void Player::Command11_Click() { }

void Player::Slider1_Change()
{
    const auto v = volumeForSliderValue(c.Slider1->value());
    if (!v)
        return;
    volume = *v;
    if (media)
        media->setVolume(volume);
}

} // namespace tesmora
