// The music panel in the real window with fake ports, over folders made by the test: what the
// lists show, what the media engine is asked to do, and what the user is told when a drive, a
// folder or a file fails.

#include "player/drivelist.h"
#include "player/filelist.h"
#include "player/folderlist.h"
#include "rules/product.h"
#include "tests/player/playerfiles.h"
#include "tests/support/combogestures.h"
#include "tests/support/listgestures.h"
#include "tests/support/reading.h"
#include "tests/support/testmain.h"
#include "tests/support/watchdog.h"
#include "tests/support/window.h"

#include <QSet>
#include <QSlider>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tesmora;
using namespace tesmora::testing;

namespace {

Message cannotPlayMessage(const QString &path)
{
    return {QStringLiteral("The file \"%1\" cannot be played.").arg(path), applicationTitle()};
}

// Why a folder cannot be opened.
enum class Refused { Locked, Deleted, NoDescriptors, NoThreads };

// The descriptor the next open would get: none is left once the limit is that.
rlim_t lowestFreeDescriptor()
{
    QSet<int> open;
    for (const QString &fd : QDir("/proc/self/fd").entryList(QDir::Files))
        open.insert(fd.toInt());
    rlim_t free = 0;
    while (open.contains(int(free)))
        ++free;
    return free;
}

Message cannotReadMessage(const QString &path)
{
    return {QStringLiteral("The folder \"%1\" cannot be read.").arg(path), applicationTitle()};
}

const Message invalidDriveMessage {QStringLiteral("Please use a valid drive"), applicationTitle()};

} // namespace

Q_DECLARE_METATYPE(Refused)

class TestPlayer : public WatchedTest
{
    Q_OBJECT
    QString startFolder;

private Q_SLOTS:
    void initTestCase() { startFolder = QDir::currentPath(); }
    void cleanup()
    {
        QDir::setCurrent(startFolder);
        WatchedTest::cleanup();
    }

    void startState()
    {
        QTemporaryDir tmp;
        makeFiles(tmp.path(), {"b.mp3", "A.MP3", "c.txt", "sub/", "sub/in sub.mp3"});
        QVERIFY(QDir::setCurrent(tmp.path()));
        Window w;
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
        // Nothing is listed or asked of the system for a panel nobody has opened yet.
        QCOMPARE(w->Drive1->count(), 0);
        QCOMPARE(w->Dir1->count(), 0);
        QCOMPARE(shown(w->File1), QStringList());

        QVERIFY(w.openTool(w->Command6));
        // The lists start at the program's current folder, on the volume that holds it (the
        // root where the mount table knows none).
        QCOMPARE(w->Dir1->path(), tmp.path());
        QCOMPARE(shown(w->Dir1).last(), QStringLiteral("sub"));
        QCOMPARE(w->File1->path(), tmp.path());
        QCOMPARE(shown(w->File1), (QStringList {"A.MP3", "b.mp3"}));
        const QString holder = QStorageInfo(tmp.path()).rootPath();
        QCOMPARE(w->Drive1->drive(), holder.isEmpty() ? QStringLiteral("/") : holder);
        QCOMPARE(w->Slider1->minimum(), 0);
        QCOMPARE(w->Slider1->maximum(), 10);
        QCOMPARE(w->Slider1->value(), 10);
        QVERIFY(w->MediaPlayer1->isHidden());
        // Opening the panel does not pay for the engine.
        QCOMPARE(w.enginesMade, 0);
        QCOMPARE(w.prompts.messages, QList<Message>());
    }

    void startFolderRemoved()
    {
        QTemporaryDir tmp;
        makeFiles(tmp.path(), {"a/", "a/b/"});
        QVERIFY(QDir::setCurrent(tmp.path() + "/a/b"));
        QVERIFY(QDir(tmp.path() + "/a").rmdir("b"));
        // The system no longer tells where the program stands: the folders start at the root.
        Window w;
        QVERIFY(w.openTool(w->Command6));
        QCOMPARE(w->Dir1->path(), QStringLiteral("/"));
        QVERIFY(w->Dir1->count() > 1);
        // Next: a folder of the root opens, and the files follow it.
        const QString next = shown(w->Dir1).at(1);
        QVERIFY(openFolder(w->Dir1, next));
        QCOMPARE(w->Dir1->path(), u'/' + next);
        QCOMPARE(w->File1->path(), u'/' + next);
        QCOMPARE(w.prompts.messages, QList<Message>());
    }

    void startFolderUnreadable()
    {
        if (!runUnprivileged("startFolderUnreadable"))
            return;
        QTemporaryDir tmp;
        makeFiles(tmp.path(), {"a/", "a/b/", "a/x.mp3"});
        QVERIFY(QDir::setCurrent(tmp.path() + "/a/b"));
        QVERIFY(QFile::setPermissions(tmp.path() + "/a/b", {}));
        const auto unlock = qScopeGuard([&] {
            QFile::setPermissions(tmp.path() + "/a/b",
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        Window w;
        QVERIFY(w.openTool(w->Command6));
        // The folders show the one above with the start folder in it; the files show nothing
        // but stand in the start folder.
        QCOMPARE(w->Dir1->path(), tmp.path() + "/a");
        QCOMPARE(shown(w->Dir1).last(), QStringLiteral("b"));
        QCOMPARE(w->File1->path(), tmp.path() + "/a/b");
        QCOMPARE(shown(w->File1), QStringList());
        QCOMPARE(w.prompts.messages, QList<Message>());
    }

    void systemVolumesLeaveOutPseudoFileSystems()
    {
        const QList<Volume> volumes = systemVolumes();
        QStringList roots;
        for (const Volume &v : volumes) {
            roots.append(v.rootPath);
            QVERIFY2(QFileInfo(v.rootPath).isDir(), qPrintable(v.rootPath));
            if (v.rootPath == u'/')
                continue; // a drive whatever its type
            const QByteArray type = QStorageInfo(v.rootPath).fileSystemType();
            QVERIFY2(!isPseudoFileSystem(type, v.rootPath), qPrintable(v.rootPath));
        }
        // The root folder is always a drive, also where the mount table does not list it;
        // /proc and /sys never are.
        QVERIFY2(roots.contains(QStringLiteral("/")), qPrintable(roots.join(u' ')));
        QVERIFY(!roots.contains(QStringLiteral("/proc")));
        QVERIFY(!roots.contains(QStringLiteral("/sys")));
        QCOMPARE(QSet<QString>(roots.cbegin(), roots.cend()).size(), roots.size());
    }

    void fileClickLoadsTheFullPath_data()
    {
        QTest::addColumn<QString>("folder"); // below the temporary folder
        QTest::addColumn<QString>("file");
        QTest::newRow("plain") << "music"
                               << "song.mp3";
        QTest::newRow("upper-case extension") << "music"
                                              << "LOUD.MP3";
        QTest::newRow("blanks, # and %") << "my music/#1 hits"
                                         << "100% love %20.mp3";
        QTest::newRow("non-ASCII") << "Música/Пісні"
                                   << "Canción ñandú 日本.mp3";
    }
    void fileClickLoadsTheFullPath()
    {
        QFETCH(QString, folder);
        QFETCH(QString, file);
        QTemporaryDir tmp;
        const QString where = tmp.path() + u'/' + folder;
        makeFiles(tmp.path(), {folder + u'/', folder + u'/' + file});
        QVERIFY(QDir::setCurrent(where));
        Window w;
        QVERIFY(w.openTool(w->Command6));
        QVERIFY(clickEntry(w->File1, file));
        // Loading does not start it: nothing but the start volume and the load.
        QCOMPARE(w.media->calls, (QStringList {"volume -100", "load " + where + u'/' + file}));
        QCOMPARE(w.prompts.messages, QList<Message>());
    }

    void fileClickAtTheRoot()
    {
        const QString name = QStringLiteral("tesmora-test-%1.mp3").arg(::getpid());
        QFile f(u'/' + name);
        if (!f.open(QIODevice::WriteOnly))
            QSKIP("the root folder is not writable here: no file can be made there");
        f.close();
        const auto removeAfter = qScopeGuard([&] { QFile::remove(u'/' + name); });
        QVERIFY(QDir::setCurrent(QStringLiteral("/")));
        Window w;
        QVERIFY(w.openTool(w->Command6));
        QCOMPARE(w->File1->path(), QStringLiteral("/"));
        QVERIFY(clickEntry(w->File1, name));
        QCOMPARE(w.media->calls.last(), "load /" + name);
    }

    // The entry highlighted by the mouse or a key is the one a list acts on: the file list loads
    // it at once, the folder list opens it on Return.
    void picking_data()
    {
        QTest::addColumn<bool>("folders"); // else the files
        QTest::addColumn<QString>("from"); // clicked first
        QTest::addColumn<int>("key"); // then pressed; 0 = the same entry clicked again
        QTest::addColumn<QString>("to"); // highlighted then; empty = the key does nothing
        QTest::addColumn<bool>("paged"); // `to` is the nearest a page key may land on
        const auto row = [](const char *name, bool folders, const char *from, int key,
                            const char *to, bool paged = false) {
            QTest::newRow(name) << folders << from << key << to << paged;
        };
        row("file: same again", false, "t05.mp3", 0, "t05.mp3");
        row("file: Down", false, "t05.mp3", Qt::Key_Down, "t06.mp3");
        row("file: Up", false, "t05.mp3", Qt::Key_Up, "t04.mp3");
        row("file: Home", false, "t05.mp3", Qt::Key_Home, "t00.mp3");
        row("file: End", false, "t05.mp3", Qt::Key_End, "t11.mp3");
        row("file: Page Down", false, "t00.mp3", Qt::Key_PageDown, "t02.mp3", true);
        row("file: Page Up", false, "t11.mp3", Qt::Key_PageUp, "t09.mp3", true);
        row("file: Up at the first", false, "t00.mp3", Qt::Key_Up, "");
        row("file: Down at the last", false, "t11.mp3", Qt::Key_Down, "");
        row("folder: Down", true, "d05", Qt::Key_Down, "d06");
        row("folder: Up", true, "d05", Qt::Key_Up, "d04");
        row("folder: Home", true, "d05", Qt::Key_Home, "/");
        row("folder: End", true, "d05", Qt::Key_End, "d11");
        row("folder: Page Down", true, "d00", Qt::Key_PageDown, "d02", true);
        row("folder: Page Up", true, "d11", Qt::Key_PageUp, "d09", true);
    }
    void picking()
    {
        QFETCH(bool, folders);
        QFETCH(QString, from);
        QFETCH(int, key);
        QFETCH(QString, to);
        QFETCH(bool, paged);
        QTemporaryDir tmp;
        for (int i = 0; i < 12; ++i)
            makeFiles(tmp.path(),
                      {QStringLiteral("t%1.mp3").arg(i, 2, 10, QChar(u'0')),
                       QStringLiteral("d%1/").arg(i, 2, 10, QChar(u'0'))});
        QVERIFY(QDir::setCurrent(tmp.path()));
        Window w;
        QVERIFY(w.openTool(w->Command6));
        QAbstractItemView *list = folders ? static_cast<QAbstractItemView *>(w->Dir1) : w->File1;
        QVERIFY(clickEntry(list, from));
        QCOMPARE(selectedText(list), from);
        const QStringList before = w.media->calls;
        if (key)
            QTest::keyClick(list, Qt::Key(key));
        else
            QVERIFY(clickEntry(list, from));
        if (to.isEmpty()) {
            QCOMPARE(selectedText(list), from);
            QCOMPARE(w.media->calls, before);
            return;
        }
        const QStringList entries = shown(list);
        const QString highlighted = selectedText(list);
        if (paged) {
            // A page moves further than a step, the way the key points.
            const qsizetype at = entries.indexOf(highlighted), least = entries.indexOf(to);
            const qsizetype start = entries.indexOf(from);
            QVERIFY2(least > start ? at >= least : at <= least, qPrintable(highlighted));
        } else {
            QCOMPARE(highlighted, to);
        }
        const QString path = highlighted == u'/' ? highlighted : tmp.path() + u'/' + highlighted;
        if (folders) {
            QCOMPARE(w.media->calls, QStringList());
            QTest::keyClick(list, Qt::Key_Return);
            QCOMPARE(w->Dir1->path(), path);
            QCOMPARE(w->File1->path(), path);
        } else {
            QCOMPARE(w.media->calls, before + QStringList {"load " + path});
            QCOMPARE(w.enginesMade, 1);
        }
        QCOMPARE(w.prompts.messages, QList<Message>());
    }

    void playStopVolumeAndCommand11()
    {
        QTemporaryDir tmp;
        makeFiles(tmp.path(), {"a.mp3", "b.mp3", "sub/"});
        QVERIFY(QDir::setCurrent(tmp.path()));
        Window w;
        QVERIFY(w.openTool(w->Command6));
        QVERIFY(clickEntry(w->File1, "b.mp3"));
        QTest::mouseClick(w->Command9, Qt::LeftButton);
        QTest::keyClick(w->Slider1, Qt::Key_Left);
        QTest::keyClick(w->Slider1, Qt::Key_Home);
        QTest::keyClick(w->Slider1, Qt::Key_Right);

        // The third button does nothing at all.
        const QStringList calls = w.media->calls;
        const QStringList folders = shown(w->Dir1);
        const QStringList files = shown(w->File1);
        QTest::mouseClick(w->Command11, Qt::LeftButton);
        QCOMPARE(w.media->calls, calls);
        QCOMPARE(shown(w->Dir1), folders);
        QCOMPARE(w->Dir1->path(), tmp.path());
        QCOMPARE(shown(w->File1), files);
        QCOMPARE(w->File1->fileName(), QStringLiteral("b.mp3"));
        QCOMPARE(w->Slider1->value(), 1);

        QTest::mouseClick(w->Command10, Qt::LeftButton);
        QCOMPARE(w.media->calls.mid(2),
                 (QStringList {"play", "volume -150", "volume -600", "volume -550", "stop"}));
        QCOMPARE(w.prompts.messages, QList<Message>());
    }

    void beforeAnyLoad()
    {
        QTemporaryDir tmp;
        makeFiles(tmp.path(), {"a.mp3"});
        QVERIFY(QDir::setCurrent(tmp.path()));
        Window w;
        QVERIFY(w.openTool(w->Command6));
        const QStringList files = shown(w->File1);
        const QStringList folders = shown(w->Dir1);
        // Play and stop with nothing loaded say and change nothing; the slider is kept for the
        // engine made by the first load.
        QTest::mouseClick(w->Command9, Qt::LeftButton);
        QTest::mouseClick(w->Command10, Qt::LeftButton);
        QTest::mouseClick(w->Command9, Qt::LeftButton);
        QTest::keyClick(w->Slider1, Qt::Key_Home);
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(w->Slider1, Qt::Key_Right);
        QCOMPARE(w.enginesMade, 0);
        QCOMPARE(w.media->calls, QStringList());
        QCOMPARE(w.prompts.messages, QList<Message>());
        QCOMPARE(shown(w->File1), files);
        QCOMPARE(shown(w->Dir1), folders);

        QVERIFY(clickEntry(w->File1, "a.mp3"));
        QCOMPARE(w.media->calls, (QStringList {"volume -450", "load " + tmp.path() + "/a.mp3"}));
    }

    void aFileThatCannotBeLoaded()
    {
        QTemporaryDir tmp;
        makeFiles(tmp.path(), {"bad.mp3", "good.mp3"});
        QVERIFY(QDir::setCurrent(tmp.path()));
        Window w;
        QVERIFY(w.openTool(w->Command6));
        QVERIFY(clickEntry(w->File1, "bad.mp3"));
        // Told when the engine reports it, not before.
        QCOMPARE(w.prompts.messages, QList<Message>());
        QVERIFY(w.media->made);
        w.media->made->failNewest();
        QCOMPARE(w.prompts.messages, QList<Message> {cannotPlayMessage(tmp.path() + "/bad.mp3")});
        QCOMPARE(shown(w->File1), (QStringList {"bad.mp3", "good.mp3"}));
        QCOMPARE(w->Dir1->path(), tmp.path());
        // The program goes on: the next file loads.
        QVERIFY(clickEntry(w->File1, "good.mp3"));
        QCOMPARE(w.media->calls.last(), "load " + tmp.path() + "/good.mp3");
        QCOMPARE(w.prompts.messages.size(), 1);
    }

    void folderListWalksDownAndUp()
    {
        QTemporaryDir tmp;
        makeFiles(tmp.path(),
                  {"Zeta/", "alpha/", "Beta dir/", "#5 %x/", ".hidden/", "file.mp3",
                   "alpha/in alpha.mp3", "alpha/deeper/"});
        QVERIFY(QFile::link("alpha", tmp.path() + "/linked"));
        QVERIFY(QFile::link("file.mp3", tmp.path() + "/file link"));
        QVERIFY(QFile::link("nowhere", tmp.path() + "/broken"));
        QVERIFY(::mkfifo(QFile::encodeName(tmp.path() + "/pipe").constData(), 0644) == 0);
        QVERIFY(QDir::setCurrent(tmp.path()));
        Window w;
        QVERIFY(w.openTool(w->Command6));
        QStringList chain {"/"};
        chain += tmp.path().split(u'/', Qt::SkipEmptyParts);
        QCOMPARE(shown(w->Dir1),
                 (chain + QStringList {"#5 %x", "alpha", "Beta dir", "linked", "Zeta"}));
        QCOMPARE(shown(w->File1), QStringList {"file.mp3"});

        // A folder reached through a link opens under the link's name.
        QVERIFY(openFolder(w->Dir1, "linked"));
        QCOMPARE(w->Dir1->path(), tmp.path() + "/linked");
        QCOMPARE(shown(w->Dir1), (chain + QStringList {"linked", "deeper"}));
        QCOMPARE(w->File1->path(), tmp.path() + "/linked");
        QCOMPARE(shown(w->File1), QStringList {"in alpha.mp3"});

        // Enter on an entry of the chain goes back up.
        w->Dir1->setCurrentRow(int(chain.size()) - 1);
        QTest::keyClick(w->Dir1, Qt::Key_Return);
        QCOMPARE(w->Dir1->path(), tmp.path());
        QCOMPARE(shown(w->File1), QStringList {"file.mp3"});
        QCOMPARE(w.prompts.messages, QList<Message>());
    }

    void fileListShowsOnlyMp3Files()
    {
        QTemporaryDir tmp;
        makeFiles(tmp.path(),
                  {"zz.mp3", "B 100%.MP3", "a #1.mp3", "c  two  blanks.mp3", "día.mp3", "Ñandú.Mp3",
                   "Пісня.mp3", "日本.mp3", "notes.txt", "song.mp3.bak", "mp3", "track.mp4",
                   "folder.mp3/", ".hidden.mp3"});
        QVERIFY(::mkfifo(QFile::encodeName(tmp.path() + "/pipe.mp3").constData(), 0644) == 0);
        // Links count as what they point to; a broken one is nothing.
        QVERIFY(QFile::link("zz.mp3", tmp.path() + "/link.mp3"));
        QVERIFY(QFile::link("folder.mp3", tmp.path() + "/folder link.mp3"));
        QVERIFY(QFile::link("nowhere.mp3", tmp.path() + "/broken.mp3"));
        QVERIFY(QDir::setCurrent(tmp.path()));
        Window w;
        QVERIFY(w.openTool(w->Command6));
        QCOMPARE(w->File1->pattern(), QStringLiteral("*.mp3"));
        QCOMPARE(shown(w->File1),
                 (QStringList {"a #1.mp3", "B 100%.MP3", "c  two  blanks.mp3", "día.mp3",
                               "link.mp3", "Ñandú.Mp3", "zz.mp3", "Пісня.mp3", "日本.mp3"}));
    }

    void folderThatCannotBeOpened_data()
    {
        QTest::addColumn<Refused>("why");
        QTest::newRow("unreadable") << Refused::Locked;
        QTest::newRow("deleted since it was listed") << Refused::Deleted;
        QTest::newRow("no descriptor left") << Refused::NoDescriptors;
        QTest::newRow("no thread to be had") << Refused::NoThreads;
    }
    void folderThatCannotBeOpened()
    {
        QFETCH(Refused, why);
        // Root may open every folder and start threads past any limit.
        if ((why == Refused::Locked || why == Refused::NoThreads)
            && !runUnprivileged(
                qPrintable(QLatin1String("folderThatCannotBeOpened:") + QTest::currentDataTag())))
            return;
        QTemporaryDir tmp;
        makeFiles(tmp.path(), {"bad/", "bad/inside.mp3", "open/", "open/a.mp3", "top.mp3"});
        const QString bad = tmp.path() + "/bad";
        if (why == Refused::Locked)
            QVERIFY(QFile::setPermissions(bad, {}));
        const auto unlock = qScopeGuard([&] {
            QFile::setPermissions(bad, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        QVERIFY(QDir::setCurrent(tmp.path()));
        Window w;
        QVERIFY(w.openTool(w->Command6));
        const QStringList folders = shown(w->Dir1);
        if (why == Refused::Deleted)
            QVERIFY(QDir(bad).removeRecursively());

        {
            // For the open alone, the system has no descriptor, or no thread, left to give.
            const int limit = why == Refused::NoDescriptors ? RLIMIT_NOFILE : RLIMIT_NPROC;
            rlimit saved {};
            QCOMPARE(::getrlimit(limit, &saved), 0);
            rlimit tight = saved;
            tight.rlim_cur = why == Refused::NoDescriptors ? lowestFreeDescriptor() : 1;
            const bool refusing = why == Refused::NoDescriptors || why == Refused::NoThreads;
            QVERIFY(!refusing || ::setrlimit(limit, &tight) == 0);
            const auto restore = qScopeGuard([&] { ::setrlimit(limit, &saved); });
            QVERIFY(openFolder(w->Dir1, "bad"));
        }
        // One message naming the folder; nothing else moves.
        QCOMPARE(w.prompts.messages, QList<Message> {cannotReadMessage(bad)});
        QCOMPARE(w->Dir1->path(), tmp.path());
        QCOMPARE(shown(w->Dir1), folders);
        QCOMPARE(shown(w->File1), QStringList {"top.mp3"});
        // The program goes on.
        QVERIFY(openFolder(w->Dir1, "open"));
        QCOMPARE(shown(w->File1), QStringList {"a.mp3"});
        QCOMPARE(w.prompts.messages.size(), 1);
    }

    void folderGoneBeforeTheFilesAreRead()
    {
        QTemporaryDir tmp;
        makeFiles(tmp.path(), {"a/", "a/x.mp3", "b/", "top.mp3"});
        QVERIFY(QDir::setCurrent(tmp.path()));
        Window w;
        QVERIFY(w.openTool(w->Command6));
        {
            // The folder list reads "b", which goes before the file list follows.
            const QSignalBlocker quiet(w->Dir1);
            QVERIFY(w->Dir1->setPath(tmp.path() + "/b"));
        }
        QVERIFY(QDir(tmp.path()).rmdir("b"));
        Q_EMIT w->Dir1->pathChanged();
        QCOMPARE(w.prompts.messages, QList<Message> {cannotReadMessage(tmp.path() + "/b")});
        QCOMPARE(w->File1->path(), tmp.path());
        QCOMPARE(shown(w->File1), QStringList {"top.mp3"});
    }

    void driveThatIsNotValid_data()
    {
        QTest::addColumn<int>("pick");
        QTest::newRow("not ready") << 2;
        QTest::newRow("root cannot be listed") << 3;
    }
    void driveThatIsNotValid()
    {
        QFETCH(int, pick);
        QTemporaryDir music, gone;
        makeFiles(music.path(), {"here/", "here/h.mp3", "top.mp3"});
        const QString goneRoot = gone.path();
        QVERIFY(gone.remove());
        QVERIFY(QDir::setCurrent(music.path() + "/here"));
        Window w;
        const QList<Volume> volumes {{"/", "", true},
                                     {music.path(), "MUSIC", true},
                                     {"/media/cdrom", "CD", false},
                                     {goneRoot, "STICK", true}};
        w->Drive1->setVolumeSource([volumes] { return volumes; });
        QVERIFY(w.openTool(w->Command6));
        QCOMPARE(shown(w->Drive1),
                 (QStringList {"/", music.path() + " [MUSIC]", "/media/cdrom [CD]",
                               goneRoot + " [STICK]"}));
        // The drive that holds the current folder is the one chosen at start.
        QCOMPARE(w->Drive1->currentIndex(), 1);
        const QStringList folders = shown(w->Dir1);
        const QStringList files = shown(w->File1);

        QVERIFY(pickWithListKeys(w->Drive1, pick));
        QCOMPARE(w.prompts.messages, QList<Message> {invalidDriveMessage});
        // The drive list shows the drive picked; the folders and files stay as they were.
        QCOMPARE(w->Drive1->currentIndex(), pick);
        QCOMPARE(w->Drive1->drive(), volumes[pick].rootPath);
        QCOMPARE(w->Dir1->path(), music.path() + "/here");
        QCOMPARE(shown(w->Dir1), folders);
        QCOMPARE(w->File1->path(), music.path() + "/here");
        QCOMPARE(shown(w->File1), files);

        // A valid drive afterwards: both lists follow it.
        QVERIFY(pickWithListKeys(w->Drive1, 1));
        QCOMPARE(w->Dir1->path(), music.path());
        QCOMPARE(shown(w->File1), QStringList {"top.mp3"});
        QCOMPARE(w.prompts.messages.size(), 1);
    }

    void drivesComeAndGo()
    {
        QTemporaryDir music, stick;
        makeFiles(stick.path(), {"on stick.mp3"});
        QList<Volume> volumes {{"/", "", true}, {music.path(), "USB", true}};
        QVERIFY(QDir::setCurrent(music.path()));
        Window w;
        w->Drive1->setVolumeSource([&volumes] { return volumes; });
        QVERIFY(w.openTool(w->Command6));
        QCOMPARE(w->Drive1->drive(), music.path());

        // The chosen drive goes away while the list is closed: when the user opens the list, it
        // stays chosen, shown as it was, and not ready, and nothing is said.
        volumes.removeLast();
        QTest::keyClick(w->Drive1, Qt::Key_Down, Qt::AltModifier);
        QVERIFY(QTest::qWaitFor([&] { return listIsOpen(w->Drive1); }));
        QTest::keyClick(w->Drive1->view(), Qt::Key_Escape);
        QCOMPARE(shown(w->Drive1), (QStringList {"/", music.path()}));
        QCOMPARE(w->Drive1->drive(), music.path());
        QVERIFY(!w->Drive1->isReady());

        // A drive mounted since: it is there when the user opens the list, and it opens.
        volumes.append({stick.path(), "STICK", true});
        QVERIFY(pickWithListKeys(w->Drive1, 1));
        QCOMPARE(shown(w->Drive1), (QStringList {"/", stick.path() + " [STICK]", music.path()}));
        QCOMPARE(w->Dir1->path(), stick.path());
        QCOMPARE(shown(w->File1), QStringList {"on stick.mp3"});
        QCOMPARE(w.prompts.messages, QList<Message>());
    }
};

TESMORA_TEST(TestPlayer)
#include "tst_player.moc"
