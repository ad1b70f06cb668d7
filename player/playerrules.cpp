#include "player/playerrules.h"

#include "rules/collation.h"

#include <QFile>

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
        drives.append({m.rootPath, m.label, m.ready, m.device});
    }
    if (!listed(root))
        drives.prepend({root, QString(), true});
    return drives;
}

namespace {

// Mount points are written with blanks, tabs, newlines and backslashes as octal escapes.
QByteArray unescapeOctal(QByteArrayView field)
{
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const auto isOctal = [&](qsizetype at) {
            return at < field.size() && field[at] >= '0' && field[at] <= '7';
        };
        if (field[i] == '\\' && isOctal(i + 1) && isOctal(i + 2) && isOctal(i + 3)) {
            out.append(
                char((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0')));
            i += 3;
        } else {
            out.append(field[i]);
        }
    }
    return out;
}

} // namespace

QList<Mount> parseMountInfo(QByteArrayView table)
{
    QList<Mount> mounts;
    for (const QByteArray &line : table.toByteArray().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        const qsizetype dash = fields.indexOf("-");
        if (dash < 6 || dash + 1 >= fields.size())
            continue;
        const QList<QByteArray> numbers = fields[2].split(':');
        bool majorOk = false, minorOk = false;
        const quint64 major = numbers.value(0).toULongLong(&majorOk);
        const quint64 minor = numbers.value(1).toULongLong(&minorOk);
        const QByteArray point = unescapeOctal(fields[4]);
        if (numbers.size() != 2 || !majorOk || !minorOk || !point.startsWith('/'))
            continue;
        // The device number as the system's makedev() packs it.
        const quint64 device = ((major & 0xfffff000ULL) << 32) | ((major & 0xfffULL) << 8)
            | ((minor & 0xffffff00ULL) << 12) | (minor & 0xffULL);
        mounts.append({QFile::decodeName(point), fields[dash + 1], QString(), true, device});
    }
    return mounts;
}

QString labelFromLinkName(QByteArrayView name)
{
    QByteArray out;
    for (qsizetype i = 0; i < name.size(); ++i) {
        bool ok = false;
        const int byte = i + 3 < name.size() && name[i] == '\\' && name[i + 1] == 'x'
            ? name.sliced(i + 2, 2).toInt(&ok, 16)
            : 0;
        if (ok) {
            out.append(char(byte));
            i += 3;
        } else {
            out.append(name[i]);
        }
    }
    return QString::fromUtf8(out);
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
