// A fitting label keeps the pictures of its glyphs, the size it fitted its last text at and the
// line it laid out last. Whatever it showed before, it must look exactly as a new label in the
// same state looks, and as the text drawn freely.

#include "controls/controls.h"
#include "tests/support/pictures.h"
#include "tests/support/testmain.h"

#include <QPainter>
#include <QTest>
#include <functional>

using namespace tesmora;
using namespace tesmora::testing;

namespace {
using Step = std::function<void(FittingLabel *)>;

Step text(const char *t)
{
    return [t](FittingLabel *l) { l->setText(QString::fromUtf8(t)); };
}
Step color(QColor c)
{
    return [c](FittingLabel *l) {
        QPalette p = l->palette();
        p.setColor(l->foregroundRole(), c);
        l->setPalette(p);
    };
}
Step pixels(int size)
{
    return [size](FittingLabel *l) {
        QFont f = l->font();
        f.setPixelSize(size);
        l->setFont(f);
    };
}
Step enabled(bool on)
{
    return [on](FittingLabel *l) { l->setEnabled(on); };
}
Step direction(Qt::LayoutDirection d)
{
    return [d](FittingLabel *l) { l->setLayoutDirection(d); };
}

QImage picture(QWidget *w)
{
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The box of every pixel unlike the top left one.
QRect inkOf(const QImage &image)
{
    const QRgb background = image.pixel(0, 0);
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

void setUp(FittingLabel &l)
{
    l.setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    l.setAutoFillBackground(true);
    QFont f(QStringLiteral("Liberation Sans"));
    f.setBold(true);
    f.setPixelSize(48);
    l.setFont(f);
    l.resize(320, 64);
}
} // namespace
Q_DECLARE_METATYPE(QList<Step>)

class TestFittingLabel : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void looksAsANewLabel_data()
    {
        QTest::addColumn<QList<Step>>("before");
        QTest::addColumn<QList<Step>>("now");
        QTest::newRow("next second") << QList {text("12:04:22")} << QList {text("12:04:23")};
        QTest::newRow("narrower text after a fitted one")
            << QList {text("10:58:58 PM Central")} << QList {text("1:05:10 AM")};
        QTest::newRow("wider text after a narrower fitted one")
            << QList {text("1:05:10 AM")} << QList {text("10:58:58 PM Central")};
        QTest::newRow("narrower text, still fitted")
            << QList {text("22:58:58 Central European Summer Time")}
            << QList {text("10:58:58 PM Central")};
        QTest::newRow("fitted, then fits at its own size")
            << QList {text("10:58:58 PM Central")} << QList {text("12:04")};
        QTest::newRow("new colour")
            << QList {text("12:04:22")} << QList {color(Qt::white), text("12:04:22")};
        QTest::newRow("colour back") << QList {text("12:04:22"), color(Qt::red)}
                                     << QList {color(Qt::black), text("12:04:22")};
        QTest::newRow("larger font")
            << QList {text("10:58:58 PM")} << QList {pixels(60), text("10:58:58 PM")};
        QTest::newRow("smaller font")
            << QList {text("10:58:58 PM")} << QList {pixels(20), text("10:58:58 PM")};
        QTest::newRow("disabled") << QList {text("12:04:22")}
                                  << QList {enabled(false), text("12:04:22")};
        QTest::newRow("enabled again")
            << QList {text("12:04:22"), enabled(false)} << QList {enabled(true), text("12:04:22")};
        QTest::newRow("right to left")
            << QList {text("٢٢:٥٨:٥٨ م")} << QList {direction(Qt::RightToLeft), text("٢٢:٥٨:٥٨ م")};
        QTest::newRow("emptied") << QList {text("12:04:22")} << QList {text("")};
    }

    void looksAsANewLabel()
    {
        QFETCH(QList<Step>, before);
        QFETCH(QList<Step>, now);
        FittingLabel used, fresh;
        setUp(used);
        setUp(fresh);
        for (const Step &step : before) {
            step(&used);
            picture(&used); // painted, so that whatever it keeps is filled
        }
        for (const Step &step : now) {
            step(&used);
            step(&fresh);
        }
        const int d = largestDifference(picture(&used), picture(&fresh));
        QVERIFY2(d == 0, qPrintable(QStringLiteral("%1 levels apart").arg(d)));
    }

    // Drawn from glyph pictures, the text has the ink it has when Qt draws it at the font shown.
    void inkAsDrawnFreely_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QColor>("ink");
        QTest::newRow("time") << QStringLiteral("12:04:22") << QColor(Qt::black);
        QTest::newRow("white") << QStringLiteral("23:59:59") << QColor(Qt::white);
        QTest::newRow("fitted") << QStringLiteral("10:58:58 PM Central") << QColor(Qt::black);
        QTest::newRow("date") << QStringLiteral("Wednesday, 30 December") << QColor(Qt::blue);
    }

    void inkAsDrawnFreely()
    {
        QFETCH(QString, shown);
        QFETCH(QColor, ink);
        FittingLabel label;
        setUp(label);
        color(ink)(&label);
        QPalette p = label.palette();
        p.setColor(label.backgroundRole(), ink == Qt::white ? Qt::black : Qt::white);
        label.setPalette(p);
        label.setText(shown);
        const QImage seen = picture(&label);

        QImage free(seen.size(), QImage::Format_RGB32);
        free.fill(p.color(label.backgroundRole()));
        {
            QPainter painter(&free);
            painter.setFont(label.shownFont());
            painter.setPen(ink);
            painter.drawText(free.rect(), Qt::AlignCenter | Qt::TextSingleLine, shown);
        }
        const QRect a = inkOf(seen), b = inkOf(free);
        QVERIFY(!b.isEmpty());
        QVERIFY2(qAbs(a.width() - b.width()) <= 1 && qAbs(a.height() - b.height()) <= 1,
                 qPrintable(QStringLiteral("%1x%2 shown, %3x%4 drawn freely")
                                .arg(a.width())
                                .arg(a.height())
                                .arg(b.width())
                                .arg(b.height())));
        QVERIFY2(qAbs(a.center().x() - b.center().x()) <= 1, "centred as drawn freely");
        // In the label's own colour, at full strength where a stroke is solid.
        int solid = 0;
        for (int y = a.top(); y <= a.bottom(); ++y)
            for (int x = a.left(); x <= a.right(); ++x)
                solid += seen.pixel(x, y) == ink.rgb();
        QVERIFY(solid > a.width());
    }
};

TESMORA_TEST(TestFittingLabel)
#include "tst_fittinglabel.moc"
