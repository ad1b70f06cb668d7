// The clock tick in the normal, minimised and maximised states, across midnight; which second a
// wake-up shows and when it arms the next one; no repaint for a text that stays.

#include "app/builder.h"
#include "app/inventory.h"
#include "clock/clocktext.h"
#include "clock/tickphase.h"
#include "tests/support/defaultlocale.h"
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
struct Ink
{
    int left = -1, right = -1, top = -1, bottom = -1;
    int width() const { return left < 0 ? 0 : right - left + 1; }
    int height() const { return top < 0 ? 0 : bottom - top + 1; }
};
Ink inkOf(const QImage &image)
{
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    const QRgb background = img.pixel(0, 0);
    Ink ink;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != background) {
                if (ink.left < 0 || x < ink.left)
                    ink.left = x;
                ink.right = qMax(ink.right, x);
                if (ink.top < 0)
                    ink.top = y;
                ink.bottom = y;
            }
    return ink;
}

// The width of the image freeInk() draws in.
int freeWidth(const QString &text, const QFont &font)
{
    const QFontMetrics m(font);
    return m.horizontalAdvance(text) + 4 * m.height();
}

// The ink of `text` drawn on one line in `font`, with room to spare on every side.
Ink freeInk(const QString &text, const QFont &font)
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
    void labelsEmptyUntilTheFirstTick();
    void normalTick();
    void minimisedAndMaximised_data();
    void minimisedAndMaximised();
    void restoringBringsTheTitleBack();
    void midnight();
    void followsTheLocale();
    void wholeTextOnOneLine_data();
    void wholeTextOnOneLine();
    void wakeUps_data();
    void wakeUps();
    void noRepaintForATextThatStays();
};

void TestClockTick::labelsEmptyUntilTheFirstTick()
{
    Window w;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
    QSignalSpy ticks(w->Timer1, &QTimer::timeout);
    QCOMPARE(w->windowTitle(), QStringLiteral("Tesmora.     ver. 1.0.9"));
    QVERIFY(w->Label1->text().isEmpty() && w->Label2->text().isEmpty());
    // The first tick comes about half a second after start, and fills both labels.
    QVERIFY(ticks.wait(1000));
    QCOMPARE(w->Label1->text(), QStringLiteral("12:04:22"));
    QCOMPARE(w->Label2->text(), QStringLiteral("2026-12-07"));
}

void TestClockTick::normalTick()
{
    Window w;
    w->setWindowTitle(QStringLiteral("something else"));
    w.now = QDateTime(QDate(2027, 3, 4), QTime(5, 6, 7));
    tick(w);
    QCOMPARE(w->Label1->text(), QStringLiteral("05:06:07"));
    QCOMPARE(w->Label2->text(), QStringLiteral("2027-03-04"));
    QCOMPARE(w->windowTitle(), QStringLiteral("Tesmora.     ver. 1.0.9"));
    w.now = w.now.addSecs(1);
    tick(w);
    QCOMPARE(w->Label1->text(), QStringLiteral("05:06:08"));
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
    const QString time = w->Label1->text(), date = w->Label2->text();
    w->setWindowState(Qt::WindowState(state));
    w.now = QDateTime(QDate(2026, 12, 8), QTime(1, 2, 3));
    tick(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("01:02:03 (2026-12-08) "));
    // The labels keep what they showed.
    QCOMPARE(w->Label1->text(), time);
    QCOMPARE(w->Label2->text(), date);
    w.now = w.now.addSecs(1);
    tick(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("01:02:04 (2026-12-08) "));
}

void TestClockTick::restoringBringsTheTitleBack()
{
    Window w;
    w->setWindowState(Qt::WindowMinimized);
    tick(w);
    QVERIFY(w->windowTitle().endsWith(QStringLiteral(") ")));
    QVERIFY(w->Label1->text().isEmpty());
    w->setWindowState(Qt::WindowNoState);
    w.now = QDateTime(QDate(2026, 12, 9), QTime(8, 0, 0));
    tick(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("Tesmora.     ver. 1.0.9"));
    QCOMPARE(w->Label1->text(), QStringLiteral("08:00:00"));
    QCOMPARE(w->Label2->text(), QStringLiteral("2026-12-09"));
}

void TestClockTick::midnight()
{
    Window w;
    w.now = QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59, 800));
    tick(w);
    QCOMPARE(w->Label2->text(), QStringLiteral("2026-12-31"));
    w.now = w.now.addMSecs(500);
    tick(w);
    QCOMPARE(w->Label1->text(), QStringLiteral("00:00:00"));
    QCOMPARE(w->Label2->text(), QStringLiteral("2027-01-01"));
}

void TestClockTick::followsTheLocale()
{
    QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
    Window w;
    tick(w);
    QLocale::setDefault(QLocale::c());
    QCOMPARE(w->Label1->text(), QStringLiteral("12:04:22"));
    QCOMPARE(w->Label2->text(), QStringLiteral("07.12.26"));
}

void TestClockTick::wholeTextOnOneLine_data()
{
    QTest::addColumn<QString>("locale"); // empty: the texts are set as they are
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("date");
    // The widest texts: two-digit hours, months and days, the afternoon marker where there is
    // one, and a Wednesday in December.
    for (const char *locale : {"C", "en_US", "de_DE", "ko_KR", "ar_EG"})
        for (int hour : {10, 22})
            QTest::addRow("%s, %d h", locale, hour)
                << QString::fromLatin1(locale) << QStringLiteral("%1:58:58").arg(hour)
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
            const Ink ink = freeInk(text, f);
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
        // What the label shows is the whole text on one line: as wide as the text drawn freely
        // at that font, and centred.
        const Ink seen = inkOf(label->grab().toImage());
        const Ink whole = freeInk(text, shown);
        QVERIFY2(qAbs(seen.width() - whole.width()) <= 1,
                 qPrintable(QStringLiteral("%1: %2 px of ink shown, %3 px for the whole text")
                                .arg(text)
                                .arg(seen.width())
                                .arg(whole.width())));
        QVERIFY2(qAbs(seen.height() - whole.height()) <= 1,
                 qPrintable(QStringLiteral("%1: %2 px of ink high shown from %3 to %4, %5 px for "
                                           "the whole text")
                                .arg(text)
                                .arg(seen.height())
                                .arg(seen.top)
                                .arg(seen.bottom)
                                .arg(whole.height())));
        // Centred as text is centred: the ink sits off the middle only as far as the glyphs'
        // own bearings put it when the text is drawn centred freely.
        const int offMiddle = seen.left - (label->width() - 1 - seen.right);
        const int freeOffMiddle = whole.left - (freeWidth(text, shown) - 1 - whole.right);
        QVERIFY2(qAbs(offMiddle - freeOffMiddle) <= 2,
                 qPrintable(QStringLiteral("%1: %2 px off the middle, %3 px when drawn freely")
                                .arg(text)
                                .arg(offMiddle)
                                .arg(freeOffMiddle)));
    }
}

void TestClockTick::wakeUps_data()
{
    // After a tick at 12:04:22.501 the next one is armed for 12:04:23; it wakes at `wake`.
    QTest::addColumn<QTime>("wake");
    QTest::addColumn<QString>("shown");
    QTest::newRow("on time") << QTime(12, 4, 23, 1) << "12:04:23";
    QTest::newRow("a little early") << QTime(12, 4, 22, 997) << "12:04:23";
    QTest::newRow("late") << QTime(12, 4, 23, 200) << "12:04:23";
    QTest::newRow("clock stepped back") << QTime(12, 4, 21, 100) << "12:04:21";
    QTest::newRow("clock stepped forward") << QTime(12, 5, 23, 300) << "12:05:23";
}

void TestClockTick::wakeUps()
{
    QFETCH(QTime, wake);
    QFETCH(QString, shown);
    Window w;
    w.now = QDateTime(w.now.date(), QTime(12, 4, 22, 501));
    tick(w);
    QCOMPARE(w->Label1->text(), QStringLiteral("12:04:22"));
    w.now = QDateTime(w.now.date(), wake);
    tick(w);
    QCOMPARE(w->Label1->text(), shown);
    QCOMPARE(w->windowTitle(), QStringLiteral("Tesmora.     ver. 1.0.9"));
    // The next tick is armed, once, for just after the next half-second boundary.
    QVERIFY(w->Timer1->isActive());
    QVERIFY(w->Timer1->isSingleShot());
    const int delay = w->Timer1->interval();
    QVERIFY2(delay > 0
                 && delay <= TickPhase::period + TickPhase::earlyTolerance + TickPhase::margin,
             QByteArray::number(delay));
    QCOMPARE(w.now.addMSecs(delay).time().msec() % TickPhase::period, TickPhase::margin);
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

QTEST_MAIN(TestClockTick)
#include "tst_clocktick.moc"
