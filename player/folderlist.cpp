#include "player/folderlist.h"

#include "player/folderreading.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>
#include <memory>

namespace tesmora {

namespace {

constexpr int FolderRole = Qt::UserRole;
constexpr int LevelRole = Qt::UserRole + 1;
constexpr int indentPixels = 8;

// Indents each entry by its depth, as the classic folder list draws its tree.
class IndentDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        QStyleOptionViewItem indented(option);
        indented.rect.setLeft(option.rect.left() + indent(index));
        QStyledItemDelegate::paint(painter, indented, index);
    }
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(indent(index), 0);
    }

private:
    static int indent(const QModelIndex &index)
    {
        return index.data(LevelRole).toInt() * indentPixels;
    }
};

// "/a/b" -> "/", "/a", "/a/b".
QStringList chainOf(const QString &folder)
{
    QStringList chain {QStringLiteral("/")};
    QString walked;
    for (const QString &part : folder.split(u'/', Qt::SkipEmptyParts)) {
        walked += u'/' + part;
        chain.append(walked);
    }
    return chain;
}

QString lastName(const QString &folder)
{
    return folder == u"/" ? folder : folder.section(u'/', -1);
}

} // namespace

FolderList::FolderList(QWidget *parent) : QListWidget(parent), reader(new FolderReader(this))
{
    setItemDelegate(new IndentDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemActivated, this, &FolderList::open);
    showBusyWhileReading(reader, viewport());
    start = QDir::currentPath();
}

void FolderList::listStart()
{
    if (current.isEmpty() && !reader->isReading())
        tryStart(start.isEmpty() ? QStringLiteral("/") : start);
}

void FolderList::tryStart(const QString &folder)
{
    // A start folder that cannot be listed (removed, or closed to this user) gives way to the
    // nearest folder above it that can.
    list(folder, [this, folder](bool listed, bool) {
        if (!listed && folder != u"/")
            tryStart(QFileInfo(folder).path());
    });
}

bool FolderList::isReading() const
{
    return reader->isReading();
}

void FolderList::showEvent(QShowEvent *event)
{
    listStart();
    QListWidget::showEvent(event);
}

QString FolderList::folderOf(const QListWidgetItem *item)
{
    return item ? item->data(FolderRole).toString() : QString();
}

bool FolderList::setPath(const QString &folder, std::function<void()> unreadable)
{
    listStart();
    auto listedAtOnce = std::make_shared<bool>(false);
    list(folder, [this, unreadable, listedAtOnce](bool listed, bool changed) {
        *listedAtOnce = listed;
        if (!listed) {
            if (unreadable)
                unreadable();
        } else if (changed) {
            Q_EMIT pathChanged();
        }
    });
    return *listedAtOnce;
}

void FolderList::list(const QString &folder, std::function<void(bool listed, bool changed)> then)
{
    const QString target = QDir::cleanPath(QDir(current).absoluteFilePath(folder));
    reader->read(target, QDir::Dirs | QDir::NoDotAndDotDot, {},
                 [this, target, then](std::optional<QStringList> subfolders) {
                     const QString before = current;
                     if (subfolders)
                         showFolder(target, *subfolders);
                     then(subfolders.has_value(), current != before);
                 });
}

void FolderList::showFolder(const QString &target, const QStringList &subfolders)
{
    clear();
    const QStyle *s = style();
    const QStringList chain = chainOf(target);
    for (qsizetype level = 0; level < chain.size(); ++level) {
        auto *item = new QListWidgetItem(s->standardIcon(QStyle::SP_DirOpenIcon),
                                         lastName(chain[level]), this);
        item->setData(FolderRole, chain[level]);
        item->setData(LevelRole, int(level));
    }
    setCurrentRow(int(chain.size()) - 1);
    for (const QString &name : subfolders) {
        auto *item = new QListWidgetItem(s->standardIcon(QStyle::SP_DirClosedIcon), name, this);
        item->setData(FolderRole, target == u"/" ? target + name : target + u'/' + name);
        item->setData(LevelRole, int(chain.size()));
    }

    current = target;
}

void FolderList::open(QListWidgetItem *item)
{
    const QString folder = folderOf(item);
    if (folder.isEmpty() || folder == current)
        return;
    setPath(folder, [this, folder] { Q_EMIT folderUnreadable(folder); });
}

} // namespace tesmora
