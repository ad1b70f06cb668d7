#include "player/folderreading.h"

#include "player/playerrules.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QWidget>
#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <dirent.h>
#include <mutex>
#include <sys/stat.h>
#include <thread>

namespace tesmora {

namespace {

// QDir reads an unreadable folder as an empty one; ask the system itself.
bool canOpen(const QString &folder)
{
    DIR *d = ::opendir(QFile::encodeName(folder).constData());
    if (!d)
        return false;
    ::closedir(d);
    return QFileInfo(folder).isExecutable();
}

} // namespace

std::optional<QStringList> readFolder(const QString &folder, QDir::Filters filters,
                                      const QStringList &patterns)
{
    if (!canOpen(folder))
        return std::nullopt;
    // The entries straight from the system, as a folder of a hundred thousand files needs: QDir
    // would make and keep a QFileInfo of each, tens of megabytes, before filtering them.
    DIR *d = ::opendir(QFile::encodeName(folder).constData());
    if (!d)
        return std::nullopt;
    QList<QRegularExpression> matchers;
    for (const QString &p : patterns)
        matchers.append(QRegularExpression(QRegularExpression::wildcardToRegularExpression(p),
                                           QRegularExpression::CaseInsensitiveOption));
    QStringList names;
    while (const dirent *e = ::readdir(d)) {
        const char *raw = e->d_name;
        if (raw[0] == '.' && (!(filters & QDir::Hidden) || !raw[1] || !std::strcmp(raw, "..")))
            continue;
        bool isDir = e->d_type == DT_DIR, isFile = e->d_type == DT_REG;
        if (e->d_type == DT_LNK || e->d_type == DT_UNKNOWN) {
            // Links count as what they point to; a broken one, a pipe or a device as nothing.
            struct stat st;
            if (::fstatat(::dirfd(d), raw, &st, 0) != 0)
                continue;
            isDir = S_ISDIR(st.st_mode);
            isFile = S_ISREG(st.st_mode);
        }
        if (!(isDir && (filters & QDir::Dirs)) && !(isFile && (filters & QDir::Files)))
            continue;
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
    ::closedir(d);
    if (!QFileInfo(folder).isDir())
        return std::nullopt;
    sortNames(names);
    return names;
}

// What the reading thread and the owner share. The thread may outlive the owner (a share that
// never answers keeps it in the kernel until the program ends), so it never touches the owner
// except under the lock, while the owner still wants the answer.
struct FolderReader::Request
{
    std::mutex lock;
    std::condition_variable answered;
    bool finished = false;
    FolderReader *waiting = nullptr; // the owner, once it stopped waiting; null when it gave up
    std::optional<QStringList> result;
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

    auto request = std::make_shared<Request>();
    std::thread([request, folder, filters, patterns] {
        std::optional<QStringList> result = readFolder(folder, filters, patterns);
        const std::lock_guard hold(request->lock);
        request->result = std::move(result);
        request->finished = true;
        if (FolderReader *owner = request->waiting) {
            // Posted under the lock, so the owner cannot be destroyed in between; an event for
            // an owner destroyed later is dropped by Qt.
            QMetaObject::invokeMethod(
                owner, [owner, request] { owner->deliver(request); }, Qt::QueuedConnection);
        }
        request->answered.notify_all();
    }).detach();

    std::unique_lock wait(request->lock);
    if (request->answered.wait_for(wait, allowed, [&] { return request->finished; })) {
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
