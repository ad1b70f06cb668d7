#include "player/drivelist.h"

#include "player/folderreading.h"
#include "player/playerrules.h"
#include "player/shares.h"

#include <QDir>
#include <QFile>
#include <algorithm>

namespace tesmora {

namespace {

constexpr int RootRole = Qt::UserRole;
// What the volume answered: Ready, NotReady, or nothing yet (Asking).
constexpr int ReadyRole = Qt::UserRole + 1;
enum Readiness { Asking, NotReady, Ready };

QString shown(const QString &root, const QString &label)
{
    return label.isEmpty() ? root : root + QLatin1String(" [") + label + u']';
}

} // namespace

QList<Volume> systemVolumes()
{
    return drivesAmong(mountTable());
}

DriveList::DriveList(QWidget *parent) : QComboBox(parent), allowed(FolderReader::defaultPatience)
{
    setEditable(false);
    connect(this, &QComboBox::currentIndexChanged, this, [this] {
        if (!filling)
            Q_EMIT driveChanged();
    });
}

void DriveList::setVolumeSource(VolumeSource s)
{
    source = std::move(s);
    read = false;
    readStart();
}

void DriveList::readStart()
{
    if (read)
        return;
    read = true;
    const QList<Volume> volumes = source();
    MountPoints roots;
    for (const Volume &v : volumes)
        roots.push_back(QFile::encodeName(v.rootPath).toStdString());
    const std::string start
        = holderAmong(roots, QFile::encodeName(QDir::currentPath()).toStdString());
    const bool listed = std::find(roots.cbegin(), roots.cend(), start) != roots.cend();
    fill(volumes, listed ? QFile::decodeName(QByteArray::fromStdString(start)) : QString());
    ask(volumes);
}

void DriveList::refresh()
{
    if (!read) {
        readStart();
        return;
    }
    const QList<Volume> volumes = source();
    fill(volumes, drive());
    ask(volumes);
}

void DriveList::showEvent(QShowEvent *event)
{
    readStart();
    QComboBox::showEvent(event);
}

void DriveList::showPopup()
{
    refresh();
    QComboBox::showPopup();
}

void DriveList::fill(const QList<Volume> &volumes, const QString &keep)
{
    filling = true;
    clear();
    for (const Volume &v : volumes) {
        addItem(shown(v.rootPath, v.label));
        setItemData(count() - 1, v.rootPath, RootRole);
        setItemData(count() - 1, v.ready ? Asking : NotReady, ReadyRole);
    }
    int chosen = findData(keep, RootRole);
    if (chosen < 0 && !keep.isEmpty()) {
        // The chosen drive went away: it stays shown, as not ready.
        addItem(keep);
        chosen = count() - 1;
        setItemData(chosen, keep, RootRole);
        setItemData(chosen, NotReady, ReadyRole);
    }
    setCurrentIndex(chosen >= 0 ? chosen : 0);
    filling = false;
}

void DriveList::ask(const QList<Volume> &volumes)
{
    // Every volume is asked at once, each in turn with its share's other calls; the list waits
    // for them all together. A volume still being asked is not asked again.
    const auto deadline = std::chrono::steady_clock::now() + allowed;
    Calls &calls = Calls::instance();
    QList<std::pair<Call *, std::shared_ptr<ProbeJob>>> asked;
    for (const Volume &v : volumes) {
        Call *call = calls.onShare(
            v.rootPath, QStringLiteral("volume"),
            std::make_shared<ProbeJob>(QFile::encodeName(v.rootPath).toStdString(), v.device),
            true);
        auto job = Calls::typed<ProbeJob>(call);
        connect(call, &Call::answered, this, [this, v, job] { told(v, job->probe); });
        asked.append({call, std::move(job)});
    }
    for (qsizetype i = 0; i < volumes.size(); ++i)
        if (asked[i].first->waitUntil(deadline))
            told(volumes[i], asked[i].second->probe);
}

void DriveList::told(const Volume &volume, const VolumeProbe &answer)
{
    const int at = findData(volume.rootPath, RootRole);
    if (at < 0)
        return;
    if (answer.other && at != currentIndex()) {
        // A file mounted over a file (containers do it) is no drive.
        filling = true;
        removeItem(at);
        filling = false;
        return;
    }
    const QString label
        = volume.label.isEmpty() ? labelFromLinkName(answer.labelLink) : volume.label;
    setItemText(at, shown(volume.rootPath, label));
    setItemData(at, volume.ready && answer.ready ? Ready : NotReady, ReadyRole);
}

QString DriveList::drive() const
{
    return currentData(RootRole).toString();
}

bool DriveList::isReady() const
{
    if (currentIndex() < 0)
        return false;
    // A volume that has not answered yet is waited for, unless its share stopped answering.
    const int readiness = currentData(ReadyRole).toInt();
    return readiness == Ready || (readiness == Asking && Calls::instance().isAnswering(drive()));
}

} // namespace tesmora
