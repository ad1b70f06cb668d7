// The clock tick in the window: the running timer, the normal, minimised and maximised states;
// which second and date a wake-up shows and when it arms the next one (the arithmetic itself is
// tst_tickphase.cpp's, the texts tst_clocktext.cpp's); the whole text on one line; no repaint
// for a text that stays.

#include "app/builder.h"
#include "app/inventory.h"
#include "clock/clocktext.h"
#include "clock/tickphase.h"
#include "tests/support/defaultlocale.h"
#include "tests/support/testmain.h"
#include "tests/support/watchdog.h"
#include "tests/support/window.h"

#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace tesmora;
using namespace tesmora::testing;

namespace {
// One tick of the window's timer, as the timer delivers it.
void tick(Window &w)
{
    QVERIFY(QMetaObject::invokeMethod(w->Timer1, "timeout", Qt::DirectConnection));
}

// The box of an image that holds ink: anything other than the colour of its corner.
QRect inkOf(const QImage &image)
{
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    QRect ink;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != img.pixel(0, 0))
                ink |= QRect(x, y, 1, 1);
    return ink;
}

// The width of the image freeInk() draws in.
int freeWidth(const QString &text, const QFont &font)
{
    const QFontMetrics m(font);
    return m.horizontalAdvance(text) + 4 * m.height();
}

// The ink of `text` drawn on one line in `font`, with room to spare on every side.
QRect freeInk(const QString &text, const QFont &font)
{
    const QFontMetrics m(font);
    QImage image(freeWidth(text, font), 3 * m.height(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(image.rect(), Qt::AlignCenter | Qt::TextSingleLine, text);
    p.end();
    return inkOf(image);
}
// Counts the paint events a widget receives.
class Paints : public QObject
{
public:
    explicit Paints(QWidget *w) { w->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            ++count;
        return false;
    }
};
} // namespace

class TestClockTick : public WatchedTest
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void cleanupTestCase() { QLocale::setDefault(saved); }
    void theTimerRunsFromStart();
    void minimisedAndMaximised_data();
    void minimisedAndMaximised();
    void wakeUps_data();
    void wakeUps();
    void wholeTextOnOneLine_data();
    void wholeTextOnOneLine();
    void noRepaintForATextThatStays();

private:
    const QLocale saved;
};

void TestClockTick::theTimerRunsFromStart()
{
    Window w;
    QSignalSpy ticks(w->Timer1, &QTimer::timeout);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
    // Shown, the labels stay empty until the first tick, which comes about half a second after
    // the start (a slow machine may have ticked already).
    QCOMPARE(w->Label1->text().isEmpty(), ticks.isEmpty());
    QTRY_COMPARE(w->Label1->text(), QStringLiteral("12:04:22"));
    QCOMPARE(w->Label2->text(), QStringLiteral("2026-12-07"));
    QCOMPARE(w->windowTitle(), QStringLiteral("Tesmora.     ver. 1.0.9"));
}

void TestClockTick::minimisedAndMaximised_data()
{
    QTest::addColumn<int>("state");
    QTest::newRow("minimised") << int(Qt::WindowMinimized);
    QTest::newRow("maximised") << int(Qt::WindowMaximized);
}

void TestClockTick::minimisedAndMaximised()
{
    QFETCH(int, state);
    Window w;
    tick(w);
    QCOMPARE(w->Label1->text(), QStringLiteral("12:04:22"));
    w->setWindowState(Qt::WindowState(state));
    w.now = QDateTime(QDate(2026, 12, 8), QTime(1, 2, 3));
    tick(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("01:02:03 (2026-12-08) "));
    // The labels keep what they showed.
    QCOMPARE(w->Label1->text(), QStringLiteral("12:04:22"));
    QCOMPARE(w->Label2->text(), QStringLiteral("2026-12-07"));
    w.now = w.now.addSecs(1);
    tick(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("01:02:04 (2026-12-08) "));

    // Restored: the labels show the time again, the title is the product's.
    w->setWindowState(Qt::WindowNoState);
    w.now = QDateTime(QDate(2026, 12, 9), QTime(8, 0, 0));
    tick(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("Tesmora.     ver. 1.0.9"));
    QCOMPARE(w->Label1->text(), QStringLiteral("08:00:00"));
    QCOMPARE(w->Label2->text(), QStringLiteral("2026-12-09"));
}

void TestClockTick::wakeUps_data()
{
    // After a tick at `before` plus half a second, the next one is armed for the boundary after
    // it, and wakes at `wake`: it shows the time and the date of its boundary.
    QTest::addColumn<QDateTime>("before");
    QTest::addColumn<QDateTime>("wake");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("date");
    const QDate d(2026, 12, 31);
    QTest::newRow("a little early")
        << QDateTime(d, QTime(12, 4, 22, 501)) << QDateTime(d, QTime(12, 4, 22, 997)) << "12:04:23"
        << "2026-12-31";
    QTest::newRow("a little early, before midnight")
        << QDateTime(d, QTime(23, 59, 59, 501)) << QDateTime(d, QTime(23, 59, 59, 998))
        << "00:00:00"
        << "2027-01-01";
    QTest::newRow("clock stepped back")
        << QDateTime(d, QTime(12, 4, 22, 501)) << QDateTime(d, QTime(12, 4, 21, 100)) << "12:04:21"
        << "2026-12-31";
}

void TestClockTick::wakeUps()
{
    QFETCH(QDateTime, before);
    QFETCH(QDateTime, wake);
    QFETCH(QString, time);
    QFETCH(QString, date);
    Window w;
    w.now = before;
    tick(w);
    QCOMPARE(w->Label1->text(), timeText(before.time()));
    w.now = wake;
    tick(w);
    QCOMPARE(w->Label1->text(), time);
    QCOMPARE(w->Label2->text(), date);
    // The next tick is armed, once, for just after the next half-second boundary.
    QVERIFY(w->Timer1->isActive());
    QVERIFY(w->Timer1->isSingleShot());
    const int delay = w->Timer1->interval();
    QVERIFY2(delay > 0
                 && delay <= TickPhase::period + TickPhase::earlyTolerance + TickPhase::margin,
             QByteArray::number(delay));
    QCOMPARE(w.now.addMSecs(delay).time().msec() % TickPhase::period, TickPhase::margin);
}

void TestClockTick::wholeTextOnOneLine_data()
{
    QTest::addColumn<QString>("locale"); // empty: the texts are set as they are
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("date");
    // The widest texts: two-digit hours, months and days, the afternoon marker where there is
    // one, and a Wednesday in December. The labels follow the locale.
    for (const char *locale : {"C", "en_US", "de_DE", "ko_KR", "ar_EG"})
        QTest::newRow(locale) << QString::fromLatin1(locale) << QStringLiteral("22:58:58")
                              << QStringLiteral("2026-12-30");
    QTest::newRow("long custom format")
        << QString() << QStringLiteral("22:58:58.999 Central European Summer Time")
        << QStringLiteral("Wednesday, 30 December 2026 (week 53)");
}

void TestClockTick::wholeTextOnOneLine()
{
    QFETCH(QString, locale);
    QFETCH(QString, time);
    QFETCH(QString, date);
    const DefaultLocale pinned(locale.isEmpty() ? QLocale::c() : QLocale(locale));
    Window w;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
    if (locale.isEmpty()) {
        w->Label1->setText(time);
        w->Label2->setText(date);
    } else {
        w.now = QDateTime(QDate::fromString(date, Qt::ISODate), QTime::fromString(time));
        tick(w);
        QCOMPARE(w->Label1->text(), timeText(w.now.time(), QLocale(locale)));
        QCOMPARE(w->Label2->text(), dateText(w.now.date(), QLocale(locale)));
    }

    for (Label *label : {w->Label1, w->Label2}) {
        const QString text = label->text();
        auto *fitting = qobject_cast<FittingLabel *>(label);
        QVERIFY2(fitting, qPrintable(label->objectName()));
        const QFont own = fontOf(findControl(qPrintable(label->objectName()))->font);
        const QFont shown = fitting->shownFont();
        const QSize room = label->contentsRect().size();
        auto fits = [&](int pixels) {
            QFont f = shown;
            f.setPixelSize(pixels);
            const QRect ink = freeInk(text, f);
            return ink.width() <= room.width() && ink.height() <= room.height()
                && QFontMetrics(f).horizontalAdvance(text) <= room.width();
        };
        // The label's own face and weight, at its own size where the text fits, otherwise at
        // the largest size that fits.
        QCOMPARE(QFontInfo(shown).family(), QFontInfo(own).family());
        QCOMPARE(shown.bold(), own.bold());
        const int ownPixels = QFontInfo(own).pixelSize();
        const int pixels = QFontInfo(shown).pixelSize();
        if (fits(ownPixels)) {
            QCOMPARE(pixels, ownPixels);
        } else {
            QVERIFY2(pixels < ownPixels && fits(pixels) && !fits(pixels + 1),
                     qPrintable(QStringLiteral("%1 at %2 px").arg(text).arg(pixels)));
        }
        // What the label shows is the whole text on one line: as large as the text drawn
        // freely at that font, and centred as text is centred: off the middle only as far as
        // the glyphs' own bearings put it when the text is drawn centred freely.
        const QRect seen = inkOf(label->grab().toImage());
        const QRect whole = freeInk(text, shown);
        const int offMiddle = seen.left() - (label->width() - 1 - seen.right());
        const int freeOffMiddle = whole.left() - (freeWidth(text, shown) - 1 - whole.right());
        QVERIFY2(qAbs(seen.width() - whole.width()) <= 1
                     && qAbs(seen.height() - whole.height()) <= 1
                     && qAbs(offMiddle - freeOffMiddle) <= 2,
                 qPrintable(QStringLiteral("%1: ink %2x%3 shown %4 px off the middle, %5x%6 "
                                           "drawn freely %7 px off")
                                .arg(text)
                                .arg(seen.width())
                                .arg(seen.height())
                                .arg(offMiddle)
                                .arg(whole.width())
                                .arg(whole.height())
                                .arg(freeOffMiddle)));
    }
}

void TestClockTick::noRepaintForATextThatStays()
{
    Window w;
    Paints time(w->Label1), date(w->Label2);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
    QTRY_VERIFY_WITH_TIMEOUT(time.count > 0 && date.count > 0, 5000);
    // The first tick fills both labels: both are drawn again.
    time.count = date.count = 0;
    tick(w);
    QTRY_VERIFY_WITH_TIMEOUT(time.count > 0 && date.count > 0, 5000);
    time.count = date.count = 0;
    // Two ticks in the same second, then one in the next: the time label is drawn again, for
    // the new second; the date label, whose text stays, is not.
    w.now = w.now.addMSecs(500);
    tick(w);
    w.now = w.now.addMSecs(500);
    tick(w);
    QTRY_VERIFY_WITH_TIMEOUT(time.count > 0, 5000);
    QCOMPARE(w->Label1->text(), QStringLiteral("12:04:23"));
    QCOMPARE(date.count, 0);
}

TESMORA_TEST(TestClockTick)
#include "tst_clocktick.moc"
