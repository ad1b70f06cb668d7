#pragma once

// The drive list: a drop-down of the mounted volumes that hold real file systems, each shown
// with its root path and label.

#include "player/playerrules.h"

#include <QComboBox>
#include <QList>
#include <functional>

namespace tesmora {

// The system's volumes without pseudo file systems, in the order they are mounted; the root
// folder is always one of them.
QList<Volume> systemVolumes();

class DriveList : public QComboBox
{
    Q_OBJECT
public:
    using VolumeSource = std::function<QList<Volume>()>;

    // Reads the system's volumes when the list is first shown.
    explicit DriveList(QWidget *parent = nullptr);

    // Where the volumes come from (the system's by default); reads them at once and selects
    // the volume that holds the program's current folder.
    void setVolumeSource(VolumeSource source);

    // The chosen drive's root path, and whether it is ready; empty and not ready before the
    // volumes were read.
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
    void readStart();
    VolumeSource source = systemVolumes;
    bool filling = false;
    bool read = false;
};

} // namespace tesmora
