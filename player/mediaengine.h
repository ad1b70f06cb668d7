#pragma once

// The music player's audio engine, as the handlers see it. main() hands in the GStreamer
// engine (player/gstmediaengine.h); tests hand in a recording fake.

#include <QString>
#include <functional>

namespace tesmora {

class MediaEngine
{
public:
    using LoadFailed = std::function<void()>;

    virtual ~MediaEngine() = default;

    // Loads the file at the full path `path` without starting it. If it cannot be loaded,
    // `onFailure` is called exactly once, always later from the event loop (never from inside
    // load()), and whatever was loaded before stays loaded and goes on as it was. A newer load
    // supersedes one still pending: the older one then reports nothing. Loading the same path
    // again reads the file again.
    virtual void load(const QString &path, LoadFailed onFailure) = 0;
    // Starts the loaded file, or the pending one as soon as it has loaded. Nothing loaded:
    // nothing happens.
    virtual void play() = 0;
    // Stops playback and rewinds; nothing happens when nothing plays.
    virtual void stop() = 0;
    // Volume in hundredths of a decibel, 0 for full level; larger (less negative) is louder.
    virtual void setVolume(int hundredthsOfDecibel) = 0;
};

} // namespace tesmora
