#include "player/gstmediaengine.h"

#include "player/playerrules.h"

#include <QMetaObject>
#include <QMutex>
#include <QSocketNotifier>
#include <QTimer>
#include <QUrl>
#include <gst/gst.h>
#include <map>
#include <utility>
#include <vector>

namespace tesmora {

namespace {

// playbin's flags (GstPlayFlags): audio only, with the volume applied inside the pipeline, so
// that the level does not depend on the sound server's idea of a stream volume.
constexpr int playAudio = 0x2;
constexpr int playSoftVolume = 0x10;

// How long closing the engine waits for the worker to finish what it was given (shutting the
// pipelines down). A sound server that never answers would otherwise hold the program's exit.
constexpr int closingBoundMs = 2000;

// Runs on the worker: stops a pipeline and lets go of it.
void shutDown(GstElement *pipeline)
{
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(pipeline);
}

// Lets go of a worker still stuck (on the sound server) when its engine closed. Never deleted:
// deleting it would wait for it. Its thread finishes what it was given if the server ever
// answers, and otherwise ends with the program.
void abandon(std::unique_ptr<QThreadPool> pool)
{
    static auto *const abandoned = new std::vector<std::unique_ptr<QThreadPool>>;
    abandoned->push_back(std::move(pool));
}

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

// What the worker's tasks share with the engine. It outlives the engine while a task that
// was let go at closing still runs.
struct GstMediaEngine::Shared
{
    QMutex mutex;
    GstMediaEngine *engine; // null once the engine is closing
    int outstanding = 0; // tasks queued or running, and their results not yet taken
    std::map<quint64, GstElement *> made; // pipelines made, on their way to the engine
};

GstMediaEngine::GstMediaEngine(QObject *parent)
    : QObject(parent),
      shared(std::make_shared<Shared>()),
      worker(std::make_unique<QThreadPool>()),
      volume(startVolume)
{
    shared->engine = this;
    // One thread, so that state changes and seeks run in the order they were asked for.
    worker->setMaxThreadCount(1);
}

GstMediaEngine::~GstMediaEngine()
{
    drop(pending);
    drop(current);
    std::map<quint64, GstElement *> unclaimed;
    {
        // From here on a task that makes a pipeline shuts it down itself; results already
        // posted are never delivered.
        QMutexLocker lock(&shared->mutex);
        shared->engine = nullptr;
        unclaimed.swap(shared->made);
    }
    for (const auto &[id, pipeline] : unclaimed)
        run([pipeline = pipeline] { shutDown(pipeline); });
    // Shutting down waits on the sound server. One that never answers does not hold the
    // program: after the bound the worker is let go, still running; no task touches the engine.
    if (!worker->waitForDone(closingBoundMs)) {
        qWarning("The sound server did not answer within %d ms; closing without waiting for it",
                 closingBoundMs);
        abandon(std::move(worker));
    }
}

void GstMediaEngine::run(std::function<void()> task)
{
    {
        QMutexLocker lock(&shared->mutex);
        ++shared->outstanding;
    }
    worker->start([shared = shared, task = std::move(task)] {
        task();
        QMutexLocker lock(&shared->mutex);
        --shared->outstanding;
    });
}

void GstMediaEngine::onWorker(GstElement *element, std::function<void(GstElement *)> task)
{
    gst_object_ref(element);
    run([element, task = std::move(task)] {
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
    run([shared = shared, id, uri, startGain] {
        GstElement *pipeline = makePipeline(uri, startGain);
        QMutexLocker lock(&shared->mutex);
        GstMediaEngine *engine = shared->engine;
        if (!engine) {
            lock.unlock();
            if (pipeline)
                shutDown(pipeline);
            return;
        }
        // Posted while the engine cannot be closing: its destructor waits for the lock, and
        // takes back what was made; the posted call then goes with the engine.
        if (pipeline)
            shared->made.emplace(id, pipeline);
        ++shared->outstanding;
        QMetaObject::invokeMethod(
            engine, [engine, id] { engine->arrived(id); }, Qt::QueuedConnection);
    });
}

void GstMediaEngine::arrived(quint64 id)
{
    GstElement *pipeline = nullptr;
    {
        QMutexLocker lock(&shared->mutex);
        --shared->outstanding;
        if (const auto found = shared->made.find(id); found != shared->made.end()) {
            pipeline = found->second;
            shared->made.erase(found);
        }
    }
    if (pipeline)
        attach(id, pipeline);
    else if (pending && pending->id == id)
        fail(pending); // GStreamer or its playbin cannot be had
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
    if (report) {
        ++reportsDue;
        QTimer::singleShot(0, this, [this, report = std::move(report)] {
            --reportsDue;
            report();
        });
    }
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
        run([pipeline = track->pipeline] { shutDown(pipeline); });
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

bool GstMediaEngine::isSettled() const
{
    if (pending || reportsDue > 0)
        return false;
    {
        QMutexLocker lock(&shared->mutex);
        if (shared->outstanding > 0)
            return false;
    }
    if (!current)
        return true;
    if (gst_bus_have_pending(current->bus))
        return false;
    GstState now = GST_STATE_VOID_PENDING;
    if (gst_element_get_state(current->pipeline, &now, nullptr, 0) == GST_STATE_CHANGE_ASYNC)
        return false;
    // A state reached whose message is not on the bus yet.
    return now == current->state;
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
