// The music panel's handlers on the real drive, folder and file lists, over folders made by the
// test, with a recording media engine.

#include "player/playerrules.h"
#include "tests/player/playerfixture.h"

#include <QFileInfo>
#include <QSet>
#include <QSignalSpy>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <unistd.h>

using namespace tesmora;
using namespace tesmora::testing;

namespace {

QString cannotPlay(const QString &path)
{
    return QStringLiteral("The file \"%1\" cannot be played.").arg(path);
}
QString cannotRead(const QString &path)
{
    return QStringLiteral("The folder \"%1\" cannot be read.").arg(path);
}

} // namespace

class TestPlayer : public QObject
{
    Q_OBJECT
    QString startFolder;
    PatientFolderReading patience; // also for the lists made without a panel

private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        startFolder = QDir::currentPath();
    }
    void cleanup() { QDir::setCurrent(startFolder); }

    void startsAtTheCurrentFolder()
    {
        QTemporaryDir tmp;
        make(tmp.path(), {"b.mp3", "a.mp3", "c.txt", "sub/"});
        QDir::setCurrent(tmp.path());
        PlayerPanel panel;
        QCOMPARE(panel.Dir1->path(), tmp.path());
        QCOMPARE(panel.File1->path(), tmp.path());
        QCOMPARE(PlayerPanel::texts(panel.File1), (QStringList {"a.mp3", "b.mp3"}));
        // The volume that holds the folder; the root where the mount table knows none.
        const QString holder = QStorageInfo(tmp.path()).rootPath();
        QCOMPARE(panel.Drive1->drive(), holder.isEmpty() ? QStringLiteral("/") : holder);
        QCOMPARE(panel.Slider1->minimum(), 0);
        QCOMPARE(panel.Slider1->maximum(), 10);
        QCOMPARE(panel.Slider1->value(), 10);
        QCOMPARE(panel.enginesMade, 0);
        QCOMPARE(panel.prompts.messages.size(), 0);
    }

    void startFolderRemoved()
    {
        QTemporaryDir tmp;
        make(tmp.path(), {"a/", "a/b/"});
        QVERIFY(QDir::setCurrent(tmp.path() + "/a/b"));
        QVERIFY(QDir(tmp.path() + "/a").rmdir("b"));
        // The system no longer tells where the program stands: the lists start at the root.
        FolderList folders;
        FileList files;
        folders.show();
        files.show();
        QCOMPARE(folders.path(), QStringLiteral("/"));
        QVERIFY(folders.count() > 1);
        QVERIFY(files.setPath(tmp.path()));
    }

    void startFolderUnreadable()
    {
        if (!runUnprivileged("startFolderUnreadable"))
            return;
        QTemporaryDir tmp;
        make(tmp.path(), {"a/", "a/b/", "a/x.mp3"});
        QVERIFY(QDir::setCurrent(tmp.path() + "/a/b"));
        QVERIFY(QFile::setPermissions(tmp.path() + "/a/b", {}));
        const auto unlock = qScopeGuard([&] {
            QFile::setPermissions(tmp.path() + "/a/b",
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        FolderList folders;
        FileList files;
        folders.show();
        files.show();
        QCOMPARE(folders.path(), tmp.path() + "/a");
        QCOMPARE(folders.item(folders.count() - 1)->text(), QStringLiteral("b"));
        QCOMPARE(files.path(), tmp.path() + "/a/b");
        QCOMPARE(files.count(), 0);
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
        make(tmp.path(), {folder + u'/', folder + u'/' + file});
        PlayerPanel panel;
        QVERIFY(panel.Dir1->setPath(where));
        QCOMPARE(panel.File1->path(), where);
        PlayerPanel::click(panel.File1, file);
        QCOMPARE(panel.enginesMade, 1);
        // Loading does not start it: nothing but the start volume and the load.
        QCOMPARE(panel.media->calls, (QStringList {"volume -100", "load " + where + u'/' + file}));
        QCOMPARE(panel.prompts.messages.size(), 0);
    }

    void fileClickAtTheRoot()
    {
        const QString name = QStringLiteral("tesmora-test-%1.mp3").arg(::getpid());
        QFile f(u'/' + name);
        if (!f.open(QIODevice::WriteOnly))
            QSKIP("the root folder is not writable here: no file can be made there");
        f.close();
        const auto removeAfter = qScopeGuard([&] { QFile::remove(u'/' + name); });
        PlayerPanel panel;
        QVERIFY(panel.Dir1->setPath(QStringLiteral("/")));
        QCOMPARE(panel.File1->path(), QStringLiteral("/"));
        PlayerPanel::click(panel.File1, name);
        QCOMPARE(panel.media->calls.last(), "load /" + name);
    }

    void sameFileAgainLoadsAgain()
    {
        QTemporaryDir tmp;
        make(tmp.path(), {"a.mp3"});
        PlayerPanel panel;
        QVERIFY(panel.Dir1->setPath(tmp.path()));
        PlayerPanel::click(panel.File1, "a.mp3");
        PlayerPanel::click(panel.File1, "a.mp3");
        const QString load = "load " + tmp.path() + "/a.mp3";
        QCOMPARE(panel.media->calls, (QStringList {"volume -100", load, load}));
        QCOMPARE(panel.enginesMade, 1);
    }

    void keyboardPicksAFile()
    {
        QTemporaryDir tmp;
        make(tmp.path(), {"a.mp3", "b.mp3"});
        PlayerPanel panel;
        QVERIFY(panel.Dir1->setPath(tmp.path()));
        PlayerPanel::click(panel.File1, "a.mp3");
        QTest::keyClick(panel.File1, Qt::Key_Down);
        QCOMPARE(panel.media->calls.last(), "load " + tmp.path() + "/b.mp3");
        QCOMPARE(panel.media->calls.size(), 3);
    }

    void volume_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("call"); // empty: the player is not touched
        for (int v = 0; v <= 10; ++v)
            QTest::addRow("%d", v) << v << QStringLiteral("volume %1").arg(-600 + 50 * v);
        QTest::newRow("11") << 11 << "volume -100";
        QTest::newRow("20") << 20 << "volume -100";
        QTest::newRow("-1") << -1 << "";
        QTest::newRow("-20") << -20 << "";
    }
    void volume()
    {
        QFETCH(int, value);
        QFETCH(QString, call);
        QTemporaryDir tmp;
        make(tmp.path(), {"a.mp3"});
        PlayerPanel panel;
        // Room beyond the panel's own range, as a slider of another range would report.
        panel.Slider1->setRange(-20, 20);
        panel.Slider1->setValue(value == 5 ? 6 : 5);
        QVERIFY(panel.Dir1->setPath(tmp.path()));
        PlayerPanel::click(panel.File1, "a.mp3");
        const qsizetype before = panel.media->calls.size();
        panel.Slider1->setValue(value);
        const QStringList after = panel.media->calls.mid(before);
        QCOMPARE(after, call.isEmpty() ? QStringList() : QStringList {call});
    }

    void volumeBeforeTheEngineExists()
    {
        QTemporaryDir tmp;
        make(tmp.path(), {"a.mp3"});
        PlayerPanel panel;
        panel.Slider1->setValue(0);
        panel.Slider1->setValue(3);
        QCOMPARE(panel.enginesMade, 0);
        QVERIFY(panel.Dir1->setPath(tmp.path()));
        PlayerPanel::click(panel.File1, "a.mp3");
        QCOMPARE(panel.media->calls,
                 (QStringList {"volume -450", "load " + tmp.path() + "/a.mp3"}));
    }

    void playAndStopBeforeAnyLoad()
    {
        QTemporaryDir tmp;
        make(tmp.path(), {"a.mp3"});
        QDir::setCurrent(tmp.path());
        PlayerPanel panel;
        const QStringList files = PlayerPanel::texts(panel.File1);
        const QStringList folders = PlayerPanel::texts(panel.Dir1);
        QTest::mouseClick(panel.Command9, Qt::LeftButton);
        QTest::mouseClick(panel.Command10, Qt::LeftButton);
        QTest::mouseClick(panel.Command9, Qt::LeftButton);
        QCOMPARE(panel.enginesMade, 0);
        QCOMPARE(panel.media->calls, QStringList());
        QCOMPARE(panel.prompts.messages.size(), 0);
        QCOMPARE(PlayerPanel::texts(panel.File1), files);
        QCOMPARE(PlayerPanel::texts(panel.Dir1), folders);
        QCOMPARE(panel.Slider1->value(), 10);
    }

    void playAndStopAfterLoad()
    {
        QTemporaryDir tmp;
        make(tmp.path(), {"a.mp3"});
        PlayerPanel panel;
        QVERIFY(panel.Dir1->setPath(tmp.path()));
        PlayerPanel::click(panel.File1, "a.mp3");
        QTest::mouseClick(panel.Command9, Qt::LeftButton);
        QTest::mouseClick(panel.Command10, Qt::LeftButton);
        QCOMPARE(panel.media->calls.mid(2), (QStringList {"play", "stop"}));
    }

    void command11DoesNothing()
    {
        QTemporaryDir tmp;
        make(tmp.path(), {"a.mp3", "b.mp3"});
        PlayerPanel panel;
        QVERIFY(panel.Dir1->setPath(tmp.path()));
        PlayerPanel::click(panel.File1, "b.mp3");
        const QStringList calls = panel.media->calls;
        const QStringList files = PlayerPanel::texts(panel.File1);
        const QStringList folders = PlayerPanel::texts(panel.Dir1);
        QTest::mouseClick(panel.Command11, Qt::LeftButton);
        panel.player->Command11_Click();
        QCOMPARE(panel.media->calls, calls);
        QCOMPARE(panel.prompts.messages.size(), 0);
        QCOMPARE(PlayerPanel::texts(panel.File1), files);
        QCOMPARE(panel.File1->fileName(), QStringLiteral("b.mp3"));
        QCOMPARE(PlayerPanel::texts(panel.Dir1), folders);
        QCOMPARE(panel.Dir1->path(), tmp.path());
        QCOMPARE(panel.Slider1->value(), 10);
    }

    void aFileThatCannotBeLoaded()
    {
        QTemporaryDir tmp;
        make(tmp.path(), {"bad.mp3", "good.mp3"});
        PlayerPanel panel;
        QVERIFY(panel.Dir1->setPath(tmp.path()));
        PlayerPanel::click(panel.File1, "bad.mp3");
        QCOMPARE(panel.media->failures.size(), 1);
        panel.media->failures.first()();
        QCOMPARE(panel.prompts.messages,
                 (QList<Message> {{cannotPlay(tmp.path() + "/bad.mp3"), applicationTitle()}}));
        QCOMPARE(PlayerPanel::texts(panel.File1), (QStringList {"bad.mp3", "good.mp3"}));
        QCOMPARE(panel.Dir1->path(), tmp.path());
        // The program goes on: the next file loads.
        PlayerPanel::click(panel.File1, "good.mp3");
        QCOMPARE(panel.media->calls.last(), "load " + tmp.path() + "/good.mp3");
        QCOMPARE(panel.prompts.messages.size(), 1);
    }

    void folderListWalksDownAndUp()
    {
        QTemporaryDir tmp;
        make(tmp.path(),
             {"Zeta/", "alpha/", "Beta dir/", "#5 %x/", ".hidden/", "file.mp3",
              "alpha/in alpha.mp3", "alpha/deeper/"});
        PlayerPanel panel;
        QVERIFY(panel.Dir1->setPath(tmp.path()));
        QStringList chain {"/"};
        chain += tmp.path().split(u'/', Qt::SkipEmptyParts);
        QCOMPARE(PlayerPanel::texts(panel.Dir1),
                 (chain + QStringList {"#5 %x", "alpha", "Beta dir", "Zeta"}));
        QCOMPARE(PlayerPanel::texts(panel.File1), QStringList {"file.mp3"});
        panel.window.show();

        PlayerPanel::click(panel.Dir1, "alpha", true);
        QCOMPARE(panel.Dir1->path(), tmp.path() + "/alpha");
        QCOMPARE(PlayerPanel::texts(panel.Dir1), (chain + QStringList {"alpha", "deeper"}));
        QCOMPARE(panel.File1->path(), tmp.path() + "/alpha");
        QCOMPARE(PlayerPanel::texts(panel.File1), QStringList {"in alpha.mp3"});

        // Enter on an entry of the chain goes back up.
        panel.Dir1->setCurrentRow(int(chain.size()) - 1);
        QTest::keyClick(panel.Dir1, Qt::Key_Return);
        QCOMPARE(panel.Dir1->path(), tmp.path());
        QCOMPARE(PlayerPanel::texts(panel.File1), QStringList {"file.mp3"});
        QCOMPARE(panel.prompts.messages.size(), 0);
    }

    void fileListShowsOnlyMp3Files()
    {
        QTemporaryDir tmp;
        make(tmp.path(),
             {"zz.mp3", "B 100%.MP3", "a #1.mp3", "c  two  blanks.mp3", "día.mp3", "Ñandú.Mp3",
              "Пісня.mp3", "日本.mp3", "notes.txt", "song.mp3.bak", "mp3", "track.mp4",
              "folder.mp3/", ".hidden.mp3"});
        QVERIFY(::mkfifo(QFile::encodeName(tmp.path() + "/pipe.mp3").constData(), 0644) == 0);
        PlayerPanel panel;
        QVERIFY(panel.Dir1->setPath(tmp.path()));
        QCOMPARE(PlayerPanel::texts(panel.File1),
                 (QStringList {"a #1.mp3", "B 100%.MP3", "c  two  blanks.mp3", "día.mp3",
                               "Ñandú.Mp3", "zz.mp3", "Пісня.mp3", "日本.mp3"}));
    }

    void unreadableFolder()
    {
        if (!runUnprivileged("unreadableFolder"))
            return;
        QTemporaryDir tmp;
        make(tmp.path(), {"locked/", "locked/inside.mp3", "open/", "open/a.mp3", "top.mp3"});
        QVERIFY(QFile::setPermissions(tmp.path() + "/locked", {}));
        const auto unlock = qScopeGuard([&] {
            QFile::setPermissions(tmp.path() + "/locked",
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        PlayerPanel panel;
        QVERIFY(panel.Dir1->setPath(tmp.path()));
        panel.window.show();
        const QStringList folders = PlayerPanel::texts(panel.Dir1);
        PlayerPanel::click(panel.Dir1, "locked", true);
        QCOMPARE(panel.prompts.messages,
                 (QList<Message> {{cannotRead(tmp.path() + "/locked"), applicationTitle()}}));
        QCOMPARE(panel.Dir1->path(), tmp.path());
        QCOMPARE(PlayerPanel::texts(panel.Dir1), folders);
        QCOMPARE(PlayerPanel::texts(panel.File1), QStringList {"top.mp3"});
        // The program goes on.
        PlayerPanel::click(panel.Dir1, "open", true);
        QCOMPARE(PlayerPanel::texts(panel.File1), QStringList {"a.mp3"});
        QCOMPARE(panel.prompts.messages.size(), 1);
    }

    void folderDeletedAfterItWasListed()
    {
        QTemporaryDir tmp;
        make(tmp.path(), {"gone/", "stays/", "stays/s.mp3", "top.mp3"});
        PlayerPanel panel;
        QVERIFY(panel.Dir1->setPath(tmp.path()));
        panel.window.show();
        const QStringList folders = PlayerPanel::texts(panel.Dir1);
        QVERIFY(QDir(tmp.path()).rmdir("gone"));
        PlayerPanel::click(panel.Dir1, "gone", true);
        QCOMPARE(panel.prompts.messages,
                 (QList<Message> {{cannotRead(tmp.path() + "/gone"), applicationTitle()}}));
        QCOMPARE(panel.Dir1->path(), tmp.path());
        QCOMPARE(PlayerPanel::texts(panel.Dir1), folders);
        QCOMPARE(PlayerPanel::texts(panel.File1), QStringList {"top.mp3"});
        PlayerPanel::click(panel.Dir1, "stays", true);
        QCOMPARE(PlayerPanel::texts(panel.File1), QStringList {"s.mp3"});
        QCOMPARE(panel.prompts.messages.size(), 1);
    }

    void fileListFolderVanishes()
    {
        QTemporaryDir tmp;
        make(tmp.path(), {"a/", "a/x.mp3", "b/", "top.mp3"});
        PlayerPanel panel;
        QVERIFY(panel.Dir1->setPath(tmp.path()));
        {
            // Dir1 reads "b", then it goes before the file list reads it.
            const QSignalBlocker quiet(panel.Dir1);
            QVERIFY(panel.Dir1->setPath(tmp.path() + "/b"));
        }
        QVERIFY(QDir(tmp.path()).rmdir("b"));
        panel.player->Dir1_Change();
        QCOMPARE(panel.prompts.messages,
                 (QList<Message> {{cannotRead(tmp.path() + "/b"), applicationTitle()}}));
        QCOMPARE(panel.File1->path(), tmp.path());
        QCOMPARE(PlayerPanel::texts(panel.File1), QStringList {"top.mp3"});
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
        make(music.path(), {"here/", "here/h.mp3", "top.mp3"});
        const QString goneRoot = gone.path();
        QVERIFY(gone.remove());
        QDir::setCurrent(music.path() + "/here");
        PlayerPanel panel;
        const QList<Volume> volumes {{"/", "", true},
                                     {music.path(), "MUSIC", true},
                                     {"/media/cdrom", "CD", false},
                                     {goneRoot, "STICK", true}};
        panel.Drive1->setVolumeSource([volumes] { return volumes; });
        QCOMPARE(panel.Drive1->count(), 4);
        QCOMPARE(panel.Drive1->itemText(0), QStringLiteral("/"));
        QCOMPARE(panel.Drive1->itemText(1), music.path() + " [MUSIC]");
        QCOMPARE(panel.Drive1->itemText(2), QStringLiteral("/media/cdrom [CD]"));
        // The drive that holds the current folder is the one chosen at start.
        QCOMPARE(panel.Drive1->currentIndex(), 1);
        const QStringList folders = PlayerPanel::texts(panel.Dir1);
        const QStringList files = PlayerPanel::texts(panel.File1);

        panel.Drive1->setCurrentIndex(pick);
        QCOMPARE(panel.prompts.messages,
                 (QList<Message> {{"Please use a valid drive", applicationTitle()}}));
        QCOMPARE(panel.Drive1->currentIndex(), pick);
        QCOMPARE(panel.Drive1->drive(), volumes[pick].rootPath);
        QCOMPARE(panel.Dir1->path(), music.path() + "/here");
        QCOMPARE(PlayerPanel::texts(panel.Dir1), folders);
        QCOMPARE(panel.File1->path(), music.path() + "/here");
        QCOMPARE(PlayerPanel::texts(panel.File1), files);

        // A valid drive afterwards: both lists follow it.
        panel.Drive1->setCurrentIndex(1);
        QCOMPARE(panel.Dir1->path(), music.path());
        QCOMPARE(PlayerPanel::texts(panel.File1), QStringList {"top.mp3"});
        QCOMPARE(panel.prompts.messages.size(), 1);
    }

    void driveListKeepsAVanishedDrive()
    {
        QTemporaryDir music;
        QList<Volume> volumes {{"/", "", true}, {music.path(), "USB", true}};
        QDir::setCurrent(music.path());
        DriveList drives;
        drives.setVolumeSource([&volumes] { return volumes; });
        QCOMPARE(drives.drive(), music.path());
        QSignalSpy changed(&drives, &DriveList::driveChanged);
        volumes.removeLast();
        drives.refresh();
        QCOMPARE(drives.drive(), music.path());
        QVERIFY(!drives.isReady());
        QCOMPARE(changed.size(), 0);
    }
};

QTEST_MAIN(TestPlayer)
#include "tst_player.moc"
