#pragma once

// The music player's rules that need no widgets: what the volume slider puts into the player,
// how a volume becomes a gain, how a file's full path is built, which mounts count as drives.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace tesmora {

// Volumes are in hundredths of a decibel: 0 is full level, larger (less negative) is louder.
constexpr int startVolume = -100;

// The volume for a slider value: none for a negative value (the player is left alone),
// -600 + 50 v for 0 ... 10, and the loudest step, -100, for anything above 10.
std::optional<int> volumeForSliderValue(int value);

// Linear amplitude gain for a volume in hundredths of a decibel: 10^(v / 2000), at most 1.
double gainForVolume(int hundredthsOfDecibel);

// A folder path and a file name with exactly one "/" between them, also at the root "/".
QString joinFolderAndFile(const QString &folder, const QString &fileName);

// Mounts that hold no files a user keeps (kernel interfaces, memory-backed run-time state).
bool isPseudoFileSystem(const QByteArray &type, const QString &rootPath);

// A drive as the drive list shows it: its root path and label.
struct Volume
{
    QString rootPath;
    QString label;
    bool ready = true; // mounted and answering; a drive that is not is "not a valid drive"
    quint64 device = 0; // the system's number of the device it is on, 0 where unknown
    bool operator==(const Volume &) const = default;
};

// A mounted file system as the system lists it.
struct Mount
{
    QString rootPath;
    QByteArray type;
    QString label;
    bool ready = true;
    quint64 device = 0;
};

// The mounts of a mount table in the kernel's mountinfo format (one line a mount: id, parent,
// major:minor, root, mount point, options, optional fields, "-", type, source, options), in
// its order. Lines that do not parse are left out.
QList<Mount> parseMountInfo(QByteArrayView table);

// A file system label as udev names its link in /dev/disk/by-label ("My\x20Music").
QString labelFromLinkName(QByteArrayView name);

// The drives among `mounts`, in mount order, each root once, pseudo file systems left out. The
// root folder "/" is always a drive, whatever its type: where no mount is listed at "/" (a
// chroot, some containers), it comes first.
QList<Volume> drivesAmong(const QList<Mount> &mounts);

// Sorts file or folder names for showing them: by the user's collation, case-insensitively
// (an English collation under the C locale), with byte order only to break exact ties.
void sortNames(QStringList &names);

} // namespace tesmora
