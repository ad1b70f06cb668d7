#include "player/drivelist.h"

#include "player/playerrules.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalBlocker>
#include <QStorageInfo>

namespace tesmora {

namespace {

constexpr int RootRole = Qt::UserRole;
constexpr int ReadyRole = Qt::UserRole + 1;

QString shown(const Volume &v)
{
    return v.label.isEmpty() ? v.rootPath : v.rootPath + QLatin1String(" [") + v.label + u']';
}

// The volume whose root is the longest leading part of `path`.
qsizetype holderOf(const QList<Volume> &volumes, const QString &path)
{
    qsizetype best = -1;
    for (qsizetype i = 0; i < volumes.size(); ++i) {
        const QString &root = volumes[i].rootPath;
        const bool holds
            = path == root || path.startsWith(root.endsWith(u'/') ? root : root + u'/');
        if (holds && (best < 0 || root.size() > volumes[best].rootPath.size()))
            best = i;
    }
    return best;
}

} // namespace

QList<Volume> systemVolumes()
{
    QList<Mount> mounts;
    for (const QStorageInfo &info : QStorageInfo::mountedVolumes()) {
        const QString root = info.rootPath();
        const QByteArray type = info.fileSystemType();
        // Files bind-mounted into containers are no drives. Pseudo file systems, which the rule
        // leaves out, are not looked at: that would mount an automount point.
        if (!isPseudoFileSystem(type, root) && !QFileInfo(root).isDir())
            continue;
        mounts.append({root, type, info.name(), info.isValid() && info.isReady()});
    }
    return drivesAmong(mounts);
}

DriveList::DriveList(QWidget *parent) : QComboBox(parent)
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
    // Asking the system for its volumes can take a while (a slow network mount): not before
    // the list is seen.
    const QList<Volume> volumes = source();
    const qsizetype start = holderOf(volumes, QDir::currentPath());
    fill(volumes, start >= 0 ? volumes[start].rootPath : QString());
}

void DriveList::refresh()
{
    if (!read)
        readStart();
    else
        fill(source(), drive());
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
        addItem(shown(v));
        setItemData(count() - 1, v.rootPath, RootRole);
        setItemData(count() - 1, v.ready, ReadyRole);
    }
    int chosen = findData(keep, RootRole);
    if (chosen < 0 && !keep.isEmpty()) {
        // The chosen drive went away: it stays shown, as not ready.
        addItem(keep);
        chosen = count() - 1;
        setItemData(chosen, keep, RootRole);
        setItemData(chosen, false, ReadyRole);
    }
    setCurrentIndex(chosen >= 0 ? chosen : 0);
    filling = false;
}

QString DriveList::drive() const
{
    return currentData(RootRole).toString();
}

bool DriveList::isReady() const
{
    return currentIndex() >= 0 && currentData(ReadyRole).toBool();
}

} // namespace tesmora
