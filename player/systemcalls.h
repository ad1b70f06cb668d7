#pragma once

// Work on a file system that may never answer. A network share whose server has gone away
// (hard-mounted NFS or SMB, a FUSE file system whose daemon hangs) keeps every call on it in the
// kernel for as long as the server stays away, so such calls run on threads of their own, and
// the window asks for their answers without waiting on them.
//
// A thread that may hang does nothing but the system calls below, writing into its own job: no
// Qt, no state but the job's, nothing that could be gone if the answer comes after the window,
// or the program, has closed. Everything made of the answer (names decoded, matched, sorted) is
// made once it is back.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace tesmora {

// Work done on a thread other than the window's, with its answer. The thread does it, then
// marks it done: a flag, and a descriptor (an eventfd) that turns readable, which the window's
// thread waits on for a short while or watches. Both sides hold it, so a thread that answers
// after the window, or the program, has closed still writes into memory of its own.
class Job
{
public:
    Job();
    virtual ~Job();
    Job(const Job &) = delete;
    Job &operator=(const Job &) = delete;

    // Does the work, then marks it done.
    void run();
    // Marks it done without doing it: the answer stays as a failure leaves it.
    void fail();
    bool isDone() const { return done.load(std::memory_order_acquire); }
    // Readable once done; -1 where the system had no descriptor left to give.
    int descriptor() const { return signal; }
    // Waits until it is done, or until `deadline`; true once done.
    bool waitUntil(std::chrono::steady_clock::time_point deadline) const;
    // Notes that the system has just answered the work (a long listing answers many times).
    void heard();
    // How long the work has not heard from the system: since it started, or its last answer.
    std::chrono::milliseconds silence() const;
    // Nobody wants the answer any more: the work may stop at its next step, as a failure.
    void drop() { dropped.store(true, std::memory_order_relaxed); }
    bool isDropped() const { return dropped.load(std::memory_order_relaxed); }

protected:
    virtual void work() = 0;

private:
    void finish();
    std::atomic<bool> done {false};
    std::atomic<bool> dropped {false};
    std::atomic<std::chrono::steady_clock::rep> lastHeard {0};
    int signal = -1;
};

// Mount points, encoded, as a thread that may hang is given them: it tells by them alone which
// share a path is on, so that it never asks a share it was not started for.
using MountPoints = std::vector<std::string>;

// The one of `roots` that holds `path` (both absolute and without "." or ".."): the longest that
// is `path` or leads to it; "/" when none does.
std::string holderAmong(const MountPoints &roots, const std::string &path);

// A folder's entries as the system gave them, packed: the names of a folder of a hundred
// thousand files are one block, not a hundred thousand strings.
struct FolderScan
{
    // What an entry is; a link counts as what it points to, a broken one as Other. Elsewhere: a
    // link into another share, which only that share can tell (see `elsewhere`).
    enum Kind : unsigned char { Other, Folder, File, Elsewhere };
    struct Entry
    {
        std::uint32_t at; // where its name starts in `names`
        Kind kind;
    };
    bool listed = false; // opened, searchable, read to its end, and still a folder afterwards
    int error = 0; // why not, as errno tells it
    // Not empty when the folder is reached through a link into another share: the path there,
    // links followed so far. That share is to be asked for it.
    std::string moved;
    std::string names; // each name, as the file system holds it, ended by '\0'
    std::vector<Entry> entries; // without "." and ".."
    // For each Elsewhere entry, in order: where its link leads.
    std::vector<std::string> elsewhere;

    const char *nameOf(const Entry &e) const { return names.data() + e.at; }
};

// Reads the folder `path` (encoded) on the share mounted at `share`, following links in it as
// long as they stay on that share: one that leads off it is not followed but told (`moved`, or
// an Elsewhere entry). Tells `listener` as the listing goes on, and stops once it is dropped.
// System calls only.
void scanFolder(const std::string &path, const std::string &share, const MountPoints &roots,
                FolderScan &scan, Job *listener = nullptr);

// What each of `paths` (links followed, all on one share) is: Folder, File or Other (also when
// it cannot be told, or leads on to another share). System calls only.
void kindsOf(const std::vector<std::string> &paths, const std::string &share,
             const MountPoints &roots, std::vector<FolderScan::Kind> &kinds);

// A mounted volume as its root answers.
struct VolumeProbe
{
    bool ready = false; // the file system answers about itself, and its root is a folder
    bool other = false; // its root is there but no folder (a file that a container mounted)
    std::string labelLink; // the name of its link in /dev/disk/by-label, if it has one
};

// Asks the root `root` of the volume on `device` about itself. System calls only.
void probeVolume(const std::string &root, unsigned long long device, VolumeProbe &probe);

// The jobs a share is asked for, each with what it is given and its answer.
struct FolderJob : Job
{
    FolderJob(std::string path, std::string share, MountPoints roots)
        : path(std::move(path)), share(std::move(share)), roots(std::move(roots))
    { }
    const std::string path, share;
    const MountPoints roots;
    FolderScan scan;
    void work() override { scanFolder(path, share, roots, scan, this); }
};

struct KindsJob : Job
{
    KindsJob(std::vector<std::string> paths, std::string share, MountPoints roots)
        : paths(std::move(paths)), share(std::move(share)), roots(std::move(roots))
    { }
    const std::vector<std::string> paths;
    const std::string share;
    const MountPoints roots;
    std::vector<FolderScan::Kind> kinds;
    void work() override { kindsOf(paths, share, roots, kinds); }
};

struct ProbeJob : Job
{
    ProbeJob(std::string root, unsigned long long device)
        : root(std::move(root)), device(device) { }
    const std::string root;
    const unsigned long long device;
    VolumeProbe probe;
    void work() override { probeVolume(root, device, probe); }
};

} // namespace tesmora
