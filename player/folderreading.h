#pragma once

// Reading a folder's entries, telling "empty" apart from "could not be read", away from the
// window's thread: a folder on a slow or hung network share must not freeze the window.

#include "player/systemcalls.h"

#include <QDir>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace tesmora {

class Call;

// The names among `scan`'s entries that pass `filters` (QDir::Files, QDir::Dirs, and
// QDir::Hidden for names starting with ".") and match one of `patterns` (case-insensitively;
// none = all), sorted for showing; nothing when the folder could not be listed. `elsewhere`
// holds what the Elsewhere entries turned out to be, in order (missing ones count as Other).
// Names that do not survive decoding in the locale's encoding could not be opened again: left
// out.
std::optional<QStringList> namesOf(const FolderScan &scan,
                                   const std::vector<FolderScan::Kind> &elsewhere,
                                   QDir::Filters filters, const QStringList &patterns);

// Reads one folder at a time for a list. The folder's share is asked in turn with its other
// calls (player/shares.h), and the names are made of its answer on Qt's thread pool. A folder
// that answers within `patience` (every local folder) gives its names at once, so the list
// changes within the user's action; a slower one gives them later, on the owner's thread,
// however long its share takes. A new read makes the one still under way count for nothing:
// the user has moved on.
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

    // Reads `folder`, then calls `done` with its names, unless a newer read was asked for
    // first. True when `done` was called before this returned.
    bool read(const QString &folder, QDir::Filters filters, const QStringList &patterns, Done done);
    // A read has not answered yet.
    bool isReading() const { return pending != nullptr; }

Q_SIGNALS:
    // A read that had not answered in time has now answered.
    void readingChanged(bool reading);

private:
    struct Reading;
    void ask(const std::string &folder);
    void listen(Call *call);
    void forget();
    void askKinds();
    bool advance(std::chrono::steady_clock::time_point deadline);
    void answered();
    void finish();
    std::unique_ptr<Reading> pending;
    QList<QMetaObject::Connection> listening;
    QTimer givingUp; // on the kinds of links into a share that stopped answering
    std::chrono::milliseconds allowed = defaultPatience;
};

// Shows the busy pointer over `widget` while `reader` waits for a folder that is slow to answer.
void showBusyWhileReading(FolderReader *reader, QWidget *widget);

} // namespace tesmora
