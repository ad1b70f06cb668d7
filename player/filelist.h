#pragma once

// The file list: the files of one folder that match a pattern, sorted by name. A folder may hold
// a hundred thousand files, so the list is a view over the names alone, laid out as rows of one
// height: filling it costs one reset, not an item per file.

#include <QAbstractListModel>
#include <QListView>
#include <QStringList>
#include <functional>

namespace tesmora {

class FolderReader;

// The names a file list shows, one per row, to be read and picked.
class NameModel : public QAbstractListModel
{
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;
    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    const QStringList &names() const { return shown; }
    void setNames(QStringList names);

private:
    QStringList shown;
};

class FileList : public QListView
{
    Q_OBJECT
public:
    // Starts at the program's current folder, showing every file; listed when the list is first
    // shown.
    explicit FileList(QWidget *parent = nullptr);

    // The folder listed, absolute, without a trailing "/" (except the root itself).
    QString path() const { return folder; }
    // Lists `path`. A folder that cannot be listed leaves the list as it was and calls
    // `unreadable`. True when the folder was listed before this returned; a slow one is listed
    // later, unless another listing is asked for first.
    bool setPath(const QString &path, std::function<void()> unreadable = {});
    // A listing asked for has not answered yet.
    bool isReading() const;

    // Patterns such as "*.mp3", several separated by ";", matched case-insensitively, and
    // listed as setPath() lists. Before the first listing, setting them lists nothing and
    // answers true.
    QString pattern() const { return patterns; }
    bool setPattern(const QString &pattern);

    // The name of the selected file, empty when none is selected.
    QString fileName() const;

Q_SIGNALS:
    // The user picked an entry with the mouse or the keyboard (also the one already picked).
    void clicked();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    bool list(const QString &path, const QString &pattern, std::function<void()> unreadable);
    void listStart();
    NameModel *model;
    FolderReader *reader;
    QString folder;
    bool listed = false;
    QString patterns = QStringLiteral("*");
};

} // namespace tesmora
