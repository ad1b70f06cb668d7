#pragma once

// The music player's audio engine, as the handlers see it. main() hands in the GStreamer
// engine (player/gstmediaengine.h); tests hand in a recording fake.

#include <QObject>
#include <QString>

namespace tesmora {

class MediaEngine : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Loads the file at the full path `path` without starting it; loading the same path again
    // reads the file again. Only the newest load counts: one that fails while still the newest
    // emits failed later, and whatever was loaded before stays loaded and goes on as it was.
    virtual void load(const QString &path) = 0;
    // Starts the loaded file, or the pending one as soon as it has loaded. A loaded file that
    // failed is loaded afresh and started.
    virtual void play() = 0;
    // Stops playback and rewinds; also cancels a play asked for a pending load.
    virtual void stop() = 0;
    // Volume in hundredths of a decibel, 0 for full level; larger (less negative) is louder.
    virtual void setVolume(int hundredthsOfDecibel) = 0;

Q_SIGNALS:
    // The file at `path` cannot be played: the newest load failed, or the loaded file failed
    // while it was loaded or playing. Once a failure, from the event loop, never from inside a
    // call.
    void failed(const QString &path);
};

} // namespace tesmora
