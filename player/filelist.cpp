#include "player/filelist.h"

#include "player/folderreading.h"

#include <QDir>
#include <QKeyEvent>
#include <memory>

namespace tesmora {

FileList::FileList(QWidget *parent) : QListWidget(parent), reader(new FolderReader(this))
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemClicked, this, &FileList::clicked);
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
    QListWidget::showEvent(event);
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
                     clear();
                     addItems(*names);
                     folder = target;
                     listed = true;
                 });
    return *listedAtOnce;
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
