#include "player/gstmediaengine.h"

#include "player/playerrules.h"

#include <QMetaObject>
#include <QSocketNotifier>
#include <QTimer>
#include <QUrl>
#include <gst/gst.h>
#include <utility>

namespace tesmora {

namespace {

// playbin's flags (GstPlayFlags): audio only, with the volume applied inside the pipeline, so
// that the level does not depend on the sound server's idea of a stream volume.
constexpr int playAudio = 0x2;
constexpr int playSoftVolume = 0x10;

// A pipeline made on the worker on its way to the window's thread. If it never arrives (the
// engine went away first) it is shut down here.
class PipelineRef
{
public:
    explicit PipelineRef(GstElement *pipeline) : pipeline(pipeline) { }
    ~PipelineRef()
    {
        if (pipeline) {
            gst_element_set_state(pipeline, GST_STATE_NULL);
            gst_object_unref(pipeline);
        }
    }
    PipelineRef(const PipelineRef &) = delete;
    PipelineRef &operator=(const PipelineRef &) = delete;
    GstElement *release() { return std::exchange(pipeline, nullptr); }

private:
    GstElement *pipeline;
};

// Runs on the worker: makes a playbin for `uri` and starts pre-rolling it. Null if GStreamer
// or its playbin cannot be had.
GstElement *makePipeline(const QByteArray &uri, double gain)
{
    if (!gst_init_check(nullptr, nullptr, nullptr))
        return nullptr;
    GstElement *pipeline = gst_element_factory_make("playbin", nullptr);
    if (!pipeline)
        return nullptr;
    gst_object_ref_sink(pipeline);
    g_object_set(pipeline, "uri", uri.constData(), "flags", playAudio | playSoftVolume, "volume",
                 gain, nullptr);
    // Decodes up to the first audio buffer and holds it: play then only has to let it run.
    gst_element_set_state(pipeline, GST_STATE_PAUSED);
    return pipeline;
}

// Runs on the worker, once pre-rolled. Synchronised to the clock, PulseAudio's sink (GStreamer
// 1.22) holds the first play back for as long as the pipeline stood pre-rolled: a play 4 s after
// loading sounded 4 s late. The sound server paces the stream by itself, so that sink plays
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

} // namespace

// A file being loaded or loaded, with a pipeline of its own, so that a file that fails to
// load never disturbs the one loaded before it.
class GstMediaEngine::Track
{
public:
    Track(const QString &path, quint64 id) : path(path), id(id) { }
    const QString path;
    const quint64 id;
    GstElement *pipeline = nullptr; // set once the worker has made it
    GstBus *bus = nullptr;
    QSocketNotifier *busReady = nullptr;
    GstState state = GST_STATE_NULL; // as the pipeline last told
    bool wanted = false; // asked to play and not stopped since
    bool moved = false; // may stand away from its start
    bool ended = false; // played to its end, and not rewound since
};

GstMediaEngine::GstMediaEngine(QObject *parent) : QObject(parent), volume(startVolume)
{
    // One thread, so that state changes and seeks run in the order they were asked for.
    worker.setMaxThreadCount(1);
}

GstMediaEngine::~GstMediaEngine()
{
    drop(pending);
    drop(current);
    worker.waitForDone();
}

void GstMediaEngine::onWorker(GstElement *element, std::function<void(GstElement *)> task)
{
    gst_object_ref(element);
    worker.start([element, task = std::move(task)] {
        task(element);
        gst_object_unref(element);
    });
}

void GstMediaEngine::load(const QString &path, LoadFailed onFailure)
{
    drop(pending);
    pending = new Track(path, ++loads);
    pendingFailure = std::move(onFailure);
    playWhenLoaded = false;
    const quint64 id = pending->id;
    const QByteArray uri = QUrl::fromLocalFile(path).toEncoded();
    const double startGain = gain();
    worker.start([this, id, uri, startGain] {
        GstElement *pipeline = makePipeline(uri, startGain);
        if (!pipeline) {
            QMetaObject::invokeMethod(
                this,
                [this, id] {
                    if (pending && pending->id == id)
                        fail(pending);
                },
                Qt::QueuedConnection);
            return;
        }
        auto made = std::make_shared<PipelineRef>(pipeline);
        QMetaObject::invokeMethod(
            this, [this, id, made] { attach(id, made->release()); }, Qt::QueuedConnection);
    });
}

void GstMediaEngine::attach(quint64 id, GstElement *pipeline)
{
    if (!pending || pending->id != id) {
        // Superseded while it was being made.
        onWorker(pipeline, [](GstElement *p) { gst_element_set_state(p, GST_STATE_NULL); });
        gst_object_unref(pipeline);
        return;
    }
    Track *track = pending;
    track->pipeline = pipeline;
    // The volume may have moved while the pipeline was being made.
    g_object_set(pipeline, "volume", gain(), nullptr);
    track->bus = gst_element_get_bus(pipeline);
    GPollFD fd;
    gst_bus_get_pollfd(track->bus, &fd);
    // The descriptor stays readable while messages wait on the bus, also those posted before
    // this point.
    track->busReady = new QSocketNotifier(fd.fd, QSocketNotifier::Read, this);
    connect(track->busReady, &QSocketNotifier::activated, this, [this, track] { readBus(track); });
}

void GstMediaEngine::readBus(Track *track)
{
    // A message may drop the track itself (a failed load, or a newer one that has loaded).
    while (track == pending || track == current) {
        GstMessage *message = gst_bus_pop(track->bus);
        if (!message)
            return;
        switch (GST_MESSAGE_TYPE(message)) {
        case GST_MESSAGE_ERROR:
            if (track == pending) {
                fail(track);
            } else {
                GError *error = nullptr;
                gst_message_parse_error(message, &error, nullptr);
                qWarning("Playing %s failed: %s", qPrintable(track->path),
                         error ? error->message : "unknown error");
                g_clear_error(&error);
                track->wanted = false;
            }
            break;
        case GST_MESSAGE_STATE_CHANGED:
            if (GST_MESSAGE_SRC(message) == GST_OBJECT(track->pipeline)) {
                GstState old, now;
                gst_message_parse_state_changed(message, &old, &now, nullptr);
                track->state = now;
                // Paused with its first buffer decoded: loaded.
                if (track == pending && now == GST_STATE_PAUSED)
                    settle(track);
            }
            break;
        case GST_MESSAGE_EOS:
            // The sink may still be sounding what it holds: the next play rewinds first.
            if (track == current) {
                track->wanted = false;
                track->ended = true;
            }
            break;
        default:
            break;
        }
        gst_message_unref(message);
    }
}

void GstMediaEngine::settle(Track *track)
{
    drop(current);
    current = track;
    pending = nullptr;
    pendingFailure = {};
    onWorker(track->pipeline, playUnsynchronisedOnPulseAudio);
    if (std::exchange(playWhenLoaded, false))
        play();
}

void GstMediaEngine::fail(Track *track)
{
    if (track != pending)
        return;
    auto report = std::move(pendingFailure);
    pendingFailure = {};
    playWhenLoaded = false;
    drop(pending);
    // Reported from the event loop on its own, so that the caller's message box never runs
    // inside load() or while the bus is being read.
    if (report)
        QTimer::singleShot(0, this, std::move(report));
}

void GstMediaEngine::drop(Track *&track)
{
    if (!track)
        return;
    if (track->busReady) {
        track->busReady->setEnabled(false);
        track->busReady->deleteLater();
    }
    if (track->bus)
        gst_object_unref(track->bus);
    if (track->pipeline) {
        // Shutting down may wait on the sound server: not on this thread.
        GstElement *pipeline = track->pipeline;
        worker.start([pipeline] {
            gst_element_set_state(pipeline, GST_STATE_NULL);
            gst_object_unref(pipeline);
        });
    }
    delete track;
    track = nullptr;
}

void GstMediaEngine::rewind(Track *track)
{
    track->moved = false;
    track->ended = false;
    onWorker(track->pipeline, [](GstElement *p) {
        gst_element_set_state(p, GST_STATE_PAUSED);
        // A flushing seek pre-rolls again from the start.
        gst_element_seek_simple(p, GST_FORMAT_TIME,
                                GstSeekFlags(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_KEY_UNIT), 0);
    });
}

void GstMediaEngine::play()
{
    if (pending) {
        playWhenLoaded = true;
        return;
    }
    if (!current)
        return;
    if (current->ended)
        rewind(current);
    current->wanted = true;
    current->moved = true;
    onWorker(current->pipeline, [](GstElement *p) { gst_element_set_state(p, GST_STATE_PLAYING); });
}

void GstMediaEngine::stop()
{
    playWhenLoaded = false;
    if (!current || !current->moved)
        return;
    current->wanted = false;
    rewind(current);
}

void GstMediaEngine::setVolume(int hundredthsOfDecibel)
{
    volume = hundredthsOfDecibel;
    for (Track *track : {current, pending})
        if (track && track->pipeline)
            g_object_set(track->pipeline, "volume", gain(), nullptr);
}

QString GstMediaEngine::loadedPath() const
{
    return current ? current->path : QString();
}

bool GstMediaEngine::isPlaying() const
{
    return current && current->wanted && current->state == GST_STATE_PLAYING;
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
