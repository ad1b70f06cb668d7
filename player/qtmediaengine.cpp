#include "player/qtmediaengine.h"

#include "player/playerrules.h"
#include "player/threadedmediaengine.h"

#include <QAudioOutput>
#include <QTimer>
#include <QUrl>

namespace tesmora {

void preferGStreamerBackend()
{
    if (!qEnvironmentVariableIsSet("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", "gstreamer");
}

// A file being loaded or loaded: its own player and output, so that a file that fails to load
// never disturbs the one loaded before it.
class QtMediaEngine::Track : public QObject
{
public:
    Track(const QString &path, double gain, QObject *parent)
        : QObject(parent),
          path(path),
          player(new QMediaPlayer(this)),
          output(new QAudioOutput(this))
    {
        output->setVolume(float(gain));
        player->setAudioOutput(output);
    }
    const QString path;
    QMediaPlayer *const player;
    QAudioOutput *const output;
};

QtMediaEngine::QtMediaEngine(QObject *parent) : QObject(parent), volume(startVolume) { }

QtMediaEngine::~QtMediaEngine()
{
    drop(pending);
    drop(current);
}

void QtMediaEngine::load(const QString &path, LoadFailed onFailure)
{
    drop(pending);
    auto *track = new Track(path, gain(), this);
    pending = track;
    pendingFailure = std::move(onFailure);
    playWhenLoaded = false;
    // The backend may report one failure several times, and a failed file as "playing": the
    // verdict comes from the first loaded or invalid status, or the first error.
    connect(track->player, &QMediaPlayer::mediaStatusChanged, this,
            [this, track](QMediaPlayer::MediaStatus status) { settle(track, status); });
    connect(track->player, &QMediaPlayer::errorOccurred, this, [this, track] { fail(track); });
    track->player->setSource(QUrl::fromLocalFile(path));
}

void QtMediaEngine::settle(Track *track, QMediaPlayer::MediaStatus status)
{
    if (track != pending)
        return;
    if (status == QMediaPlayer::InvalidMedia) {
        fail(track);
        return;
    }
    if (status != QMediaPlayer::LoadedMedia)
        return;
    track->player->disconnect(this);
    drop(current);
    current = track;
    pending = nullptr;
    pendingFailure = {};
    if (playWhenLoaded)
        current->player->play();
    playWhenLoaded = false;
}

void QtMediaEngine::fail(Track *track)
{
    if (track != pending)
        return;
    auto report = std::move(pendingFailure);
    pendingFailure = {};
    playWhenLoaded = false;
    drop(pending);
    // Reported from the event loop, so that the caller's message box never runs inside the
    // backend's own signal or inside load().
    if (report)
        QTimer::singleShot(0, this, std::move(report));
}

void QtMediaEngine::drop(Track *&track)
{
    if (!track)
        return;
    track->player->disconnect(this);
    track->player->stop();
    track->deleteLater();
    track = nullptr;
}

void QtMediaEngine::play()
{
    if (pending)
        playWhenLoaded = true;
    else if (current)
        current->player->play();
}

void QtMediaEngine::stop()
{
    playWhenLoaded = false;
    if (current)
        current->player->stop();
}

void QtMediaEngine::setVolume(int hundredthsOfDecibel)
{
    volume = hundredthsOfDecibel;
    for (Track *track : {current, pending})
        if (track)
            track->output->setVolume(float(gain()));
}

QString QtMediaEngine::loadedPath() const
{
    return current ? current->path : QString();
}

bool QtMediaEngine::isPlaying() const
{
    if (!current || current->player->playbackState() != QMediaPlayer::PlayingState)
        return false;
    const auto status = current->player->mediaStatus();
    return status == QMediaPlayer::BufferingMedia || status == QMediaPlayer::BufferedMedia;
}

double QtMediaEngine::gain() const
{
    return gainForVolume(volume);
}

std::unique_ptr<MediaEngine> makeQtMediaEngine()
{
    return std::make_unique<ThreadedMediaEngine>(
        []() -> std::unique_ptr<MediaEngine> { return std::make_unique<QtMediaEngine>(); });
}

} // namespace tesmora
