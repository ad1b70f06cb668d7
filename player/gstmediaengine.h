#pragma once

// The media engine on GStreamer: one playbin per loaded file, pre-rolled (decoded up to its
// first audio buffer and paused) as soon as it is loaded, so that play only lets it run.
//
// Everything that can wait on the sound server (state changes, seeks, tearing a pipeline down,
// GStreamer's own start-up) runs on one worker thread, in the order asked; the bus messages
// come back through the bus's file descriptor into the Qt event loop. The window never waits
// on the audio server.

#include "player/mediaengine.h"

#include <QObject>
#include <QThreadPool>
#include <functional>
#include <memory>

typedef struct _GstElement GstElement;

namespace tesmora {

class GstMediaEngine : public QObject, public MediaEngine
{
    Q_OBJECT
public:
    explicit GstMediaEngine(QObject *parent = nullptr);
    ~GstMediaEngine() override;

    void load(const QString &path, LoadFailed onFailure) override;
    void play() override;
    void stop() override;
    void setVolume(int hundredthsOfDecibel) override;

    // What is loaded now (empty when nothing is), and whether a load is still pending.
    QString loadedPath() const;
    bool isLoading() const { return pending != nullptr; }
    // Whether the loaded file is playing: asked to play, running, and not at its end.
    bool isPlaying() const;
    // The linear gain handed to the pipeline.
    double gain() const;
    // Whether nothing is left that could still change what the engine tells or report a
    // failure: no load pending, no task queued or running on the worker and nothing on its way
    // back from it, no failure report waiting for the event loop, and the loaded pipeline
    // neither between states nor holding messages not yet read. A playing file may still run
    // to its end afterwards.
    bool isSettled() const;

private:
    class Track;
    struct Shared;
    void arrived(quint64 id);
    void attach(quint64 id, GstElement *pipeline);
    void readBus(Track *track);
    void settle(Track *track);
    void fail(Track *track);
    void drop(Track *&track);
    void rewind(Track *track);
    // Runs `task` on the worker thread with its own reference to `element`.
    void onWorker(GstElement *element, std::function<void(GstElement *)> task);
    // Runs `task` on the worker thread. A task never touches the engine itself: only `shared`.
    void run(std::function<void()> task);

    std::shared_ptr<Shared> shared;
    std::unique_ptr<QThreadPool> worker;
    Track *current = nullptr;
    Track *pending = nullptr;
    LoadFailed pendingFailure;
    bool playWhenLoaded = false;
    quint64 loads = 0;
    int reportsDue = 0;
    int volume;
};

// The engine main() hands to the window.
std::unique_ptr<MediaEngine> makeGstMediaEngine();

} // namespace tesmora
