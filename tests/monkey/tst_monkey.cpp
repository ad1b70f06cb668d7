// Seeded random use of the whole window. After every event: at most one tool open and only its
// button enabled, no tool panel left shown with no tool open, the result box holding a result,
// an error text or what the user typed, and the clock labels holding a time and a date.
//
// TESMORA_MONKEY_EVENTS sets the number of events over all seeds, TESMORA_MONKEY_SEEDS the
// number of seeds, and TESMORA_MONKEY_SEED runs that one seed alone. TESMORA_MONKEY_PART=k/n
// walks only the k-th of n shares of the seeds, so that n processes can walk side by side.

#include "tests/monkey/monkey.h"
#include "tests/support/heartbeat.h"
#include "tests/support/testmain.h"
#include "tests/support/tools.h"
#include "tests/support/watchdog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace tesmora;
using namespace tesmora::testing;

namespace {

qint64 fromEnvironment(const char *name, qint64 fallback)
{
    bool ok = false;
    const qint64 v = qEnvironmentVariable(name).toLongLong(&ok);
    return ok && v > 0 ? v : fallback;
}

// The offscreen platform says so for every popup and every font without a shaper; so many lines
// would hide the test's own figures past Qt Test's cap on warnings.
QtMessageHandler testLog = nullptr;
void quietPlatform(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg
        && (message.startsWith(QLatin1String("This plugin does not support"))
            || message.contains(QLatin1String("OpenType support missing"))))
        return;
    testLog(type, context, message);
}

const char *const locales[] = {"C", "en_US", "de_DE", "sv_SE", "ar_EG"};

} // namespace

class TestMonkey : public WatchedTest
{
    Q_OBJECT
    QTemporaryDir tmp;
    QString root;
    QString startFolder;
    qint64 perSeed = 0;
    qint64 totalEvents = 0;
    qint64 totalMs = 0;
    qint64 longestStall = 0;
    QSet<QString> allToolsOpened;

private Q_SLOTS:
    void initTestCase()
    {
        testLog = qInstallMessageHandler(quietPlatform);
        QVERIFY(tmp.isValid());
        root = tmp.path();
        startFolder = QDir::currentPath();
        for (const char *folder : {"a/music/sub", "a/Día 1", "a/#?%", "b/deep/er"})
            QVERIFY(QDir(root).mkpath(QString::fromUtf8(folder)));
        for (const char *file : {"a/music/one.mp3", "a/music/TWO.MP3", "a/music/#3 ?%.mp3",
                                 "a/Día 1/canción.mp3", "b/deep/x.mp3", "a/music/notes.txt"}) {
            QFile f(root + u'/' + QString::fromUtf8(file));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        // A list opened by a click takes the next click at once, as it does for a slower hand.
        QApplication::setDoubleClickInterval(1);
        const qint64 seeds = fromEnvironment("TESMORA_MONKEY_SEEDS", 20);
        perSeed = std::max<qint64>(1, fromEnvironment("TESMORA_MONKEY_EVENTS", 40000) / seeds);
    }

    void cleanupTestCase()
    {
        QDir::setCurrent(startFolder);
        // Every window of the runs goes away, popups and tips included.
        const auto left = [] {
            QStringList names;
            for (const QWidget *w : QApplication::topLevelWidgets())
                names.append(QString::fromLatin1(w->metaObject()->className()) + u'/'
                             + w->objectName());
            return names;
        };
        const bool gone = QTest::qWaitFor(
            [&] {
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                return left().isEmpty();
            },
            5000);
        QVERIFY2(gone, qPrintable(left().join(u' ')));
        // A walk of some length reaches every tool, or it tests little.
        if (totalEvents >= 20000)
            QCOMPARE(allToolsOpened.size(), toolButtons.size());
        qInstallMessageHandler(testLog);
        if (totalMs > 0)
            qInfo("monkey: %lld events in %lld ms (%lld events/s), longest event-loop stall "
                  "%lld ms",
                  static_cast<long long>(totalEvents), static_cast<long long>(totalMs),
                  static_cast<long long>(totalEvents * 1000 / totalMs),
                  static_cast<long long>(longestStall));
    }

    void walk_data()
    {
        QTest::addColumn<quint32>("seed");
        const qint64 only = fromEnvironment("TESMORA_MONKEY_SEED", 0);
        const qint64 seeds = fromEnvironment("TESMORA_MONKEY_SEEDS", 20);
        const QStringList part = qEnvironmentVariable("TESMORA_MONKEY_PART").split(u'/');
        const int share = part.size() == 2 ? part[0].toInt() : 1;
        const int shares = part.size() == 2 ? part[1].toInt() : 1;
        QVERIFY2(shares >= 1 && share >= 1 && share <= shares, "TESMORA_MONKEY_PART is k/n");
        for (qint64 s = 1; s <= seeds; ++s) {
            if (!only && (s - 1) % shares != share - 1)
                continue;
            const quint32 seed = only ? quint32(only) : quint32(20261208 + s);
            QTest::addRow("seed %u", seed) << seed;
            if (only)
                break;
        }
    }

    void walk()
    {
        QFETCH(quint32, seed);
        const QLocale locale(QString::fromLatin1(locales[seed % std::size(locales)]));
        QRandomGenerator rng(seed);
        QList<MonkeyEvent> events;
        QString broken;
        QSet<QString> toolsOpened;
        qint64 stall = 0;
        {
            MonkeyRun run(root, locale);
            Heartbeat heart;
            QElapsedTimer spent;
            spent.start();
            for (qint64 i = 0; i < perSeed && broken.isEmpty(); ++i) {
                events.append(run.next(rng));
                run.run(events.last());
                broken = run.check();
                const QString front = toolSeen(run.window().form.get());
                if (!front.isEmpty())
                    toolsOpened.insert(front);
            }
            stall = heart.longestStall().count();
            totalMs += spent.elapsed();
            totalEvents += events.size();
            longestStall = std::max(longestStall, stall);
        }
        qInfo("seed %u, locale %s: %lld events, %lld tools opened, longest stall %lld ms", seed,
              qPrintable(locale.name()), static_cast<long long>(events.size()),
              static_cast<long long>(toolsOpened.size()), static_cast<long long>(stall));
        if (!broken.isEmpty()) {
            // The seed walks the same events again; the last ones say what led up to the fault.
            QString report = QStringLiteral("seed %1 (TESMORA_MONKEY_SEED=%1), locale %2: after "
                                            "event %3: %4\nits last events:\n")
                                 .arg(seed)
                                 .arg(locale.name())
                                 .arg(events.size())
                                 .arg(broken);
            for (const MonkeyEvent &e : events.mid(std::max<qsizetype>(0, events.size() - 20)))
                report += QStringLiteral("  ") + e.describe() + u'\n';
            QFAIL(qPrintable(report));
        }
        allToolsOpened.unite(toolsOpened);
    }
};

TESMORA_TEST(TestMonkey)
#include "tst_monkey.moc"
