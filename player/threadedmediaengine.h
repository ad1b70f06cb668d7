#pragma once

// A media engine that runs on a thread of its own. Opening the audio output can wait a long
// time on an audio server that is slow or never answers; on its own thread that waiting holds
// up the music, never the window.

#include "player/mediaengine.h"

#include <QObject>
#include <functional>
#include <memory>

class QThread;

namespace tesmora {

class ThreadedMediaEngine : public MediaEngine
{
public:
    using Factory = std::function<std::unique_ptr<MediaEngine>()>;

    // `make` runs on the engine's thread, as does everything the engine does. Calls are queued
    // to it in order; a load's failure is told on the application's thread, from its event
    // loop, and never after this object is gone.
    explicit ThreadedMediaEngine(Factory make);
    // Ends the engine and its thread; a thread still stuck in the audio system is left to finish
    // on its own rather than holding up the caller.
    ~ThreadedMediaEngine() override;

    void load(const QString &path, LoadFailed onFailure) override;
    void play() override;
    void stop() override;
    void setVolume(int hundredthsOfDecibel) override;

private:
    template<class F>
    void post(F &&call);

    QThread *thread;
    QObject *home; // lives on the engine's thread, and holds the engine
    std::shared_ptr<std::unique_ptr<MediaEngine>> engine;
    std::shared_ptr<bool> alive; // whether failures are still wanted
};

} // namespace tesmora
