#include "player/threadedmediaengine.h"

#include <QCoreApplication>
#include <QThread>

namespace tesmora {

namespace {
// How long closing waits for an engine thread that is busy in the audio system.
constexpr unsigned long closingWaitMs = 3000;
} // namespace

ThreadedMediaEngine::ThreadedMediaEngine(Factory make)
    : thread(new QThread),
      home(new QObject),
      engine(std::make_shared<std::unique_ptr<MediaEngine>>()),
      alive(std::make_shared<bool>(true))
{
    thread->setObjectName(QStringLiteral("media engine"));
    home->moveToThread(thread);
    // The thread's objects go with the thread's end, on the thread itself.
    QObject::connect(thread, &QThread::finished, home, &QObject::deleteLater);
    thread->start();
    post([engine = engine, make = std::move(make)] { *engine = make(); });
}

ThreadedMediaEngine::~ThreadedMediaEngine()
{
    // The engine is destroyed on its own thread, after every call queued before, and the thread
    // ends after that.
    *alive = false;
    post([engine = engine] {
        engine->reset();
        QThread::currentThread()->quit();
    });
    if (thread->wait(closingWaitMs))
        delete thread;
    else
        // Still waiting on the audio system: it finishes on its own; the thread object stays
        // behind so that it is never destroyed while it runs.
        QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
}

template<class F>
void ThreadedMediaEngine::post(F &&call)
{
    QMetaObject::invokeMethod(home, std::forward<F>(call), Qt::QueuedConnection);
}

void ThreadedMediaEngine::load(const QString &path, LoadFailed onFailure)
{
    // The failure hops back to the application's thread; once this object is gone, it is
    // dropped there. `alive` is only ever touched on that thread.
    post([engine = engine, path, alive = alive, onFailure = std::move(onFailure)] {
        if (!*engine)
            return;
        (*engine)->load(path, [alive, onFailure] {
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [alive, onFailure] {
                    if (*alive && onFailure)
                        onFailure();
                },
                Qt::QueuedConnection);
        });
    });
}

void ThreadedMediaEngine::play()
{
    post([engine = engine] {
        if (*engine)
            (*engine)->play();
    });
}

void ThreadedMediaEngine::stop()
{
    post([engine = engine] {
        if (*engine)
            (*engine)->stop();
    });
}

void ThreadedMediaEngine::setVolume(int hundredthsOfDecibel)
{
    post([engine = engine, hundredthsOfDecibel] {
        if (*engine)
            (*engine)->setVolume(hundredthsOfDecibel);
    });
}

} // namespace tesmora
