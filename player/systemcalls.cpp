#include "player/systemcalls.h"

#include <QHash>
#include <QObject>
#include <QSocketNotifier>
#include <QThread>
#include <dirent.h>
#include <poll.h>
#include <pthread.h>
#include <sys/eventfd.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <thread>
#include <unistd.h>

namespace tesmora {

void scanFolder(const std::string &path, FolderScan &scan)
{
    // Open and search rights as the system decides them (an unreadable folder is not empty).
    if (::access(path.c_str(), R_OK | X_OK) != 0)
        return;
    DIR *d = ::opendir(path.c_str());
    if (!d)
        return;
    while (const dirent *e = ::readdir(d)) {
        const char *raw = e->d_name;
        if (raw[0] == '.' && (!raw[1] || (raw[1] == '.' && !raw[2])))
            continue;
        FolderScan::Kind kind = e->d_type == DT_DIR ? FolderScan::Folder
            : e->d_type == DT_REG                   ? FolderScan::File
                                                    : FolderScan::Other;
        if (e->d_type == DT_LNK || e->d_type == DT_UNKNOWN) {
            // Links count as what they point to; a broken one as nothing.
            struct stat st;
            if (::fstatat(::dirfd(d), raw, &st, 0) == 0)
                kind = S_ISDIR(st.st_mode) ? FolderScan::Folder
                    : S_ISREG(st.st_mode)  ? FolderScan::File
                                           : FolderScan::Other;
        }
        scan.entries.push_back({raw, kind});
    }
    ::closedir(d);
    // A folder removed while it was read reads as empty: it is not there any more.
    struct stat st;
    scan.listed = ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void probeVolume(const std::string &root, unsigned long long device, VolumeProbe &probe)
{
    struct statvfs fs;
    struct stat st;
    const bool answers = ::statvfs(root.c_str(), &fs) == 0;
    const bool there = ::stat(root.c_str(), &st) == 0;
    probe.ready = answers && there && S_ISDIR(st.st_mode);
    probe.other = there && !S_ISDIR(st.st_mode);
    if (!probe.ready || device == 0)
        return;
    // The label is the name of the link to the volume's device among udev's labels.
    const std::string labels = "/dev/disk/by-label";
    DIR *d = ::opendir(labels.c_str());
    if (!d)
        return;
    while (const dirent *e = ::readdir(d)) {
        struct stat dev;
        if (e->d_name[0] != '.' && ::fstatat(::dirfd(d), e->d_name, &dev, 0) == 0
            && S_ISBLK(dev.st_mode) && dev.st_rdev == device) {
            probe.labelLink = e->d_name;
            break;
        }
    }
    ::closedir(d);
}

namespace {

// The newest call on each share, as the window's thread knows them.
QHash<QString, std::weak_ptr<ShareCall>> &callsByShare()
{
    static QHash<QString, std::weak_ptr<ShareCall>> calls;
    return calls;
}

} // namespace

ShareCall::ShareCall(const QString &what, std::shared_ptr<void> answer)
    : what(what), written(std::move(answer)), signal(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{ }

ShareCall::~ShareCall()
{
    if (signal >= 0)
        ::close(signal);
}

std::shared_ptr<ShareCall> ShareCall::start(const QString &share, const QString &what,
                                            std::shared_ptr<void> answer,
                                            std::function<void()> calls)
{
    auto &known = callsByShare();
    if (auto earlier = known.value(share).lock(); earlier && !earlier->answered())
        return earlier->what == what ? earlier : nullptr;
    std::shared_ptr<ShareCall> call(new ShareCall(what, std::move(answer)));
    if (call->signal < 0)
        return nullptr;
    known.insert(share, call);
    // The thread holds its own share of the call, so the answer always has a place to go.
    std::thread([call, calls = std::move(calls)] {
        // Named, so that a thread held by a share is told apart from the rest (ps, top).
        ::pthread_setname_np(::pthread_self(), "share call");
        calls();
        call->done.store(true, std::memory_order_release);
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto written = ::write(call->signal, &one, sizeof one);
    }).detach();
    return call;
}

bool ShareCall::wait(std::chrono::milliseconds patience) const
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + patience;
    while (!answered()) {
        const auto left
            = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return false;
        pollfd fd {signal, POLLIN, 0};
        ::poll(&fd, 1, int(std::min<long long>(left.count() + 1, 1000)));
    }
    return true;
}

void ShareCall::whenAnswered(const std::shared_ptr<ShareCall> &call, QObject *context,
                             std::function<void()> then)
{
    if (call->answered()) {
        QMetaObject::invokeMethod(context, std::move(then), Qt::QueuedConnection);
        return;
    }
    // The descriptor stays readable once written: the notifier goes after its first word. It
    // keeps the call, and so the descriptor, for as long as it lives.
    auto *notifier = new QSocketNotifier(call->signal, QSocketNotifier::Read, context);
    QObject::connect(notifier, &QSocketNotifier::activated, context,
                     [notifier, call, then = std::move(then)] {
                         notifier->setEnabled(false);
                         notifier->deleteLater();
                         if (call->answered()) // and so all it wrote is seen here
                             then();
                     });
}

} // namespace tesmora
