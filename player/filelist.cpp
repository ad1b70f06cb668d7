#include "player/filelist.h"

#include "player/folderreading.h"

#include <QDir>
#include <QKeyEvent>
#include <memory>

namespace tesmora {

int NameModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(shown.size());
}

QVariant NameModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    return shown.at(index.row());
}

void NameModel::setNames(QStringList names)
{
    beginResetModel();
    shown = std::move(names);
    endResetModel();
}

FileList::FileList(QWidget *parent)
    : QListView(parent), model(new NameModel(this)), reader(new FolderReader(this))
{
    setModel(model);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QAbstractItemView::clicked, this, [this] { Q_EMIT clicked(); });
    showBusyWhileReading(reader, viewport());
    folder = QDir::currentPath();
}

void FileList::listStart()
{
    // Shows nothing when the start folder cannot be listed, but still stands in it.
    if (!listed && !reader->isReading())
        list(folder, patterns, {});
}

bool FileList::isReading() const
{
    return reader->isReading();
}

void FileList::showEvent(QShowEvent *event)
{
    listStart();
    QListView::showEvent(event);
}

bool FileList::setPath(const QString &path, std::function<void()> unreadable)
{
    return list(path, patterns, std::move(unreadable));
}

bool FileList::setPattern(const QString &pattern)
{
    if (!listed) {
        patterns = pattern;
        return true;
    }
    return list(folder, pattern, {});
}

bool FileList::list(const QString &path, const QString &pattern, std::function<void()> unreadable)
{
    const QString target = QDir::cleanPath(QDir(folder).absoluteFilePath(path));
    QStringList filters;
    for (const QString &p : pattern.split(u';', Qt::SkipEmptyParts))
        if (!p.trimmed().isEmpty())
            filters.append(p.trimmed());
    // Files only: no folders, and no pipes or devices, which would block or make no sense to
    // a player.
    patterns = pattern;
    auto listedAtOnce = std::make_shared<bool>(false);
    reader->read(target, QDir::Files, filters,
                 [this, target, unreadable, listedAtOnce](std::optional<QStringList> names) {
                     if (!names) {
                         if (unreadable)
                             unreadable();
                         return;
                     }
                     *listedAtOnce = true;
                     model->setNames(std::move(*names));
                     folder = target;
                     listed = true;
                 });
    return *listedAtOnce;
}

QString FileList::fileName() const
{
    const QModelIndex at = currentIndex();
    return at.isValid() && selectionModel()->isSelected(at) ? model->names().at(at.row())
                                                            : QString();
}

void FileList::keyPressEvent(QKeyEvent *event)
{
    const int before = currentIndex().row();
    QListView::keyPressEvent(event);
    if (currentIndex().row() != before && currentIndex().isValid())
        Q_EMIT clicked();
}

} // namespace tesmora
