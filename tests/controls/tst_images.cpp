// The program's pictures: each loads from the resources in the kind, pixel size and colour depth
// the window shows it in, none is blank, the cursor's hot spot is the finger tip, and the window
// shows each picture on the control it belongs to.

#include "app/form1.h"
#include "controls/picture.h"
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

int distinctColours(const QImage &image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    return int(colours.size());
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
        const quint32 colours = u32(d, at + 32) ? u32(d, at + 32) : (1u << s.bits);
        const quint32 colourRows = ((s.width * s.bits + 31) / 32) * 4 * s.height;
        const quint32 maskRows = ((s.width + 31) / 32) * 4 * s.height;
        s.andMask = doubled == 2 * s.height
            && bytes >= 40 + 4 * (s.bits <= 8 ? colours : 0) + colourRows + maskRows;
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
QString colourName(QRgb rgb)
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
const Sizes iconSizes {QSize(32, 32), QSize(16, 16)};

} // namespace

class TestImages : public WatchedTest
{
    Q_OBJECT
private Q_SLOTS:

    void kindSizeAndColours_data();
    void kindSizeAndColours();
    void storedDepth_data();
    void storedDepth();
    void whatTheyShow_data();
    void whatTheyShow();
    void handCursorPointsWithItsFingerTip();

    void windowShowsEachPicture_data();
    void windowShowsEachPicture();
    void windowIconIsTheClock();
    void linksCarryTheHandCursor_data();
    void linksCarryTheHandCursor();
};

void TestImages::kindSizeAndColours_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<Sizes>("sizes");
    QTest::addColumn<int>("maxColours"); // distinct colours seen, transparency included; 0: any

    for (const char *icon :
         {"clock.ico",       "bulb-unlit.ico", "bulb-lit.ico", "monitor.ico",     "telephone.ico",
          "information.ico", "calculator.ico", "disc.ico",     "conversions.ico", "translator.ico",
          "match.ico",       "plus.ico",       "minus.ico",    "multiply.ico",    "divide.ico",
          "eraser.ico",      "play.ico",       "stop.ico",     "sign.ico",        "flag.ico"})
        QTest::newRow(icon) << QString::fromLatin1(icon) << QByteArray("ico") << iconSizes << 16;
    QTest::newRow("calendar.bmp") << "calendar.bmp" << QByteArray("bmp") << Sizes {{24, 22}} << 16;
    QTest::newRow("copy.bmp") << "copy.bmp" << QByteArray("bmp") << Sizes {{24, 23}} << 256;
    QTest::newRow("donate.gif") << "donate.gif" << QByteArray("gif") << Sizes {{73, 44}} << 256;
    QTest::newRow("about.jpg") << "about.jpg" << QByteArray("jpeg") << Sizes {{181, 230}} << 0;
    QTest::newRow("hand.png") << "hand.png" << QByteArray("png") << Sizes {{32, 32}} << 0;
}

void TestImages::kindSizeAndColours()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, format);
    QFETCH(Sizes, sizes);
    QFETCH(int, maxColours);

    QVERIFY2(QFile::exists(resource(name)), qPrintable(name + " is not among the resources"));
    QByteArray readFormat;
    const QList<QImage> all = frames(name, &readFormat);
    QCOMPARE(readFormat, format);

    Sizes got;
    for (const QImage &image : all)
        got.append(image.size());
    auto bySize = [](QSize a, QSize b) {
        return a.width() * 1000 + a.height() > b.width() * 1000 + b.height();
    };
    std::sort(got.begin(), got.end(), bySize);
    std::sort(sizes.begin(), sizes.end(), bySize);
    QCOMPARE(got, sizes);

    for (const QImage &image : all) {
        const QByteArray where
            = QByteArray::number(image.width()) + "x" + QByteArray::number(image.height());
        const int colours = distinctColours(image);
        QVERIFY2(colours > 1, where + " is one flat colour");
        if (maxColours > 0)
            QVERIFY2(colours <= maxColours,
                     where + ": " + QByteArray::number(colours) + " colours");
        QVERIFY2(opaquePixels(image) > image.width() * image.height() / 8,
                 where + " is almost empty");
    }
}

void TestImages::storedDepth_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QList<int>>("bits"); // one entry per stored image

    for (const char *icon :
         {"clock.ico",       "bulb-unlit.ico", "bulb-lit.ico", "monitor.ico",     "telephone.ico",
          "information.ico", "calculator.ico", "disc.ico",     "conversions.ico", "translator.ico",
          "match.ico",       "plus.ico",       "minus.ico",    "multiply.ico",    "divide.ico",
          "eraser.ico",      "play.ico",       "stop.ico",     "sign.ico",        "flag.ico"})
        QTest::newRow(icon) << QString::fromLatin1(icon) << QList<int> {4, 4};
    QTest::newRow("calendar.bmp") << "calendar.bmp" << QList<int> {4};
    QTest::newRow("copy.bmp") << "copy.bmp" << QList<int> {8};
}

// The files themselves are palette images of the stated depth, icons with their AND mask: a
// picture with few colours saved at 24 or 32 bits, or as a PNG inside an icon, is caught here.
void TestImages::storedDepth()
{
    QFETCH(QString, name);
    QFETCH(QList<int>, bits);

    const QByteArray data = fileBytes(name);
    const bool icon = name.endsWith(QLatin1String(".ico"));
    const QList<Stored> stored = icon ? storedIcon(data) : storedBitmap(data);
    QCOMPARE(stored.size(), bits.size());
    const QList<QImage> all = frames(name);
    for (qsizetype i = 0; i < stored.size(); ++i) {
        QCOMPARE(stored[i].bits, bits[i]);
        QCOMPARE(QSize(stored[i].width, stored[i].height), all.value(i).size());
        if (icon)
            QVERIFY2(stored[i].andMask, "icon image without its AND mask");
    }
}

void TestImages::whatTheyShow_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QString>("colour");

    // The unlit glass is white, the lit one yellow: the menu button swaps between the two.
    QTest::newRow("unlit glass 32")
        << "bulb-unlit.ico" << QSize(32, 32) << QPoint(20, 8) << "white";
    QTest::newRow("unlit glass 16")
        << "bulb-unlit.ico" << QSize(16, 16) << QPoint(10, 5) << "white";
    QTest::newRow("lit glass 32") << "bulb-lit.ico" << QSize(32, 32) << QPoint(20, 8) << "yellow";
    QTest::newRow("lit glass 16") << "bulb-lit.ico" << QSize(16, 16) << QPoint(10, 5) << "yellow";
    QTest::newRow("bulb corner") << "bulb-unlit.ico" << QSize(32, 32) << QPoint(1, 30)
                                 << "transparent";
    // Blue, white, blue, across the whole picture (it is stretched to a 3:2 flag).
    QTest::newRow("flag top 32") << "flag.ico" << QSize(32, 32) << QPoint(16, 5) << "blue";
    QTest::newRow("flag middle 32") << "flag.ico" << QSize(32, 32) << QPoint(16, 16) << "white";
    QTest::newRow("flag bottom 32") << "flag.ico" << QSize(32, 32) << QPoint(16, 26) << "blue";
    QTest::newRow("flag top 16") << "flag.ico" << QSize(16, 16) << QPoint(8, 2) << "blue";
    QTest::newRow("flag middle 16") << "flag.ico" << QSize(16, 16) << QPoint(8, 8) << "white";
    QTest::newRow("flag bottom 16") << "flag.ico" << QSize(16, 16) << QPoint(8, 13) << "blue";
    QTest::newRow("stop sign 32") << "stop.ico" << QSize(32, 32) << QPoint(16, 25) << "red";
    QTest::newRow("stop sign 16") << "stop.ico" << QSize(16, 16) << QPoint(8, 8) << "red";
    QTest::newRow("diamond 32") << "sign.ico" << QSize(32, 32) << QPoint(16, 21) << "yellow";
    QTest::newRow("diamond 16") << "sign.ico" << QSize(16, 16) << QPoint(5, 10) << "yellow";
    QTest::newRow("diamond centre") << "sign.ico" << QSize(32, 32) << QPoint(13, 16) << "black";
    QTest::newRow("information 32")
        << "information.ico" << QSize(32, 32) << QPoint(6, 16) << "blue";
    QTest::newRow("information 16") << "information.ico" << QSize(16, 16) << QPoint(3, 8) << "blue";
    QTest::newRow("information i")
        << "information.ico" << QSize(32, 32) << QPoint(16, 20) << "white";
    QTest::newRow("calendar header") << "calendar.bmp" << QSize(24, 22) << QPoint(12, 5) << "red";
    QTest::newRow("calendar day") << "calendar.bmp" << QSize(24, 22) << QPoint(12, 14) << "blue";
    QTest::newRow("donate face") << "donate.gif" << QSize(73, 44) << QPoint(6, 13) << "yellow";
    QTest::newRow("donate corner")
        << "donate.gif" << QSize(73, 44) << QPoint(0, 0) << "transparent";
}

void TestImages::whatTheyShow()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QFETCH(QPoint, at);
    QFETCH(QString, colour);

    const QList<QImage> all = frames(name);
    const auto image
        = std::find_if(all.begin(), all.end(), [&](const QImage &i) { return i.size() == size; });
    QVERIFY(image != all.end());
    QCOMPARE(colourName(image->pixel(at)), colour);
}

void TestImages::handCursorPointsWithItsFingerTip()
{
    const QImage hand = seen(QImage(resource(QStringLiteral("hand.png"))));
    QVERIFY(hand.hasAlphaChannel());
    const QCursor cursor(QPixmap::fromImage(hand), 12, 1);
    QCOMPARE(cursor.hotSpot(), QPoint(12, 1));
    const QImage shape = seen(cursor.pixmap().toImage());
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
    QTest::addColumn<QString>("picture");

    QTest::newRow("Command1") << "Command1"
                              << "bulb-unlit.ico";
    QTest::newRow("Picture4") << "Picture4"
                              << "bulb-unlit.ico";
    QTest::newRow("Picture3") << "Picture3"
                              << "bulb-lit.ico";
    QTest::newRow("Command2") << "Command2"
                              << "monitor.ico";
    QTest::newRow("Command22") << "Command22"
                               << "telephone.ico";
    QTest::newRow("Command3") << "Command3"
                              << "calendar.bmp";
    QTest::newRow("Command4") << "Command4"
                              << "translator.ico";
    QTest::newRow("Command5") << "Command5"
                              << "conversions.ico";
    QTest::newRow("Command6") << "Command6"
                              << "disc.ico";
    QTest::newRow("Command7") << "Command7"
                              << "calculator.ico";
    QTest::newRow("Command20") << "Command20"
                               << "information.ico";
    QTest::newRow("Picture9") << "Picture9"
                              << "match.ico";
    QTest::newRow("Command12") << "Command12"
                               << "plus.ico";
    QTest::newRow("Command13") << "Command13"
                               << "minus.ico";
    QTest::newRow("Command14") << "Command14"
                               << "multiply.ico";
    QTest::newRow("Command15") << "Command15"
                               << "divide.ico";
    QTest::newRow("Command16") << "Command16"
                               << "eraser.ico";
    QTest::newRow("Command17") << "Command17"
                               << "copy.bmp";
    QTest::newRow("Command9") << "Command9"
                              << "play.ico";
    QTest::newRow("Command10") << "Command10"
                               << "stop.ico";
    QTest::newRow("Command11") << "Command11"
                               << "sign.ico";
    QTest::newRow("Picture11") << "Picture11"
                               << "clock.ico";
    QTest::newRow("Image1") << "Image1"
                            << "flag.ico";
    QTest::newRow("Picture7") << "Picture7"
                              << "donate.gif";
    QTest::newRow("Image3") << "Image3"
                            << "about.jpg";
}

// A button shows every size of its picture as its icon; a picture box or image shows the largest.
void TestImages::windowShowsEachPicture()
{
    QFETCH(QString, control);
    QFETCH(QString, picture);

    Window window;
    QWidget *widget = tesmora::control(window.form.get(), control);
    QVERIFY(widget);
    // Before it is first seen a control knows its picture but has not decoded it.
    QCOMPARE(tesmora::picture(widget), tesmora::imageResource(picture));
    reveal(widget);
    const QList<QImage> all = frames(picture);
    QVERIFY(!all.isEmpty());
    if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
        for (const QImage &frame : all)
            QCOMPARE(seen(button->icon().pixmap(frame.size()).toImage()), frame);
        QCOMPARE(button->iconSize(), largest(all).size());
    } else {
        auto *label = qobject_cast<QLabel *>(widget);
        QVERIFY(label);
        QCOMPARE(seen(label->pixmap().toImage()), largest(all));
    }
}

void TestImages::windowIconIsTheClock()
{
    Window window;
    const QIcon icon = window->windowIcon();
    for (const QImage &frame : frames(QStringLiteral("clock.ico")))
        QCOMPARE(seen(icon.pixmap(frame.size()).toImage()), frame);
}

void TestImages::linksCarryTheHandCursor_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("Picture7") << "Picture7";
    QTest::newRow("Label5") << "Label5";
}

void TestImages::linksCarryTheHandCursor()
{
    QFETCH(QString, control);
    Window window;
    QWidget *widget = tesmora::control(window.form.get(), control);
    QVERIFY(widget);
    reveal(widget);
    const QCursor cursor = widget->cursor();
    QCOMPARE(cursor.shape(), Qt::BitmapCursor);
    QCOMPARE(cursor.hotSpot(), QPoint(12, 1));
    QCOMPARE(seen(cursor.pixmap().toImage()), seen(QImage(resource(QStringLiteral("hand.png")))));
}

QTEST_MAIN(TestImages)
#include "tst_images.moc"
