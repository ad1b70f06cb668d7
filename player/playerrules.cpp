#include "player/playerrules.h"

#include "rules/collation.h"

#include <algorithm>
#include <cmath>

namespace tesmora {

std::optional<int> volumeForSliderValue(int value)
{
    if (value < 0)
        return std::nullopt;
    if (value > 10)
        return startVolume;
    return -600 + 50 * value;
}

double gainForVolume(int hundredthsOfDecibel)
{
    return std::min(1.0, std::pow(10.0, hundredthsOfDecibel / 2000.0));
}

QString joinFolderAndFile(const QString &folder, const QString &fileName)
{
    if (folder.endsWith(QLatin1Char('/')))
        return folder + fileName;
    return folder + QLatin1Char('/') + fileName;
}

namespace {

bool isUnder(const QString &path, QLatin1StringView top)
{
    return path == top || path.startsWith(top + QLatin1Char('/'));
}

} // namespace

bool isPseudoFileSystem(const QByteArray &type, const QString &rootPath)
{
    static const QByteArrayList pseudo = {
        "proc",        "sysfs",      "devtmpfs", "devpts",    "ramfs",       "cgroup",
        "cgroup2",     "securityfs", "debugfs",  "tracefs",   "pstore",      "bpf",
        "mqueue",      "hugetlbfs",  "configfs", "fusectl",   "binfmt_misc", "autofs",
        "efivarfs",    "rpc_pipefs", "nsfs",     "selinuxfs", "nfsd",        "fuse.gvfsd-fuse",
        "fuse.portal", "fuse.lxcfs", "squashfs",
    };
    if (pseudo.contains(type))
        return true;
    // Removable media are mounted under /run/media; everything else there is run-time state.
    if (isUnder(rootPath, QLatin1StringView("/run/media")))
        return false;
    for (auto top : {"/proc", "/sys", "/dev", "/run", "/var/run", "/var/lock"})
        if (isUnder(rootPath, QLatin1StringView(top)))
            return true;
    return false;
}

QList<Volume> drivesAmong(const QList<Mount> &mounts)
{
    const QString root = QStringLiteral("/");
    QList<Volume> drives;
    const auto listed = [&drives](const QString &path) {
        return std::any_of(drives.cbegin(), drives.cend(),
                           [&](const Volume &v) { return v.rootPath == path; });
    };
    for (const Mount &m : mounts) {
        if (m.rootPath.isEmpty() || listed(m.rootPath))
            continue;
        if (m.rootPath != root && isPseudoFileSystem(m.type, m.rootPath))
            continue;
        drives.append({m.rootPath, m.label, m.ready});
    }
    if (!listed(root))
        drives.prepend({root, QString(), true});
    return drives;
}

void sortNames(QStringList &names)
{
    const ListCollation collation;
    std::stable_sort(names.begin(), names.end(), [&](const QString &a, const QString &b) {
        const int c = collation.compare(a, b);
        return c != 0 ? c < 0 : a < b;
    });
}

} // namespace tesmora
