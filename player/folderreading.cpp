#include "player/folderreading.h"

#include "player/playerrules.h"
#include "player/shares.h"

#include <QFile>
#include <QRegularExpression>
#include <QThreadPool>
#include <QWidget>
#include <algorithm>
#include <cstring>
#include <malloc.h>
#include <map>

namespace tesmora {

std::optional<QStringList> namesOf(const FolderScan &scan,
                                   const std::vector<FolderScan::Kind> &elsewhere,
                                   QDir::Filters filters, const QStringList &patterns)
{
    if (!scan.listed)
        return std::nullopt;
    QList<QRegularExpression> matchers;
    for (const QString &p : patterns)
        matchers.append(QRegularExpression(QRegularExpression::wildcardToRegularExpression(p),
                                           QRegularExpression::CaseInsensitiveOption));
    QStringList names;
    std::size_t nextElsewhere = 0;
    for (const FolderScan::Entry &e : scan.entries) {
        FolderScan::Kind kind = e.kind;
        if (kind == FolderScan::Elsewhere) {
            kind = nextElsewhere < elsewhere.size() ? elsewhere[nextElsewhere] : FolderScan::Other;
            ++nextElsewhere;
        }
        const QByteArray raw
            = QByteArray::fromRawData(scan.nameOf(e), qsizetype(std::strlen(scan.nameOf(e))));
        if (raw.front() == '.' && !(filters & QDir::Hidden))
            continue;
        if (!(kind == FolderScan::Folder && (filters & QDir::Dirs))
            && !(kind == FolderScan::File && (filters & QDir::Files)))
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
    sortNames(names);
    return names;
}

namespace {

// Makes the names of a folder's scan, on Qt's thread pool.
struct NamesJob : Job
{
    NamesJob(std::shared_ptr<const FolderJob> from, std::vector<FolderScan::Kind> elsewhere,
             QDir::Filters filters, QStringList patterns)
        : from(std::move(from)),
          elsewhere(std::move(elsewhere)),
          filters(filters),
          patterns(std::move(patterns))
    { }
    std::shared_ptr<const FolderJob> from;
    const std::vector<FolderScan::Kind> elsewhere;
    const QDir::Filters filters;
    const QStringList patterns;
    std::optional<QStringList> names;
    void work() override
    {
        names = namesOf(from->scan, elsewhere, filters, patterns);
        // The entries go as soon as the names are made: a large folder's two never both stay.
        from.reset();
    }
};

QString key(const char *kind, const std::string &path)
{
    // Byte for byte, so that two names the locale cannot decode are still two.
    return QLatin1String(kind) + QString::fromLatin1(path.data(), qsizetype(path.size()));
}

// As many shares as a link may lead through before the path counts as a loop.
constexpr int maxHops = 40;

} // namespace

// A read under way: the folder's scan, the kinds of its links into other shares, its names.
struct FolderReader::Reading
{
    QDir::Filters filters;
    QStringList patterns;
    Done done;
    MountPoints roots;
    int hops = 0;
    QPointer<Call> call; // what it waits for now
    std::shared_ptr<FolderJob> scan;
    struct Kinds
    {
        QPointer<Call> call;
        std::shared_ptr<KindsJob> job;
        std::vector<std::size_t> entries; // which of the scan's Elsewhere entries
    };
    std::vector<Kinds> kinds;
    bool kindsAsked = false;
    bool gaveUp = false;
    std::shared_ptr<NamesJob> names;
    std::optional<QStringList> result;
    std::size_t entries = 0; // in the folder, of every kind
};

FolderReader::FolderReader(QObject *parent) : QObject(parent)
{
    givingUp.setSingleShot(true);
    givingUp.setInterval(Calls::notAnsweringAfter);
    connect(&givingUp, &QTimer::timeout, this, [this] {
        if (!pending)
            return;
        pending->gaveUp = true;
        answered();
    });
}

FolderReader::~FolderReader() = default;

bool FolderReader::read(const QString &folder, QDir::Filters filters, const QStringList &patterns,
                        Done done)
{
    const bool wasReading = isReading();
    forget();
    pending = std::make_unique<Reading>();
    pending->filters = filters;
    pending->patterns = patterns;
    pending->done = std::move(done);
    pending->roots = mountPoints();
    ask(QFile::encodeName(folder).toStdString());
    if (!advance(std::chrono::steady_clock::now() + allowed)) {
        if (!wasReading)
            Q_EMIT readingChanged(true);
        return false;
    }
    if (wasReading)
        Q_EMIT readingChanged(false);
    finish();
    return true;
}

void FolderReader::ask(const std::string &folder)
{
    Reading &r = *pending;
    const std::string share = holderAmong(r.roots, folder);
    r.call = Calls::instance().onShare(QFile::decodeName(QByteArray::fromStdString(share)),
                                       key("folder ", folder),
                                       std::make_shared<FolderJob>(folder, share, r.roots));
    r.scan = Calls::typed<FolderJob>(r.call);
    listen(r.call);
}

void FolderReader::listen(Call *call)
{
    // Listened to from the moment it is asked: a call nobody listens to is not made.
    listening.append(connect(call, &Call::answered, this, &FolderReader::answered));
}

void FolderReader::forget()
{
    for (const QMetaObject::Connection &c : std::as_const(listening))
        disconnect(c);
    listening.clear();
    givingUp.stop();
}

void FolderReader::askKinds()
{
    // Links into other shares: each share is asked what its own are, in one call.
    Reading &r = *pending;
    std::map<std::string, Reading::Kinds> byShare;
    std::map<std::string, std::vector<std::string>> paths;
    const std::vector<std::string> &elsewhere = r.scan->scan.elsewhere;
    for (std::size_t i = 0; i < elsewhere.size(); ++i) {
        const std::string share = holderAmong(r.roots, elsewhere[i]);
        byShare[share].entries.push_back(i);
        paths[share].push_back(elsewhere[i]);
    }
    for (auto &[share, kinds] : byShare) {
        const QString name = QFile::decodeName(QByteArray::fromStdString(share));
        // A share that does not answer tells nothing: its links count as broken.
        if (!Calls::instance().isAnswering(name))
            continue;
        std::string all;
        for (const std::string &p : paths[share])
            all += p + '\n';
        kinds.call = Calls::instance().onShare(
            name, key("kinds ", all), std::make_shared<KindsJob>(paths[share], share, r.roots));
        kinds.job = Calls::typed<KindsJob>(kinds.call);
        listen(kinds.call);
        r.kinds.push_back(std::move(kinds));
    }
}

bool FolderReader::advance(std::chrono::steady_clock::time_point deadline)
{
    Reading &r = *pending;
    const auto wait = [&](Call *call) { return !call || call->waitUntil(deadline); };
    for (;;) {
        if (!wait(r.call))
            return false;
        r.call = nullptr;
        if (r.names) {
            r.result = std::move(r.names->names);
            return true;
        }
        const FolderScan &scan = r.scan->scan;
        if (!scan.moved.empty()) {
            // Reached through a link into another share: that one is asked in turn.
            if (++r.hops > maxHops)
                return true;
            ask(std::string(scan.moved));
            continue;
        }
        if (!r.kindsAsked) {
            r.kindsAsked = true;
            askKinds();
        }
        std::vector<FolderScan::Kind> kinds(scan.elsewhere.size(), FolderScan::Other);
        for (const Reading::Kinds &k : r.kinds) {
            if (!r.gaveUp && !k.job->isDone()) {
                if (!wait(k.call)) {
                    // A folder is not held up for long by another share's links.
                    if (!givingUp.isActive())
                        givingUp.start();
                    return false;
                }
            }
            if (k.job->isDone())
                for (std::size_t i = 0; i < k.entries.size() && i < k.job->kinds.size(); ++i)
                    kinds[k.entries[i]] = k.job->kinds[i];
        }
        givingUp.stop();
        r.entries = scan.entries.size();
        r.names = std::make_shared<NamesJob>(std::move(r.scan), std::move(kinds), r.filters,
                                             r.patterns);
        r.kinds.clear();
        r.call = Calls::instance().onPool(r.names);
        listen(r.call);
    }
}

void FolderReader::answered()
{
    if (!pending || !advance(std::chrono::steady_clock::now()))
        return;
    Q_EMIT readingChanged(false);
    finish();
}

void FolderReader::finish()
{
    const std::unique_ptr<Reading> done = std::move(pending);
    forget();
    done->done(std::move(done->result));
    // A large folder's entries, and the making of its names, leave freed memory in the heaps of
    // the threads that did it; given back (away from the window's thread, which it would hold
    // for some milliseconds), the list costs what its names cost.
    if (done->entries > 10000)
        QThreadPool::globalInstance()->start([] { ::malloc_trim(0); });
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
