#include "player/folderreading.h"

#include "player/playerrules.h"
#include "player/systemcalls.h"

#include <QFile>
#include <QRegularExpression>
#include <QThreadPool>
#include <QWidget>
#include <algorithm>
#include <condition_variable>
#include <mutex>

namespace tesmora {

std::optional<QStringList> namesOf(const FolderScan &scan, QDir::Filters filters,
                                   const QStringList &patterns)
{
    if (!scan.listed)
        return std::nullopt;
    QList<QRegularExpression> matchers;
    for (const QString &p : patterns)
        matchers.append(QRegularExpression(QRegularExpression::wildcardToRegularExpression(p),
                                           QRegularExpression::CaseInsensitiveOption));
    QStringList names;
    for (const FolderScan::Entry &e : scan.entries) {
        if (e.name.front() == '.' && !(filters & QDir::Hidden))
            continue;
        if (!(e.kind == FolderScan::Folder && (filters & QDir::Dirs))
            && !(e.kind == FolderScan::File && (filters & QDir::Files)))
            continue;
        const QByteArray raw = QByteArray::fromRawData(e.name.data(), qsizetype(e.name.size()));
        QString name = QFile::decodeName(raw);
        // A name that does not survive decoding (not valid in the locale's encoding) could
        // not be opened again by it: left out, as QDir leaves it out.
        if (QFile::encodeName(name) != raw)
            continue;
        if (matchers.isEmpty()
            || std::any_of(matchers.cbegin(), matchers.cend(),
                           [&](const auto &m) { return m.match(name).hasMatch(); }))
            names.append(std::move(name));
    }
    sortNames(names);
    return names;
}

QList<Mount> mountTable()
{
    QFile table(QStringLiteral("/proc/self/mountinfo"));
    return table.open(QIODevice::ReadOnly) ? parseMountInfo(table.readAll()) : QList<Mount>();
}

QString shareOf(const QString &path)
{
    QStringList roots;
    for (const Mount &m : mountTable())
        roots.append(m.rootPath);
    const qsizetype holder = holderOf(roots, path);
    return holder >= 0 ? roots[holder] : QStringLiteral("/");
}

// What the names' maker and the owner share. The maker runs on Qt's thread pool, which the
// application waits for as it ends; it touches the owner only under the lock, while the owner
// still wants the answer.
struct FolderReader::Request
{
    std::mutex lock;
    std::condition_variable answered;
    bool finished = false;
    FolderReader *waiting = nullptr; // the owner, once it stopped waiting; null when it gave up
    std::optional<QStringList> result;

    // Makes the names of `scan` on the pool.
    static void make(const std::shared_ptr<Request> &request,
                     const std::shared_ptr<const FolderScan> &scan, QDir::Filters filters,
                     const QStringList &patterns)
    {
        QThreadPool::globalInstance()->start([request, scan, filters, patterns] {
            std::optional<QStringList> names = namesOf(*scan, filters, patterns);
            const std::lock_guard hold(request->lock);
            request->result = std::move(names);
            request->finished = true;
            if (FolderReader *owner = request->waiting) {
                // Posted under the lock, so the owner cannot be destroyed in between; an event
                // for an owner destroyed later is dropped by Qt.
                QMetaObject::invokeMethod(
                    owner, [owner, request] { owner->deliver(request); }, Qt::QueuedConnection);
            }
            request->answered.notify_all();
        });
    }
};

FolderReader::FolderReader(QObject *parent) : QObject(parent) { }

FolderReader::~FolderReader()
{
    abandon();
}

void FolderReader::abandon()
{
    if (!pending)
        return;
    {
        const std::lock_guard hold(pending->lock);
        pending->waiting = nullptr;
    }
    pending.reset();
    pendingDone = nullptr;
}

bool FolderReader::read(const QString &folder, QDir::Filters filters, const QStringList &patterns,
                        Done done)
{
    const bool wasReading = isReading();
    abandon();
    const auto deadline = std::chrono::steady_clock::now() + allowed;

    auto fresh = std::make_shared<FolderScan>();
    const auto call = ShareCall::start(
        shareOf(folder), folder, fresh,
        [fresh, path = QFile::encodeName(folder).toStdString()] { scanFolder(path, *fresh); });
    const std::shared_ptr<const FolderScan> scan = call ? call->answer<FolderScan>() : fresh;
    auto request = std::make_shared<Request>();
    if (!call) {
        // The share still hangs on an earlier call: it cannot be read now.
        request->finished = true;
    } else if (call->wait(allowed)) {
        Request::make(request, scan, filters, patterns);
    } else {
        ShareCall::whenAnswered(call, this, [this, request, scan, filters, patterns] {
            if (request == pending) // else the user has moved on
                Request::make(request, scan, filters, patterns);
        });
    }

    std::unique_lock wait(request->lock);
    if (request->answered.wait_until(wait, deadline, [&] { return request->finished; })) {
        std::optional<QStringList> result = std::move(request->result);
        wait.unlock();
        if (wasReading)
            Q_EMIT readingChanged(false);
        done(std::move(result));
        return true;
    }
    request->waiting = this;
    wait.unlock();
    pending = std::move(request);
    pendingDone = std::move(done);
    if (!wasReading)
        Q_EMIT readingChanged(true);
    return false;
}

void FolderReader::deliver(const std::shared_ptr<Request> &request)
{
    if (request != pending)
        return;
    std::optional<QStringList> result;
    {
        const std::lock_guard hold(request->lock);
        result = std::move(request->result);
        request->waiting = nullptr;
    }
    Done done = std::move(pendingDone);
    pending.reset();
    pendingDone = nullptr;
    Q_EMIT readingChanged(false);
    done(std::move(result));
}

void showBusyWhileReading(FolderReader *reader, QWidget *widget)
{
    QObject::connect(reader, &FolderReader::readingChanged, widget, [widget](bool reading) {
        if (reading)
            widget->setCursor(Qt::BusyCursor);
        else
            widget->unsetCursor();
    });
}

} // namespace tesmora
