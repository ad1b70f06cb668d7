#include "player/folderreading.h"

#include "player/playerrules.h"

#include <QFile>
#include <QFileInfo>
#include <dirent.h>

namespace tesmora {

namespace {

// QDir reads an unreadable folder as an empty one; ask the system itself.
bool canOpen(const QString &folder)
{
    DIR *d = ::opendir(QFile::encodeName(folder).constData());
    if (!d)
        return false;
    ::closedir(d);
    return QFileInfo(folder).isExecutable();
}

} // namespace

std::optional<QStringList> readFolder(const QString &folder, QDir::Filters filters,
                                      const QStringList &patterns)
{
    if (!canOpen(folder))
        return std::nullopt;
    QDir dir(folder);
    dir.setNameFilters(patterns);
    dir.setFilter(filters);
    dir.setSorting(QDir::Unsorted);
    QStringList names = dir.entryList();
    if (!QFileInfo(folder).isDir())
        return std::nullopt;
    sortNames(names);
    return names;
}

} // namespace tesmora
