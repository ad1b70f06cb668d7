#include "player/systemcalls.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace tesmora {

Job::Job() : signal(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) { }

Job::~Job()
{
    if (signal >= 0)
        ::close(signal);
}

void Job::run()
{
    work();
    finish();
}

void Job::heard()
{
    lastHeard.store(std::chrono::steady_clock::now().time_since_epoch().count(),
                    std::memory_order_relaxed);
}

std::chrono::milliseconds Job::silence() const
{
    using namespace std::chrono;
    const steady_clock::duration last(lastHeard.load(std::memory_order_relaxed));
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch() - last);
}

void Job::fail()
{
    finish();
}

void Job::finish()
{
    done.store(true, std::memory_order_release);
    if (signal >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto written = ::write(signal, &one, sizeof one);
    }
}

bool Job::waitUntil(std::chrono::steady_clock::time_point deadline) const
{
    using namespace std::chrono;
    while (!isDone()) {
        const auto left = duration_cast<milliseconds>(deadline - steady_clock::now()).count();
        if (left <= 0 || signal < 0)
            return isDone();
        pollfd fd {signal, POLLIN, 0};
        ::poll(&fd, 1, int(std::min<long long>(left + 1, 1000)));
    }
    return true;
}

std::string holderAmong(const MountPoints &roots, const std::string &path)
{
    const std::string *best = nullptr;
    for (const std::string &r : roots) {
        const bool holds = path == r || r == "/"
            || (path.size() > r.size() && path.compare(0, r.size(), r) == 0
                && path[r.size()] == '/');
        if (holds && (!best || r.size() > best->size()))
            best = &r;
    }
    return best ? *best : std::string("/");
}

namespace {

// Where a path leads on one share.
struct Walk
{
    std::string path; // links followed; on the share unless `elsewhere`
    bool elsewhere = false; // it leads off the share: `path` is as far as the share could say
    int error = 0;
};

// Follows `rest` (a path relative to `from`, or absolute) from `from`, a folder on `share` whose
// path holds no link, component by component, as long as it stays on `share`. A component is
// looked at only once the mount points say it is on `share`: a link into a share that hangs
// never holds this one.
Walk walk(std::string from, const std::string &rest, const std::string &share,
          const MountPoints &roots)
{
    Walk w;
    int links = 40; // the kernel's own limit
    std::vector<std::string> todo; // what is left, last first
    const auto push = [&todo](const std::string &p) {
        std::vector<std::string> parts;
        for (std::size_t at = 0; at <= p.size();) {
            std::size_t end = p.find('/', at);
            if (end == std::string::npos)
                end = p.size();
            if (end > at)
                parts.push_back(p.substr(at, end - at));
            at = end + 1;
        }
        todo.insert(todo.end(), parts.rbegin(), parts.rend());
    };
    if (!rest.empty() && rest.front() == '/')
        from = "/";
    push(rest);
    std::string done = std::move(from);
    while (!todo.empty()) {
        std::string part = std::move(todo.back());
        todo.pop_back();
        if (part == ".")
            continue;
        if (part == "..") {
            const std::size_t slash = done.rfind('/');
            done.resize(slash == 0 ? 1 : slash);
            continue;
        }
        std::string next = done == "/" ? "/" + part : done + "/" + part;
        if (holderAmong(roots, next) != share) {
            for (auto it = todo.rbegin(); it != todo.rend(); ++it)
                next += "/" + *it;
            w.path = std::move(next);
            w.elsewhere = true;
            return w;
        }
        struct stat st;
        if (::lstat(next.c_str(), &st) != 0) {
            w.error = errno;
            return w;
        }
        if (S_ISLNK(st.st_mode)) {
            std::string target(PATH_MAX, '\0');
            const ssize_t length = ::readlink(next.c_str(), target.data(), target.size());
            if (length < 0 || --links < 0) {
                w.error = length < 0 ? errno : ELOOP;
                return w;
            }
            target.resize(std::size_t(length));
            if (!target.empty() && target.front() == '/')
                done = "/";
            push(target);
            continue;
        }
        done = std::move(next);
    }
    w.elsewhere = holderAmong(roots, done) != share;
    w.path = std::move(done);
    return w;
}

// `path` from the root `share` that holds it on, as a path relative to it.
std::string below(const std::string &share, const std::string &path)
{
    const std::size_t from = share == "/" ? 1 : share.size() + 1;
    return path.size() > from ? path.substr(from) : std::string();
}

// Errors that say an entry leads nowhere (a broken link, a folder closed to the user), as
// against a share that failed to answer.
bool leadsNowhere(int error)
{
    return error == ENOENT || error == ENOTDIR || error == ELOOP || error == EACCES
        || error == ENAMETOOLONG;
}

FolderScan::Kind kindOfMode(mode_t mode)
{
    return S_ISDIR(mode) ? FolderScan::Folder
        : S_ISREG(mode)  ? FolderScan::File
                         : FolderScan::Other;
}

// What the walk `w` arrived at is; the error of a share that failed to answer, else 0.
int kindOf(const Walk &w, const MountPoints &roots, FolderScan::Kind &kind)
{
    kind = FolderScan::Other;
    if (w.error)
        return leadsNowhere(w.error) ? 0 : w.error;
    if (w.elsewhere) {
        // A mount point is a folder; what lies beyond one only its own share can tell.
        kind = holderAmong(roots, w.path) == w.path ? FolderScan::Folder : FolderScan::Elsewhere;
        return 0;
    }
    struct stat st;
    if (::stat(w.path.c_str(), &st) != 0)
        return leadsNowhere(errno) ? 0 : errno;
    kind = kindOfMode(st.st_mode);
    return 0;
}

} // namespace

void scanFolder(const std::string &path, const std::string &share, const MountPoints &roots,
                FolderScan &scan, Job *listener)
{
    const Walk w = walk(share, below(share, path), share, roots);
    if (w.error || w.elsewhere) {
        scan.error = w.error;
        scan.moved = w.elsewhere ? w.path : std::string();
        return;
    }
    // Open and search rights as the system decides them (an unreadable folder is not empty).
    if (::access(w.path.c_str(), R_OK | X_OK) != 0) {
        scan.error = errno;
        return;
    }
    DIR *d = ::opendir(w.path.c_str());
    if (!d) {
        scan.error = errno;
        return;
    }
    for (;;) {
        errno = 0;
        const dirent *e = ::readdir(d);
        if (!e) {
            // A share that drops in the middle of a listing ends it with an error: the list is
            // not whole, so it is not shown as if it were.
            scan.error = errno;
            break;
        }
        const char *raw = e->d_name;
        if (raw[0] == '.' && (!raw[1] || (raw[1] == '.' && !raw[2])))
            continue;
        FolderScan::Kind kind = e->d_type == DT_DIR ? FolderScan::Folder
            : e->d_type == DT_REG                   ? FolderScan::File
                                                    : FolderScan::Other;
        bool link = e->d_type == DT_LNK;
        if (e->d_type == DT_UNKNOWN) {
            // Asked of the open folder, one call an entry, unless the entry is where another
            // share is mounted (a folder, which only that share could be asked about).
            const std::string at = w.path == "/" ? "/" + std::string(raw) : w.path + "/" + raw;
            struct stat st;
            if (holderAmong(roots, at) != share)
                kind = FolderScan::Folder;
            else if (::fstatat(::dirfd(d), raw, &st, AT_SYMLINK_NOFOLLOW) != 0)
                scan.error = leadsNowhere(errno) ? 0 : errno; // gone meanwhile: left out
            else {
                link = S_ISLNK(st.st_mode);
                kind = kindOfMode(st.st_mode);
            }
            if (scan.error)
                break;
        }
        if (link) {
            // Links count as what they point to; a broken one as nothing.
            const Walk at = walk(w.path, raw, share, roots);
            scan.error = kindOf(at, roots, kind);
            if (scan.error)
                break;
            if (kind == FolderScan::Elsewhere)
                scan.elsewhere.push_back(at.path);
        }
        // A share that lists a large folder slowly still answers; a user who moved on to
        // another folder need not wait for the rest of this one.
        if (listener && scan.entries.size() % 256 == 0)
            listener->heard();
        if (listener && listener->isDropped()) {
            scan.error = ECANCELED;
            break;
        }
        scan.entries.push_back({std::uint32_t(scan.names.size()), kind});
        scan.names.append(raw, std::strlen(raw) + 1);
    }
    ::closedir(d);
    if (scan.error) {
        // What was read goes at once: it will not be shown.
        const int error = scan.error;
        scan = FolderScan();
        scan.error = error;
        return;
    }
    // A folder removed while it was read reads as empty: it is not there any more.
    struct stat st;
    scan.listed = ::stat(w.path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    if (!scan.listed)
        scan.error = errno ? errno : ENOTDIR;
}

void kindsOf(const std::vector<std::string> &paths, const std::string &share,
             const MountPoints &roots, std::vector<FolderScan::Kind> &kinds)
{
    for (const std::string &path : paths) {
        FolderScan::Kind kind;
        kindOf(walk(share, below(share, path), share, roots), roots, kind);
        kinds.push_back(kind == FolderScan::Elsewhere ? FolderScan::Other : kind);
    }
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

} // namespace tesmora
