#pragma once

// The folder list in the classic style: the chain of folders from the root down to the current
// folder, then the current folder's sub-folders. A double-click or Enter on an entry makes it
// the current folder.

#include <QListWidget>

namespace tesmora {

class FolderList : public QListWidget
{
    Q_OBJECT
public:
    // Starts at the program's current folder, listed when the list is first shown or asked.
    explicit FolderList(QWidget *parent = nullptr);

    // The current folder, absolute, without a trailing "/" (except the root itself).
    QString path() const;
    // Makes `folder` the current folder. False when it cannot be listed: the list then keeps
    // what it showed. Emits pathChanged() when the current folder changed.
    bool setPath(const QString &folder);

    // The folder an entry stands for.
    static QString folderOf(const QListWidgetItem *item);

Q_SIGNALS:
    void pathChanged();
    // The user opened a folder that cannot be listed.
    void folderUnreadable(const QString &folder);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void open(QListWidgetItem *item);
    void listStart();
    bool list(const QString &folder);
    QString start;
    QString current; // empty until listed
};

} // namespace tesmora
