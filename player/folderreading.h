#pragma once

// Reading a folder's entries, telling "empty" apart from "could not be read", away from the
// window's thread: a folder on a slow or hung network share must not freeze the window.

#include <QDir>
#include <QObject>
#include <QStringList>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace tesmora {

// The names of the entries of `folder` that pass `filters` (QDir::Files, QDir::Dirs, and
// QDir::Hidden for names starting with "."; "." and ".." never) and match one of `patterns`
// (case-insensitively; none = all), sorted for showing. Nothing when the folder does not exist,
// cannot be opened or entered, or vanished while it was read. Blocks for as long as the file
// system takes.
std::optional<QStringList> readFolder(const QString &folder, QDir::Filters filters,
                                      const QStringList &patterns = {});

// Reads one folder at a time for a list, on a thread of its own. A folder that answers within
// `patience` (every local folder) gives its entries at once, so the list changes within the
// user's action as before; a slower one gives them later, on the owner's thread. A new read
// makes the one still under way count for nothing: the user has moved on.
class FolderReader : public QObject
{
    Q_OBJECT
public:
    using Done = std::function<void(std::optional<QStringList>)>;
    // Short enough that the window never seems to stand still, and that opening the player on
    // a folder of a hundred thousand files still leaves it answering within a tenth of a second.
    static constexpr std::chrono::milliseconds defaultPatience {50};

    // How long a read is waited for before the list goes on without it.
    std::chrono::milliseconds patience() const { return allowed; }
    void setPatience(std::chrono::milliseconds patience) { allowed = patience; }

    explicit FolderReader(QObject *parent = nullptr);
    ~FolderReader() override;

    // Reads `folder`, then calls `done` with what readFolder() gives, unless a newer read was
    // asked for first. True when `done` was called before this returned.
    bool read(const QString &folder, QDir::Filters filters, const QStringList &patterns, Done done);
    // A read has not answered yet.
    bool isReading() const { return pending != nullptr; }

Q_SIGNALS:
    // A read that had not answered in time has now answered, or was given up.
    void readingChanged(bool reading);

private:
    struct Request;
    void deliver(const std::shared_ptr<Request> &request);
    void abandon();
    std::shared_ptr<Request> pending; // the read that has not answered yet
    Done pendingDone;
    std::chrono::milliseconds allowed = defaultPatience;
};

// Shows the busy pointer over `widget` while `reader` waits for a folder that is slow to answer.
void showBusyWhileReading(FolderReader *reader, QWidget *widget);

} // namespace tesmora
