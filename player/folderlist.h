#pragma once

// The folder list in the classic style: the chain of folders from the root down to the current
// folder, then the current folder's sub-folders. A double-click or Enter on an entry makes it
// the current folder.

#include <QListWidget>
#include <functional>

namespace tesmora {

class FolderReader;

class FolderList : public QListWidget
{
    Q_OBJECT
public:
    // Starts at the program's current folder, listed when the list is first shown or asked
    // for another folder.
    explicit FolderList(QWidget *parent = nullptr);

    // The current folder, absolute, without a trailing "/" (except the root itself); empty
    // while the first listing has not answered.
    QString path() const { return current; }
    // Makes `folder` the current folder once it is listed, and emits pathChanged() if that
    // changed it. A folder that cannot be listed leaves the list as it was and calls
    // `unreadable`. True when the folder was listed before this returned; a slow one is listed
    // later, unless another folder is asked for first.
    bool setPath(const QString &folder, std::function<void()> unreadable = {});
    // A folder asked for has not answered yet.
    bool isReading() const;

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
    void tryStart(const QString &folder);
    void list(const QString &folder, std::function<void(bool listed, bool changed)> then);
    void showFolder(const QString &folder, const QStringList &subfolders);
    FolderReader *reader;
    QString start;
    QString current; // empty until listed
};

} // namespace tesmora
