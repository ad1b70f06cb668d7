#include "player/gstmediaengine.h"

#include "player/playerrules.h"

#include <QDeadlineTimer>
#include <QSocketNotifier>
#include <QThread>
#include <QUrl>
#include <gst/gst.h>
#include <optional>
#include <utility>
#include <vector>

namespace tesmora {

namespace {

// playbin's flags (GstPlayFlags): audio only, with the volume applied inside the pipeline, so
// that the level does not depend on the sound server's idea of a stream volume.
constexpr int playAudio = 0x2;
constexpr int playSoftVolume = 0x10;

// How long closing the engine waits for the worker to finish (shutting the pipelines down).
// A sound server that never answers would otherwise hold the program's exit.
constexpr int closingBoundMs = 2000;

// Lets go of a GStreamer reference.
struct Unref
{
    void operator()(GstMessage *message) const { gst_message_unref(message); }
    void operator()(gpointer object) const { gst_object_unref(object); }
};
template<typename T>
using GstRef = std::unique_ptr<T, Unref>;

// GStreamer starts once, on the worker.
bool gstreamerReady()
{
    static const bool ready = gst_init_check(nullptr, nullptr, nullptr);
    return ready;
}

// Once pre-rolled. Synchronised to the clock, PulseAudio's sink (GStreamer 1.22) holds the
// first play back for as long as the pipeline stood pre-rolled: a play 4 s after loading
// sounded 4 s late. The sound server paces the stream by itself, so that sink plays
// unsynchronised; any other sink (the silent stand-in where there is no sound device) keeps
// the clock.
void playUnsynchronisedOnPulseAudio(GstElement *pipeline)
{
    GstIterator *sinks
        = gst_bin_iterate_all_by_element_factory_name(GST_BIN(pipeline), "pulsesink");
    if (!sinks)
        return;
    GValue item = G_VALUE_INIT;
    while (gst_iterator_next(sinks, &item) == GST_ITERATOR_OK) {
        g_object_set(g_value_get_object(&item), "sync", FALSE, nullptr);
        g_value_reset(&item);
    }
    g_value_unset(&item);
    gst_iterator_free(sinks);
}

// Where no sound device can be opened (the sound server is gone), playbin's sink falls back to
// a fake one, which plays in silence.
bool playsIntoFakeSink(GstElement *pipeline)
{
    GstIterator *sinks = gst_bin_iterate_all_by_element_factory_name(GST_BIN(pipeline), "fakesink");
    if (!sinks)
        return false;
    GValue item = G_VALUE_INIT;
    const bool found = gst_iterator_next(sinks, &item) == GST_ITERATOR_OK;
    g_value_unset(&item);
    gst_iterator_free(sinks);
    return found;
}

// Lets go of a worker thread still stuck (on the sound server) when its engine closed. Never
// deleted: deleting a running thread ends the program. If the server ever answers, the thread
// finishes and deletes its worker; otherwise it ends with the program.
void abandon(std::unique_ptr<QThread> thread)
{
    static auto *const abandoned = new std::vector<std::unique_ptr<QThread>>;
    abandoned->push_back(std::move(thread));
}

} // namespace

// Lives on the engine's thread and makes every GStreamer call, in the order the engine asks.
// It keeps the newest load pending until it has pre-rolled, and the loaded file beside it.
class GstEngineWorker : public QObject
{
    Q_OBJECT
public:
    explicit GstEngineWorker(double gain) : gain(gain) { }

    void load(quint64 id, const QString &path);
    void play();
    void stop();
    void setGain(double linear);

Q_SIGNALS:
    void loaded(quint64 id, const QString &path);
    void failed(quint64 id, const QString &path);
    void playingChanged(bool playing);

private:
    // A file being loaded or loaded, with a pipeline of its own, so that a file that fails to
    // load never disturbs the one loaded before it.
    struct Track
    {
        Track(quint64 id, const QString &path) : id(id), path(path) { }
        ~Track()
        {
            busReady->setEnabled(false);
            busReady->deleteLater();
            gst_element_set_state(pipeline.get(), GST_STATE_NULL);
        }
        const quint64 id;
        const QString path;
        GstRef<GstElement> pipeline;
        GstRef<GstBus> bus;
        QSocketNotifier *busReady = nullptr; // the worker's child
        GstState state = GST_STATE_NULL; // as the pipeline last told
        bool wanted = false; // asked to play and not stopped since
        bool moved = false; // may stand away from its start
        bool ended = false; // played to its end
        bool silent = false; // no sound device took it: it plays into a fake sink
    };

    void readBus(Track *track);
    void settle();
    void fail();
    void breakOff();
    void rewind(Track &track);
    void start();
    // Tells the engine whether the loaded file plays, when that changed.
    void tell();

    std::unique_ptr<Track> current;
    std::unique_ptr<Track> pending;
    // The loaded file whose pipeline failed (the sound server went away) or that played to its
    // end: the next play loads it afresh.
    std::optional<std::pair<quint64, QString>> broken;
    bool playWhenLoaded = false;
    bool playing = false;
    double gain;
};

void GstEngineWorker::load(quint64 id, const QString &path)
{
    // A pending load that is superseded reports nothing.
    pending.reset();
    playWhenLoaded = false;
    GstElement *made = gstreamerReady() ? gst_element_factory_make("playbin", nullptr) : nullptr;
    if (!made) {
        Q_EMIT failed(id, path);
        return;
    }
    auto track = std::make_unique<Track>(id, path);
    track->pipeline.reset(GST_ELEMENT(gst_object_ref_sink(made)));
    g_object_set(track->pipeline.get(), "uri", QUrl::fromLocalFile(path).toEncoded().constData(),
                 "flags", playAudio | playSoftVolume, "volume", gain, nullptr);
    track->bus.reset(gst_element_get_bus(track->pipeline.get()));
    // The descriptor stays readable while messages wait on the bus.
    GPollFD fd;
    gst_bus_get_pollfd(track->bus.get(), &fd);
    track->busReady = new QSocketNotifier(fd.fd, QSocketNotifier::Read, this);
    connect(track->busReady, &QSocketNotifier::activated, this,
            [this, t = track.get()] { readBus(t); });
    pending = std::move(track);
    // Decodes up to the first audio buffer and holds it: play then only has to let it run.
    gst_element_set_state(pending->pipeline.get(), GST_STATE_PAUSED);
}

void GstEngineWorker::readBus(Track *track)
{
    // A message may drop the track itself (a failed load, or a newer one that has loaded).
    while (track == pending.get() || track == current.get()) {
        const std::unique_ptr<GstMessage, Unref> message(gst_bus_pop(track->bus.get()));
        if (!message)
            return;
        switch (GST_MESSAGE_TYPE(message.get())) {
        case GST_MESSAGE_ERROR:
            if (track == pending.get()) {
                fail();
            } else {
                GError *error = nullptr;
                gst_message_parse_error(message.get(), &error, nullptr);
                qWarning("Playing %s failed: %s", qPrintable(track->path),
                         error ? error->message : "unknown error");
                g_clear_error(&error);
                breakOff();
            }
            break;
        case GST_MESSAGE_STATE_CHANGED:
            if (GST_MESSAGE_SRC(message.get()) == GST_OBJECT(track->pipeline.get())) {
                GstState old, now;
                gst_message_parse_state_changed(message.get(), &old, &now, nullptr);
                track->state = now;
                // Paused with its first buffer decoded: loaded.
                if (track == pending.get() && now == GST_STATE_PAUSED)
                    settle();
            }
            break;
        case GST_MESSAGE_EOS:
            // The sink may still be sounding what it holds: the next play reads it afresh.
            if (track == current.get()) {
                track->wanted = false;
                track->ended = true;
            }
            break;
        default:
            break;
        }
        tell();
    }
}

void GstEngineWorker::settle()
{
    // The file loaded before stops and goes.
    current = std::move(pending);
    broken.reset();
    current->silent = playsIntoFakeSink(current->pipeline.get());
    playUnsynchronisedOnPulseAudio(current->pipeline.get());
    tell();
    Q_EMIT loaded(current->id, current->path);
    if (std::exchange(playWhenLoaded, false))
        start();
}

void GstEngineWorker::fail()
{
    const quint64 id = pending->id;
    const QString path = pending->path;
    pending.reset();
    playWhenLoaded = false;
    Q_EMIT failed(id, path);
}

void GstEngineWorker::breakOff()
{
    // The failed pipeline goes at once: it holds on to its connection to the sound server,
    // which every new pipeline would share, dead, for as long as it lives.
    broken.emplace(current->id, current->path);
    current.reset();
    tell();
    Q_EMIT failed(broken->first, broken->second);
}

void GstEngineWorker::rewind(Track &track)
{
    track.moved = false;
    track.ended = false;
    gst_element_set_state(track.pipeline.get(), GST_STATE_PAUSED);
    // A flushing seek pre-rolls again from the start.
    gst_element_seek_simple(track.pipeline.get(), GST_FORMAT_TIME,
                            GstSeekFlags(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_KEY_UNIT), 0);
}

void GstEngineWorker::play()
{
    if (pending) {
        playWhenLoaded = true;
        return;
    }
    // Read afresh: a file that played to its end, since it may have been cut short or removed
    // while it played, which the decoder takes for an early end; and one that was loaded with
    // no sound device to play to, since the sound server may be back.
    if (current && (current->ended || (current->silent && !current->wanted))) {
        broken.emplace(current->id, current->path);
        current.reset();
    }
    if (!current) {
        if (broken) {
            load(broken->first, broken->second);
            playWhenLoaded = true;
        }
        return;
    }
    start();
}

void GstEngineWorker::start()
{
    current->wanted = true;
    current->moved = true;
    gst_element_set_state(current->pipeline.get(), GST_STATE_PLAYING);
    tell();
}

void GstEngineWorker::stop()
{
    playWhenLoaded = false;
    // A file that played to its end is read afresh by the next play anyway.
    if (!current || !current->moved || current->ended)
        return;
    current->wanted = false;
    rewind(*current);
    tell();
}

void GstEngineWorker::setGain(double linear)
{
    gain = linear;
    for (const auto *track : {current.get(), pending.get()})
        if (track)
            g_object_set(track->pipeline.get(), "volume", gain, nullptr);
}

void GstEngineWorker::tell()
{
    const bool now = current && current->wanted && current->state == GST_STATE_PLAYING;
    if (std::exchange(playing, now) != now)
        Q_EMIT playingChanged(now);
}

GstMediaEngine::GstMediaEngine(QObject *parent)
    : MediaEngine(parent),
      thread(std::make_unique<QThread>()),
      worker(new GstEngineWorker(gainForVolume(startVolume))),
      volume(startVolume)
{
    worker->moveToThread(thread.get());
    // Deleted on its own thread as that ends, shutting its pipelines down.
    connect(thread.get(), &QThread::finished, worker, &QObject::deleteLater);
    // Answers come through the event loop; one for a load that is no longer the newest drops.
    connect(worker, &GstEngineWorker::loaded, this, [this](quint64 id, const QString &path) {
        loadedNow = path;
        if (id == loads)
            Q_EMIT loaded(path);
    });
    connect(worker, &GstEngineWorker::failed, this, [this](quint64 id, const QString &path) {
        if (id == loads)
            Q_EMIT failed(path);
    });
    connect(worker, &GstEngineWorker::playingChanged, this, [this](bool now) { playing = now; });
    thread->start();
}

GstMediaEngine::~GstMediaEngine()
{
    // Shutting down waits on the sound server. One that never answers does not hold the
    // program: after the bound the thread is let go, still running; it never touches the
    // engine.
    thread->quit();
    if (!thread->wait(QDeadlineTimer(closingBoundMs))) {
        qWarning("The sound server did not answer within %d ms; closing without waiting for it",
                 closingBoundMs);
        abandon(std::move(thread));
    }
}

void GstMediaEngine::load(const QString &path)
{
    QMetaObject::invokeMethod(
        worker, [w = worker, id = ++loads, path] { w->load(id, path); }, Qt::QueuedConnection);
}

void GstMediaEngine::play()
{
    QMetaObject::invokeMethod(worker, &GstEngineWorker::play, Qt::QueuedConnection);
}

void GstMediaEngine::stop()
{
    QMetaObject::invokeMethod(worker, &GstEngineWorker::stop, Qt::QueuedConnection);
}

void GstMediaEngine::setVolume(int hundredthsOfDecibel)
{
    volume = hundredthsOfDecibel;
    QMetaObject::invokeMethod(
        worker, [w = worker, linear = gain()] { w->setGain(linear); }, Qt::QueuedConnection);
}

double GstMediaEngine::gain() const
{
    return gainForVolume(volume);
}

std::unique_ptr<MediaEngine> makeGstMediaEngine()
{
    return std::make_unique<GstMediaEngine>();
}

} // namespace tesmora

#include "gstmediaengine.moc"
