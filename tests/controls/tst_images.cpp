// The program's pictures, as its inventory names them: each file loads in the kind, pixel size
// and colour depth of what its control shows, none is blank, each shows what its control stands
// for, the window shows each on its control, and the shared ones are shared.

#include "app/form1.h"
#include "app/inventory.h"
#include "controls/picture.h"
#include "tests/support/testmain.h"
#include "tests/support/watchdog.h"
#include "tests/support/window.h"

#include <QAbstractButton>
#include <QColor>
#include <QCursor>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QSet>
#include <QtEndian>
#include <QtTest>
#include <algorithm>

using namespace tesmora;
using namespace tesmora::testing;

namespace {

QString resource(const QString &name)
{
    return QStringLiteral(":/images/") + name;
}

// Every image a file holds (an icon file holds several sizes), as 32-bit ARGB with every fully
// transparent pixel made the same, so that images and colour counts compare by what is seen.
QImage seen(const QImage &image)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if (qAlpha(line[x]) == 0)
                line[x] = 0;
    }
    return out;
}

QList<QImage> frames(const QString &name, QByteArray *format = nullptr)
{
    QImageReader reader(resource(name));
    if (format)
        *format = reader.format();
    QList<QImage> all;
    do {
        const QImage image = reader.read();
        if (image.isNull())
            break;
        all.append(seen(image));
    } while (reader.jumpToNextImage());
    return all;
}

QImage largest(const QList<QImage> &all)
{
    QImage best;
    for (const QImage &image : all)
        if (image.width() > best.width())
            best = image;
    return best;
}

int distinctColors(const QImage &image)
{
    QSet<QRgb> colors;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colors.insert(image.pixel(x, y));
    return int(colors.size());
}

int opaquePixels(const QImage &image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += qAlpha(image.pixel(x, y)) == 255;
    return n;
}

// How one image is stored in its file, read from the file's own headers.
struct Stored
{
    int width = 0;
    int height = 0;
    int bits = 0; // bits per pixel of the colour data
    bool andMask = false; // an icon image carries its 1-bit transparency mask
};

quint16 u16(const QByteArray &d, qsizetype at)
{
    return at + 2 <= d.size() ? qFromLittleEndian<quint16>(d.constData() + at) : 0;
}
quint32 u32(const QByteArray &d, qsizetype at)
{
    return at + 4 <= d.size() ? qFromLittleEndian<quint32>(d.constData() + at) : 0;
}

// A Windows icon: a directory of images, each a bitmap header (not PNG), its palette, the colour
// rows and the AND mask rows, each row padded to four bytes; the header counts both heights.
QList<Stored> storedIcon(const QByteArray &d)
{
    QList<Stored> out;
    if (u16(d, 0) != 0 || u16(d, 2) != 1)
        return out;
    for (int i = 0; i < u16(d, 4); ++i) {
        const qsizetype entry = 6 + 16 * i;
        const quint32 bytes = u32(d, entry + 8), at = u32(d, entry + 12);
        Stored s;
        if (u32(d, at) != 40 || at + bytes > quint32(d.size())) {
            out.append(s);
            continue;
        }
        s.width = int(u32(d, at + 4));
        const int doubled = int(u32(d, at + 8));
        s.height = doubled / 2;
        s.bits = u16(d, at + 14);
        const quint32 colors = u32(d, at + 32) ? u32(d, at + 32) : (1u << s.bits);
        const quint32 colorRows = ((s.width * s.bits + 31) / 32) * 4 * s.height;
        const quint32 maskRows = ((s.width + 31) / 32) * 4 * s.height;
        s.andMask = doubled == 2 * s.height
            && bytes >= 40 + 4 * (s.bits <= 8 ? colors : 0) + colorRows + maskRows;
        out.append(s);
    }
    return out;
}

QList<Stored> storedBitmap(const QByteArray &d)
{
    if (!d.startsWith("BM") || u32(d, 14) < 40 || u32(d, 30) != 0) // uncompressed only
        return {};
    return {Stored {int(u32(d, 18)), int(u32(d, 22)), u16(d, 28), false}};
}

QByteArray fileBytes(const QString &name)
{
    QFile f(resource(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A rough name for a colour, enough to tell what a picture shows at one point.
QString colorName(QRgb rgb)
{
    if (qAlpha(rgb) < 128)
        return QStringLiteral("transparent");
    const QColor c = QColor::fromRgb(rgb);
    const int h = c.hsvHue();
    const double s = c.hsvSaturationF(), v = c.valueF();
    if (v < 0.25)
        return QStringLiteral("black");
    if (s < 0.12)
        return v > 0.9 ? QStringLiteral("white") : QStringLiteral("grey");
    if (h < 15 || h >= 345)
        return QStringLiteral("red");
    if (h >= 35 && h < 65)
        return QStringLiteral("yellow");
    if (h >= 190 && h < 250)
        return QStringLiteral("blue");
    return QStringLiteral("other");
}

using Sizes = QList<QSize>;

// What a picture file must be for the control that shows it. Every icon holds a 32 x 32 and a
// 16 x 16 image of 16 colours; the few other pictures are described one by one.
struct Expected
{
    QByteArray format; // as Qt reads it from the content; empty: nothing is expected
    Sizes sizes;
    int bits = 0; // bits per pixel stored in a bitmap or an icon's images; 0: not a palette file
    int maxColors = 0; // distinct colours seen, transparency included; 0: any
};

Expected expectedOf(const QString &control, const QString &file)
{
    if (file.endsWith(QLatin1String(".ico")))
        return {"ico", {{32, 32}, {16, 16}}, 4, 16};
    if (control == u"Command3") // a calendar page
        return {"bmp", {{24, 22}}, 4, 16};
    if (control == u"Command17") // two sheets of paper
        return {"bmp", {{24, 23}}, 8, 256};
    if (control == u"Picture7") // the donation picture
        return {"gif", {{73, 44}}, 0, 256};
    if (control == u"Image3") // the photograph of the About panel
        return {"jpeg", {{181, 230}}, 0, 0};
    return {};
}

// Every control the inventory gives a picture, as one row each.
void pictureRows()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("file");
    for (const ControlSpec &spec : inventory())
        if (spec.picture)
            QTest::addRow("%s, %s", spec.name, spec.picture)
                << QString::fromLatin1(spec.name) << QString::fromLatin1(spec.picture);
}

QString pictureOf(const char *control)
{
    return QString::fromLatin1(findControl(control)->picture);
}

} // namespace

class TestImages : public WatchedTest
{
    Q_OBJECT
private Q_SLOTS:
    void files_data() { pictureRows(); }
    void files();
    void whatTheyShow_data();
    void whatTheyShow();
    void pointers_data();
    void pointers();
    void windowShowsEachPicture_data();
    void windowShowsEachPicture();
    void sharedPictures();
};

void TestImages::files()
{
    QFETCH(QString, control);
    QFETCH(QString, file);
    Expected expected = expectedOf(control, file);
    QVERIFY2(!expected.format.isEmpty(), "a picture that is neither an icon nor described here");

    QVERIFY2(QFile::exists(resource(file)), qPrintable(file + " is not among the resources"));
    QByteArray readFormat;
    const QList<QImage> all = frames(file, &readFormat);
    QCOMPARE(readFormat, expected.format);

    Sizes got;
    for (const QImage &image : all)
        got.append(image.size());
    auto bySize = [](QSize a, QSize b) {
        return a.width() * 1000 + a.height() > b.width() * 1000 + b.height();
    };
    std::sort(got.begin(), got.end(), bySize);
    std::sort(expected.sizes.begin(), expected.sizes.end(), bySize);
    QCOMPARE(got, expected.sizes);

    for (const QImage &image : all) {
        const QByteArray where
            = QByteArray::number(image.width()) + "x" + QByteArray::number(image.height());
        const int colors = distinctColors(image);
        QVERIFY2(colors > 1, where + " is one flat colour");
        if (expected.maxColors > 0)
            QVERIFY2(colors <= expected.maxColors,
                     where + ": " + QByteArray::number(colors) + " colours");
        QVERIFY2(opaquePixels(image) > image.width() * image.height() / 8,
                 where + " is almost empty");
    }

    // The files themselves are palette images of their depth, icons with their AND mask: a
    // picture of few colours saved at 24 or 32 bits, or as a PNG inside an icon, is caught here.
    if (expected.bits == 0)
        return;
    const QByteArray data = fileBytes(file);
    const bool icon = expected.format == "ico";
    const QList<Stored> stored = icon ? storedIcon(data) : storedBitmap(data);
    QCOMPARE(stored.size(), all.size());
    for (qsizetype i = 0; i < stored.size(); ++i) {
        QCOMPARE(stored[i].bits, expected.bits);
        QCOMPARE(QSize(stored[i].width, stored[i].height), all.value(i).size());
        if (icon)
            QVERIFY2(stored[i].andMask, "icon image without its AND mask");
    }
}

void TestImages::whatTheyShow_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QString>("color");

    // The unlit glass is white, the lit one yellow: the menu button swaps between the two.
    QTest::newRow("unlit glass 32") << "Picture4" << QSize(32, 32) << QPoint(20, 8) << "white";
    QTest::newRow("unlit glass 16") << "Picture4" << QSize(16, 16) << QPoint(10, 5) << "white";
    QTest::newRow("lit glass 32") << "Picture3" << QSize(32, 32) << QPoint(20, 8) << "yellow";
    QTest::newRow("lit glass 16") << "Picture3" << QSize(16, 16) << QPoint(10, 5) << "yellow";
    QTest::newRow("bulb corner") << "Picture4" << QSize(32, 32) << QPoint(1, 30) << "transparent";
    // Blue, white, blue, across the whole picture (it is stretched to a 3:2 flag).
    QTest::newRow("flag top 32") << "Image1" << QSize(32, 32) << QPoint(16, 5) << "blue";
    QTest::newRow("flag middle 32") << "Image1" << QSize(32, 32) << QPoint(16, 16) << "white";
    QTest::newRow("flag bottom 32") << "Image1" << QSize(32, 32) << QPoint(16, 26) << "blue";
    QTest::newRow("flag top 16") << "Image1" << QSize(16, 16) << QPoint(8, 2) << "blue";
    QTest::newRow("flag middle 16") << "Image1" << QSize(16, 16) << QPoint(8, 8) << "white";
    QTest::newRow("flag bottom 16") << "Image1" << QSize(16, 16) << QPoint(8, 13) << "blue";
    QTest::newRow("stop sign 32") << "Command10" << QSize(32, 32) << QPoint(16, 25) << "red";
    QTest::newRow("stop sign 16") << "Command10" << QSize(16, 16) << QPoint(8, 8) << "red";
    QTest::newRow("diamond 32") << "Command11" << QSize(32, 32) << QPoint(16, 21) << "yellow";
    QTest::newRow("diamond 16") << "Command11" << QSize(16, 16) << QPoint(5, 10) << "yellow";
    QTest::newRow("diamond centre") << "Command11" << QSize(32, 32) << QPoint(13, 16) << "black";
    QTest::newRow("information 32") << "Command20" << QSize(32, 32) << QPoint(6, 16) << "blue";
    QTest::newRow("information 16") << "Command20" << QSize(16, 16) << QPoint(3, 8) << "blue";
    QTest::newRow("information i") << "Command20" << QSize(32, 32) << QPoint(16, 20) << "white";
    QTest::newRow("calendar header") << "Command3" << QSize(24, 22) << QPoint(12, 5) << "red";
    QTest::newRow("calendar day") << "Command3" << QSize(24, 22) << QPoint(12, 14) << "blue";
    QTest::newRow("donate face") << "Picture7" << QSize(73, 44) << QPoint(6, 13) << "yellow";
    QTest::newRow("donate corner") << "Picture7" << QSize(73, 44) << QPoint(0, 0) << "transparent";
}

void TestImages::whatTheyShow()
{
    QFETCH(QString, control);
    QFETCH(QSize, size);
    QFETCH(QPoint, at);
    QFETCH(QString, color);

    const QList<QImage> all = frames(pictureOf(control.toLatin1().constData()));
    const auto image
        = std::find_if(all.begin(), all.end(), [&](const QImage &i) { return i.size() == size; });
    QVERIFY(image != all.end());
    QCOMPARE(colorName(image->pixel(at)), color);
}

void TestImages::pointers_data()
{
    QTest::addColumn<QString>("control");
    for (const ControlSpec &spec : inventory())
        if (spec.cursor)
            QTest::newRow(spec.name) << QString::fromLatin1(spec.name);
}

// A pointing hand of 32 x 32 whose hot spot is the tip of its finger, read from the pointer the
// control shows.
void TestImages::pointers()
{
    QFETCH(QString, control);
    const QString file = QString::fromLatin1(findControl(control.toLatin1().constData())->cursor);
    QByteArray format;
    const QList<QImage> all = frames(file, &format);
    QCOMPARE(format, QByteArray("png"));
    QCOMPARE(all.size(), 1);
    QVERIFY(QImage(resource(file)).hasAlphaChannel());

    Window window;
    QWidget *widget = tesmora::control(window.form.get(), control);
    reveal(widget);
    const QCursor cursor = widget->cursor();
    QCOMPARE(cursor.shape(), Qt::BitmapCursor);
    QCOMPARE(cursor.hotSpot(), QPoint(12, 1));
    const QImage shape = seen(cursor.pixmap().toImage());
    QCOMPARE(shape, all.first());
    QCOMPARE(shape.size(), QSize(32, 32));
    // The pointer is a hand, not a square: most of its box is see-through.
    QVERIFY(opaquePixels(shape) < 32 * 32 / 2);

    const QPoint hot = cursor.hotSpot();
    bool touched = false;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            touched = touched || qAlpha(shape.pixel(hot + QPoint(dx, dy))) >= 128;
    QVERIFY2(touched, "the hot spot is not on the hand");

    // Nothing of the hand reaches above the finger tip, and the topmost row of the hand is the
    // tip itself, right at the hot spot.
    int top = -1;
    for (int y = 0; y < shape.height() && top < 0; ++y)
        for (int x = 0; x < shape.width(); ++x)
            if (qAlpha(shape.pixel(x, y)) >= 128)
                top = y;
    QVERIFY(top >= hot.y() - 1 && top <= hot.y());
    for (int x = 0; x < shape.width(); ++x)
        if (qAlpha(shape.pixel(x, top)) >= 128)
            QVERIFY2(qAbs(x - hot.x()) <= 2, "the hand's top is not at the hot spot");
}

void TestImages::windowShowsEachPicture_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("file"); // empty: the control shows no picture
    for (const ControlSpec &spec : inventory())
        if (spec.kind == Kind::GraphicalButton || spec.kind == Kind::PictureBox
            || spec.kind == Kind::Image)
            QTest::newRow(spec.name)
                << QString::fromLatin1(spec.name) << QString::fromLatin1(spec.picture);
}

// A button shows every size of its picture as its icon; a picture box or image shows the largest,
// an image stretched to the control.
void TestImages::windowShowsEachPicture()
{
    QFETCH(QString, control);
    QFETCH(QString, file);

    Window window;
    QWidget *widget = tesmora::control(window.form.get(), control);
    QVERIFY(widget);
    // Before it is first seen a control knows its picture but has not decoded it.
    QCOMPARE(tesmora::picture(widget), file.isEmpty() ? QString() : imageResource(file));
    reveal(widget);
    const QList<QImage> all = file.isEmpty() ? QList<QImage>() : frames(file);
    QCOMPARE(all.isEmpty(), file.isEmpty());
    if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
        QCOMPARE(button->icon().isNull(), file.isEmpty());
        for (const QImage &frame : all)
            QCOMPARE(seen(button->icon().pixmap(frame.size()).toImage()), frame);
        if (!all.isEmpty())
            QCOMPARE(button->iconSize(), largest(all).size());
    } else {
        auto *label = qobject_cast<QLabel *>(widget);
        QVERIFY(label);
        if (all.isEmpty())
            QVERIFY(label->pixmap().isNull());
        else
            QCOMPARE(seen(label->pixmap().toImage()), largest(all));
        QCOMPARE(label->hasScaledContents(), findControl(qPrintable(control))->kind == Kind::Image);
    }
}

// The window's icon is the clock of the About panel, and the two links share one pointer.
void TestImages::sharedPictures()
{
    Window window;
    const QIcon icon = window->windowIcon();
    const QList<QImage> clock = frames(pictureOf("Picture11"));
    QVERIFY(!clock.isEmpty());
    for (const QImage &frame : clock)
        QCOMPARE(seen(icon.pixmap(frame.size()).toImage()), frame);

    reveal(window->Picture7);
    reveal(window->Label5);
    QCOMPARE(window->Picture7->cursor().pixmap().toImage(),
             window->Label5->cursor().pixmap().toImage());
}

TESMORA_TEST(TestImages)
#include "tst_images.moc"
