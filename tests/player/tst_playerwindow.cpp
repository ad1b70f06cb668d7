// The music panel inside the real window, with the window's own wiring and fake ports.

#include "player/drivelist.h"
#include "player/filelist.h"
#include "player/folderlist.h"
#include "tests/player/playerfixture.h"
#include "tests/support/window.h"

#include <QSlider>
#include <QTemporaryDir>

using namespace tesmora;
using namespace tesmora::testing;

namespace {

// Shows the window and opens the music panel through the menu, as the user does.
bool openPlayer(Window &w)
{
    w->show();
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    QTest::mouseClick(w->Command6, Qt::LeftButton);
    return w->Picture2->isVisible() && w->File1->isVisible();
}

} // namespace

class TestPlayerWindow : public QObject
{
    Q_OBJECT
    QString startFolder;
    QTemporaryDir tmp;

private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        startFolder = QDir::currentPath();
        make(tmp.path(),
             {"top.mp3", "albums/", "albums/Día 1/", "albums/Día 1/b song.mp3",
              "albums/Día 1/A song.MP3", "albums/Día 1/cover.jpg"});
        QVERIFY(QDir::setCurrent(tmp.path()));
    }
    void cleanupTestCase() { QDir::setCurrent(startFolder); }

    void startState()
    {
        Window w;
        w->show();
        // Nothing is listed or asked of the system for a panel nobody has opened yet.
        QCOMPARE(w->Drive1->count(), 0);
        QCOMPARE(w->Dir1->count(), 0);
        QCOMPARE(w->File1->count(), 0);
        QVERIFY(openPlayer(w));
        QVERIFY(w->Drive1->count() > 0);
        QVERIFY(tmp.path().startsWith(w->Drive1->drive()));
        QCOMPARE(w->Dir1->path(), tmp.path());
        QCOMPARE(w->File1->path(), tmp.path());
        QCOMPARE(w->File1->pattern(), QStringLiteral("*.mp3"));
        QCOMPARE(PlayerPanel::texts(w->File1), QStringList {"top.mp3"});
        QCOMPARE(w->Slider1->minimum(), 0);
        QCOMPARE(w->Slider1->maximum(), 10);
        QCOMPARE(w->Slider1->value(), 10);
        QVERIFY(w->MediaPlayer1->isHidden());
        // Start-up does not pay for the engine.
        QCOMPARE(w.enginesMade, 0);
        QCOMPARE(w.prompts.messages.size(), 0);
    }

    void browseLoadPlayStop()
    {
        Window w;
        QVERIFY(openPlayer(w));

        PlayerPanel::click(w->Dir1, "albums", true);
        PlayerPanel::click(w->Dir1, "Día 1", true);
        const QString folder = tmp.path() + "/albums/Día 1";
        QCOMPARE(w->Dir1->path(), folder);
        QCOMPARE(PlayerPanel::texts(w->File1), (QStringList {"A song.MP3", "b song.mp3"}));

        PlayerPanel::click(w->File1, "b song.mp3");
        QCOMPARE(w.enginesMade, 1);
        QCOMPARE(w.media->calls, (QStringList {"volume -100", "load " + folder + "/b song.mp3"}));
        QTest::mouseClick(w->Command9, Qt::LeftButton);
        QTest::keyClick(w->Slider1, Qt::Key_Left);
        QTest::mouseClick(w->Command11, Qt::LeftButton);
        QTest::mouseClick(w->Command10, Qt::LeftButton);
        QCOMPARE(w.media->calls.mid(2), (QStringList {"play", "volume -150", "stop"}));
        QCOMPARE(w.prompts.messages.size(), 0);
    }

    void aFileThatFailsToLoad()
    {
        Window w;
        QVERIFY(openPlayer(w));
        w.media->failLoads = true;
        PlayerPanel::click(w->File1, "top.mp3");
        QTRY_COMPARE(
            w.prompts.messages,
            (QList<Message> {
                {QStringLiteral("The file \"%1\" cannot be played.").arg(tmp.path() + "/top.mp3"),
                 applicationTitle()}}));
        QCOMPARE(PlayerPanel::texts(w->File1), QStringList {"top.mp3"});
    }

    void aFolderGoneSinceItWasListed()
    {
        QVERIFY(QDir(tmp.path()).mkpath("gone soon"));
        Window w;
        QVERIFY(openPlayer(w));
        const QStringList folders = PlayerPanel::texts(w->Dir1);
        QVERIFY(folders.contains("gone soon"));
        QVERIFY(QDir(tmp.path() + "/gone soon").removeRecursively());
        PlayerPanel::click(w->Dir1, "gone soon", true);
        // One message naming the folder, through the window's own wiring; nothing else moves.
        QTRY_COMPARE(w.prompts.messages.size(), 1);
        QVERIFY(w.prompts.messages.first().text.contains(tmp.path() + "/gone soon"));
        QCOMPARE(w->Dir1->path(), tmp.path());
        QCOMPARE(PlayerPanel::texts(w->Dir1), folders);
        QCOMPARE(PlayerPanel::texts(w->File1), QStringList {"top.mp3"});
    }

    void aDriveThatIsNotReady()
    {
        Window w;
        QVERIFY(openPlayer(w));
        const QList<Volume> volumes {{"/", "", true}, {"/media/cdrom", "CD", false}};
        w->Drive1->setVolumeSource([volumes] { return volumes; });
        const QStringList folders = PlayerPanel::texts(w->Dir1);
        w->Drive1->setCurrentIndex(1);
        QCOMPARE(w.prompts.messages,
                 (QList<Message> {{"Please use a valid drive", applicationTitle()}}));
        QCOMPARE(w->Drive1->drive(), QStringLiteral("/media/cdrom"));
        QCOMPARE(w->Dir1->path(), tmp.path());
        QCOMPARE(PlayerPanel::texts(w->Dir1), folders);
        QCOMPARE(PlayerPanel::texts(w->File1), QStringList {"top.mp3"});
        // The root drive works.
        w->Drive1->setCurrentIndex(0);
        QCOMPARE(w->Dir1->path(), QStringLiteral("/"));
        QCOMPARE(w->File1->path(), QStringLiteral("/"));
        QCOMPARE(w.prompts.messages.size(), 1);
    }
};

QTEST_MAIN(TestPlayerWindow)
#include "tst_playerwindow.moc"
