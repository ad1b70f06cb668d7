#pragma once

// The media engine on GStreamer: one playbin per loaded file, pre-rolled (decoded up to its
// first audio buffer and paused) as soon as it is loaded, so that play only lets it run.
//
// Every GStreamer call, and so everything that can wait on the sound server, runs on a worker
// object on a thread of the engine's own, in the order asked; the worker reads each pipeline's
// bus through its file descriptor and answers by signal. The window never waits on the audio
// server.

#include "player/mediaengine.h"

#include <memory>

class QThread;

namespace tesmora {

class GstEngineWorker;

class GstMediaEngine : public MediaEngine
{
    Q_OBJECT
public:
    explicit GstMediaEngine(QObject *parent = nullptr);
    ~GstMediaEngine() override;

    void load(const QString &path) override;
    void play() override;
    void stop() override;
    void setVolume(int hundredthsOfDecibel) override;

    // What is loaded now, empty when nothing is.
    QString loadedPath() const { return loadedNow; }
    // Whether the loaded file is playing: asked to play, running, and not at its end.
    bool isPlaying() const { return playing; }
    // The linear gain handed to the pipeline.
    double gain() const;

Q_SIGNALS:
    // The newest load has pre-rolled and is now the loaded file.
    void loaded(const QString &path);

private:
    std::unique_ptr<QThread> thread;
    GstEngineWorker *worker; // lives on `thread`, deleted there when it ends
    quint64 loads = 0; // the id of the newest load
    QString loadedNow;
    bool playing = false;
    int volume;
};

// The engine main() hands to the window.
std::unique_ptr<MediaEngine> makeGstMediaEngine();

} // namespace tesmora
