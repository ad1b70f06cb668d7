// The player's rules: slider value to volume, volume to gain, full paths, which mounts are
// drives, and how names are sorted (the collation itself is checked in tests/rules).

#include "player/playerrules.h"
#include "tests/support/testmain.h"

#include <QLocale>
#include <QTest>

using namespace tesmora;

namespace {

// A drive as a line of text: its root, its label if any, and "(not ready)" when it is not.
QStringList described(const QList<Volume> &drives)
{
    QStringList out;
    for (const Volume &v : drives) {
        QString line = v.rootPath;
        if (!v.label.isEmpty())
            line += u' ' + v.label;
        if (!v.ready)
            line += QLatin1String(" (not ready)");
        out.append(line);
    }
    return out;
}

} // namespace

class TestPlayerRules : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void volume_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("touches");
        QTest::addColumn<int>("volume");
        // Each step of the slider is 50 hundredths of a decibel, from -600 at 0 up to -100.
        QTest::newRow("0") << 0 << true << -600;
        QTest::newRow("1") << 1 << true << -550;
        QTest::newRow("2") << 2 << true << -500;
        QTest::newRow("3") << 3 << true << -450;
        QTest::newRow("4") << 4 << true << -400;
        QTest::newRow("5") << 5 << true << -350;
        QTest::newRow("6") << 6 << true << -300;
        QTest::newRow("7") << 7 << true << -250;
        QTest::newRow("8") << 8 << true << -200;
        QTest::newRow("9") << 9 << true << -150;
        QTest::newRow("10") << 10 << true << -100;
        QTest::newRow("11") << 11 << true << -100;
        QTest::newRow("1000") << 1000 << true << -100;
        QTest::newRow("int max") << std::numeric_limits<int>::max() << true << -100;
        QTest::newRow("-1") << -1 << false << 0;
        QTest::newRow("-50") << -50 << false << 0;
        QTest::newRow("int min") << std::numeric_limits<int>::min() << false << 0;
    }
    void volume()
    {
        QFETCH(int, value);
        QFETCH(bool, touches);
        QFETCH(int, volume);
        const auto v = volumeForSliderValue(value);
        QCOMPARE(v.has_value(), touches);
        if (touches)
            QCOMPARE(*v, volume);
    }

    void gain_data()
    {
        QTest::addColumn<int>("volume");
        QTest::addColumn<double>("gain");
        // 20 dB per decade of amplitude: 10^(v / 2000) for v in hundredths of a decibel.
        QTest::newRow("0 dB") << 0 << 1.0;
        QTest::newRow("-1 dB") << -100 << 0.891251;
        QTest::newRow("-3.5 dB") << -350 << 0.668344;
        QTest::newRow("-6 dB") << -600 << 0.501187;
        QTest::newRow("-20 dB") << -2000 << 0.1;
        QTest::newRow("-60 dB") << -6000 << 0.001;
        QTest::newRow("above full level is full level") << 600 << 1.0;
    }
    void gain()
    {
        QFETCH(int, volume);
        QFETCH(double, gain);
        QVERIFY2(qAbs(gainForVolume(volume) - gain) < 1e-6,
                 qPrintable(QString::number(gainForVolume(volume), 'g', 10)));
    }

    void slidersEndsDifferByFiveDecibels()
    {
        const double ratio
            = gainForVolume(*volumeForSliderValue(0)) / gainForVolume(*volumeForSliderValue(10));
        QVERIFY(qAbs(ratio - 0.562341) < 1e-5);
    }

    void join_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("path");
        QTest::newRow("root") << "/"
                              << "song.mp3"
                              << "/song.mp3";
        QTest::newRow("one level") << "/music"
                                   << "song.mp3"
                                   << "/music/song.mp3";
        QTest::newRow("deeper") << "/home/ana/Música"
                                << "01 Día.MP3"
                                << "/home/ana/Música/01 Día.MP3";
        QTest::newRow("mount root with slash") << "/media/usb/"
                                               << "a.mp3"
                                               << "/media/usb/a.mp3";
        QTest::newRow("blanks, # and %") << "/a b/#c%"
                                         << "x %20 #1.mp3"
                                         << "/a b/#c%/x %20 #1.mp3";
    }
    void join()
    {
        QFETCH(QString, folder);
        QFETCH(QString, name);
        QFETCH(QString, path);
        QCOMPARE(joinFolderAndFile(folder, name), path);
    }

    void pseudo_data()
    {
        QTest::addColumn<QByteArray>("type");
        QTest::addColumn<QString>("root");
        QTest::addColumn<bool>("pseudo");
        QTest::newRow("ext4 root") << QByteArray("ext4") << "/" << false;
        QTest::newRow("overlay root of a container") << QByteArray("overlay") << "/" << false;
        QTest::newRow("usb stick") << QByteArray("vfat") << "/run/media/ana/STICK" << false;
        QTest::newRow("network share") << QByteArray("nfs4") << "/mnt/music" << false;
        QTest::newRow("tmpfs /tmp") << QByteArray("tmpfs") << "/tmp" << false;
        QTest::newRow("proc") << QByteArray("proc") << "/proc" << true;
        QTest::newRow("sysfs") << QByteArray("sysfs") << "/sys" << true;
        QTest::newRow("shm") << QByteArray("tmpfs") << "/dev/shm" << true;
        QTest::newRow("run") << QByteArray("tmpfs") << "/run" << true;
        QTest::newRow("ext4 under /run") << QByteArray("ext4") << "/run/foo" << true;
        QTest::newRow("snap") << QByteArray("squashfs") << "/snap/core/1" << true;
        QTest::newRow("a /runner folder is not /run") << QByteArray("ext4") << "/runner" << false;
    }
    void pseudo()
    {
        QFETCH(QByteArray, type);
        QFETCH(QString, root);
        QFETCH(bool, pseudo);
        QCOMPARE(isPseudoFileSystem(type, root), pseudo);
    }

    void drives_data()
    {
        QTest::addColumn<QList<Mount>>("mounts");
        QTest::addColumn<QStringList>("drives");
        QTest::newRow("root and a stick among kernel mounts")
            << QList<Mount> {{"/", "ext4", "", true},
                             {"/proc", "proc", "", true},
                             {"/sys", "sysfs", "", true},
                             {"/run/media/ana/STICK", "vfat", "STICK", true}}
            << QStringList {"/", "/run/media/ana/STICK STICK"};
        QTest::newRow("chroot: nothing mounted at the root")
            << QList<Mount> {{"/proc", "proc", "", true},
                             {"/dev/shm", "tmpfs", "", true},
                             {"/home", "ext4", "home", true}}
            << QStringList {"/", "/home home"};
        QTest::newRow("no mount table at all") << QList<Mount> {} << QStringList {"/"};
        QTest::newRow("root on a memory file system")
            << QList<Mount> {{"/", "ramfs", "", true}} << QStringList {"/"};
        QTest::newRow("root mounted twice: shown once, as first listed")
            << QList<Mount> {{"/", "overlay", "overlay", true}, {"/", "ext4", "", true}}
            << QStringList {"/ overlay"};
        QTest::newRow("root listed later keeps its place")
            << QList<Mount> {{"/boot", "ext4", "boot", true}, {"/", "ext4", "", true}}
            << QStringList {"/boot boot", "/"};
        QTest::newRow("a drive that does not answer stays, not ready")
            << QList<Mount> {{"/", "ext4", "", true}, {"/mnt/music", "nfs4", "", false}}
            << QStringList {"/", "/mnt/music (not ready)"};
        QTest::newRow("a mount without a root path is none")
            << QList<Mount> {{"", "ext4", "", true}, {"/home", "ext4", "", true}}
            << QStringList {"/", "/home"};
    }
    void drives()
    {
        QFETCH(QList<Mount>, mounts);
        QFETCH(QStringList, drives);
        QCOMPARE(described(drivesAmong(mounts)), drives);
    }

    void mountTable_data()
    {
        QTest::addColumn<QByteArray>("line"); // of /proc/self/mountinfo
        QTest::addColumn<QStringList>("mount"); // root, type, device number; none if it fails
        QTest::newRow("root") << QByteArray("22 1 8:1 / / rw - ext4 /dev/sda1 rw")
                              << QStringList {"/", "ext4", "2049"};
        QTest::newRow("blanks and a backslash, escaped")
            << QByteArray("40 22 0:45 / /media/My\\040Music\\134x rw shared:1 - vfat /dev/sdb1 rw")
            << QStringList {"/media/My Music\\x", "vfat", "45"};
        QTest::newRow("large device numbers")
            << QByteArray("41 22 259:65536 / /mnt rw - ext4 /dev/nvme0n1p1 rw")
            << QStringList {"/mnt", "ext4", QString::number((259ULL << 8) | (65536ULL << 12))};
        QTest::newRow("no separator")
            << QByteArray("41 22 8:2 / /mnt rw ext4 /dev/sda2 rw") << QStringList {};
    }
    void mountTable()
    {
        QFETCH(QByteArray, line);
        QFETCH(QStringList, mount);
        const QList<Mount> mounts = parseMountInfo(line + "\n");
        QStringList got;
        for (const Mount &m : mounts)
            got << m.rootPath << QString::fromLatin1(m.type) << QString::number(m.device);
        QCOMPARE(got, mount);
        QCOMPARE(labelFromLinkName("My\\x20Music\\x2f"), QStringLiteral("My Music/"));
    }

    void sorting_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("sorted");
        QTest::newRow("C: case does not split the list")
            << "C" << QStringList {"b.mp3", "C.mp3", "a.MP3", "B2.mp3"}
            << QStringList {"a.MP3", "b.mp3", "B2.mp3", "C.mp3"};
        QTest::newRow("Spanish: the locale's own order")
            << "es_ES" << QStringList {"ñu.mp3", "nube.mp3", "oso.mp3"}
            << QStringList {"nube.mp3", "ñu.mp3", "oso.mp3"};
        QTest::newRow("equal but for case: byte order breaks the tie")
            << "C" << QStringList {"song.mp3", "Song.mp3"} << QStringList {"Song.mp3", "song.mp3"};
    }
    void sorting()
    {
        QFETCH(QString, locale);
        QFETCH(QStringList, names);
        QFETCH(QStringList, sorted);
        const QLocale before;
        QLocale::setDefault(QLocale(locale));
        sortNames(names);
        QLocale::setDefault(before);
        QCOMPARE(names, sorted);
    }
};

TESMORA_TEST(TestPlayerRules)
#include "tst_playerrules.moc"
