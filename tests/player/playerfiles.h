#pragma once

// What the music player's tests need beyond the window: files and folders made on disk, an MP3
// of a steady tone, a double-click in the folder list, and a run as an unprivileged user.

#include "player/folderlist.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTest>

namespace tesmora::testing {

// Makes files (holding `bytes`, empty by default) and folders under `root`; names ending in "/"
// are folders.
inline void makeFiles(const QString &root, const QStringList &names, const QByteArray &bytes = {})
{
    for (const QString &name : names) {
        const QString path = root + u'/' + name;
        if (name.endsWith(u'/')) {
            QVERIFY(QDir().mkpath(path));
        } else {
            QFile f(path);
            QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
            f.write(bytes);
        }
    }
}

// Opens a folder of the folder list with a double-click on its entry, as the user does (a single
// click only highlights it). False when the list shows no such entry.
inline bool openFolder(FolderList *list, const QString &name)
{
    const QList<QListWidgetItem *> found = list->findItems(name, Qt::MatchExactly);
    if (found.size() != 1)
        return false;
    list->scrollToItem(found.first());
    const QPoint at = list->visualItemRect(found.first()).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    // The second press of a double click arrives as the double-click event itself.
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    return true;
}

// Writes an MP3 of a steady sine tone (made with sox and lame), followed by `silence` seconds
// of silence, to `path`; false with a warning when the tools are missing or fail.
bool makeTone(const QString &path, double seconds, int hertz = 440, double amplitude = 0.5,
              double silence = 0);

// Root reads every folder and file, so checks of unreadable ones run as "nobody". Returns true
// when the caller runs unprivileged and should do the check itself; otherwise runs
// `testFunction` of the running test class again as nobody, reports its outcome, and returns
// false. `testFunction` may name one row of a data-driven test as "function:row".
bool runUnprivileged(const char *testFunction);

} // namespace tesmora::testing
