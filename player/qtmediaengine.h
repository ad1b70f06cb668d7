#pragma once

// The media engine on Qt Multimedia: one QMediaPlayer with its QAudioOutput per loaded file.

#include "player/mediaengine.h"

#include <QMediaPlayer>
#include <QObject>
#include <memory>

class QAudioOutput;

namespace tesmora {

// Asks Qt Multimedia for its GStreamer backend (it decodes MP3 through the system's plugins),
// unless the user chose a backend. Call in main() before the application object exists.
void preferGStreamerBackend();

class QtMediaEngine : public QObject, public MediaEngine
{
    Q_OBJECT
public:
    explicit QtMediaEngine(QObject *parent = nullptr);
    ~QtMediaEngine() override;

    void load(const QString &path, LoadFailed onFailure) override;
    void play() override;
    void stop() override;
    void setVolume(int hundredthsOfDecibel) override;

    // What is loaded now (empty when nothing is), and whether a load is still pending.
    QString loadedPath() const;
    bool isLoading() const { return pending != nullptr; }
    // Whether the loaded file is playing, as its media status tells (the playback state alone
    // can say "playing" for a file that failed).
    bool isPlaying() const;
    // The linear gain handed to the audio output.
    double gain() const;

private:
    class Track;
    void settle(Track *track, QMediaPlayer::MediaStatus status);
    void fail(Track *track);
    void drop(Track *&track);

    Track *current = nullptr;
    Track *pending = nullptr;
    LoadFailed pendingFailure;
    bool playWhenLoaded = false;
    int volume;
};

// The engine main() hands to the window: a QtMediaEngine on a thread of its own.
std::unique_ptr<MediaEngine> makeQtMediaEngine();

} // namespace tesmora
