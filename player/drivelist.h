#pragma once

// The drive list: a drop-down of the mounted volumes that hold real file systems, each shown
// with its root path and label.

#include "player/playerrules.h"

#include <QComboBox>
#include <QList>
#include <chrono>
#include <functional>

namespace tesmora {

struct VolumeProbe;

// The volumes of the system's mount table without pseudo file systems, in the order they are
// mounted; the root folder is always one of them. Read from the kernel's table alone, which
// never waits on a file system; their labels and whether they answer are the drive list's to
// ask.
QList<Volume> systemVolumes();

class DriveList : public QComboBox
{
    Q_OBJECT
public:
    using VolumeSource = std::function<QList<Volume>()>;

    // Reads the mount table when the list is first shown.
    explicit DriveList(QWidget *parent = nullptr);

    // Where the volumes come from (the system's mount table by default); reads them at once
    // and selects the volume that holds the program's current folder.
    void setVolumeSource(VolumeSource source);

    // How long the volumes are waited for, all together, before the list shows without the
    // answers still out: a volume that has not answered is shown as not ready until it does.
    void setPatience(std::chrono::milliseconds patience) { allowed = patience; }

    // The chosen drive's root path, and whether it is ready: listed as ready, and a folder that
    // answers, or has not answered yet while its share still answers. Empty and not ready
    // before the volumes were read.
    QString drive() const;
    bool isReady() const;

    // Reads the volumes again, keeping the chosen one (also when it has gone away).
    void refresh();

    void showPopup() override;

protected:
    void showEvent(QShowEvent *event) override;

Q_SIGNALS:
    // The user chose another drive.
    void driveChanged();

private:
    void fill(const QList<Volume> &volumes, const QString &keep);
    void ask(const QList<Volume> &volumes);
    void told(const Volume &volume, const VolumeProbe &answer);
    void readStart();
    VolumeSource source = systemVolumes;
    std::chrono::milliseconds allowed;
    bool filling = false;
    bool read = false;
};

} // namespace tesmora
