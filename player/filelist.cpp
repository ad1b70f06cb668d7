#include "player/filelist.h"

#include "player/folderreading.h"

#include <QDir>
#include <QKeyEvent>

namespace tesmora {

FileList::FileList(QWidget *parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemClicked, this, &FileList::clicked);
    folder = QDir::currentPath();
}

void FileList::listStart()
{
    // Shows nothing when the start folder cannot be listed, but still stands in it.
    if (!listed)
        list(folder, patterns);
}

void FileList::showEvent(QShowEvent *event)
{
    listStart();
    QListWidget::showEvent(event);
}

bool FileList::setPath(const QString &path)
{
    return list(path, patterns);
}

bool FileList::setPattern(const QString &pattern)
{
    if (!listed) {
        patterns = pattern;
        return true;
    }
    return list(folder, pattern);
}

bool FileList::list(const QString &path, const QString &pattern)
{
    const QString target = QDir::cleanPath(QDir(folder).absoluteFilePath(path));
    QStringList filters;
    for (const QString &p : pattern.split(u';', Qt::SkipEmptyParts))
        if (!p.trimmed().isEmpty())
            filters.append(p.trimmed());
    // Files only: no folders, and no pipes or devices, which would block or make no sense to
    // a player.
    const auto names = readFolder(target, QDir::Files, filters);
    patterns = pattern;
    if (!names)
        return false;
    clear();
    addItems(*names);
    folder = target;
    listed = true;
    return true;
}

QString FileList::fileName() const
{
    const QListWidgetItem *item = currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

void FileList::keyPressEvent(QKeyEvent *event)
{
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    if (currentRow() != before && currentRow() >= 0)
        Q_EMIT clicked();
}

} // namespace tesmora
