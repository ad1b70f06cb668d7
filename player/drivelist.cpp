#include "player/drivelist.h"

#include "player/folderreading.h"
#include "player/playerrules.h"
#include "player/systemcalls.h"

#include <QDir>
#include <QFile>

namespace tesmora {

namespace {

constexpr int RootRole = Qt::UserRole;
constexpr int ReadyRole = Qt::UserRole + 1;

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
    QStringList roots;
    for (const Volume &v : volumes)
        roots.append(v.rootPath);
    const qsizetype start = holderOf(roots, QDir::currentPath());
    fill(volumes, start >= 0 ? roots[start] : QString());
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
        // Not ready until it answers.
        setItemData(count() - 1, false, ReadyRole);
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

void DriveList::ask(const QList<Volume> &volumes)
{
    // Every volume is asked at once, each on its own thread; the list waits for them all
    // together. A volume still being asked is not asked again, and one whose share still hangs
    // on another call is not ready.
    const auto deadline = std::chrono::steady_clock::now() + allowed;
    QList<std::pair<std::shared_ptr<ShareCall>, std::shared_ptr<VolumeProbe>>> calls;
    for (const Volume &v : volumes) {
        auto fresh = std::make_shared<VolumeProbe>();
        auto call = ShareCall::start(v.rootPath, QStringLiteral("volume"), fresh,
                                     [fresh, root = QFile::encodeName(v.rootPath).toStdString(),
                                      device = v.device] { probeVolume(root, device, *fresh); });
        auto answer = call ? call->answer<VolumeProbe>() : fresh;
        calls.append({std::move(call), std::move(answer)});
    }
    for (qsizetype i = 0; i < volumes.size(); ++i) {
        const auto &[call, answer] = calls[i];
        if (!call)
            continue;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (call->wait(std::max(left, std::chrono::milliseconds(0))))
            told(volumes[i], *answer);
        else
            ShareCall::whenAnswered(call, this,
                                    [this, v = volumes[i], answer] { told(v, *answer); });
    }
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
    setItemData(at, volume.ready && answer.ready, ReadyRole);
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
