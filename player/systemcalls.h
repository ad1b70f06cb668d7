#pragma once

// Calls on a file system that may never answer. A network share whose server has gone away
// (hard-mounted NFS or SMB, a FUSE file system whose daemon hangs) keeps every call on it in the
// kernel for as long as the server stays away, so such calls run on threads of their own, and
// the window asks for their answers without waiting on them.
//
// A thread that may hang does nothing but the system calls below, writing into its own answer:
// no Qt, no shared state, nothing that could be gone if the answer comes after the window, or
// the program, has closed. Everything made of the answer (names decoded, matched, sorted) is
// made once it is back.

#include <QString>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QObject;

namespace tesmora {

// A folder's entries as the system gave them.
struct FolderScan
{
    enum Kind : unsigned char { Other, Folder, File };
    struct Entry
    {
        std::string name; // the bytes the file system holds
        Kind kind = Other; // what a link points to; a broken link is Other
    };
    bool listed = false; // opened, searchable, read to its end, and still a folder afterwards
    std::vector<Entry> entries; // without "." and ".."
};

// Reads the folder `path` (encoded for the file system). System calls only.
void scanFolder(const std::string &path, FolderScan &scan);

// A mounted volume as its root answers.
struct VolumeProbe
{
    bool ready = false; // the file system answers about itself, and its root is a folder
    bool other = false; // its root is there but no folder (a file that a container mounted)
    std::string labelLink; // the name of its link in /dev/disk/by-label, if it has one
};

// Asks the root `root` of the volume on `device` about itself. System calls only.
void probeVolume(const std::string &root, unsigned long long device, VolumeProbe &probe);

// One batch of system calls on a share, on a thread of its own. Made and asked on the window's
// thread only.
class ShareCall
{
public:
    // Starts `calls`, which write into `answer`, on a thread of their own, unless a call on
    // `share` (a mount point) started earlier has still not answered. Then, if that call asks
    // the same (`what`: the folder read, say), it is the call for this too, with its own
    // answer; if it asks something else, the share does not answer now, and nothing starts
    // (nullptr). So a share that hangs holds one thread, however often it is asked, and two
    // lists that read one slow folder read it once.
    static std::shared_ptr<ShareCall> start(const QString &share, const QString &what,
                                            std::shared_ptr<void> answer,
                                            std::function<void()> calls);
    // What the calls write into.
    template<typename Answer>
    std::shared_ptr<Answer> answer() const
    {
        return std::static_pointer_cast<Answer>(written);
    }

    ~ShareCall();
    ShareCall(const ShareCall &) = delete;
    ShareCall &operator=(const ShareCall &) = delete;

    bool answered() const { return done.load(std::memory_order_acquire); }
    // Waits for the answer for at most `patience`; true once it has come.
    bool wait(std::chrono::milliseconds patience) const;
    // Calls `then` on `context`'s thread once the answer has come, unless `context` is gone.
    static void whenAnswered(const std::shared_ptr<ShareCall> &call, QObject *context,
                             std::function<void()> then);

private:
    ShareCall(const QString &what, std::shared_ptr<void> answer);
    const QString what;
    const std::shared_ptr<void> written;
    std::atomic<bool> done {false};
    int signal = -1; // readable once the answer has come
};

} // namespace tesmora
