#include "controls/glyphs.h"

#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace tesmora {

namespace {
// Enough for a clock's digits in every size a fitting label tries, in two colours; past it the
// pictures are drawn anew rather than kept without end.
constexpr qsizetype keptPictures = 4096;

// The smallest box holding every pixel of `image` that is not fully transparent.
QRect inkIn(const QImage &image)
{
    int left = image.width(), right = -1, top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(line[x])) {
                left = qMin(left, x);
                right = qMax(right, x);
                top = qMin(top, y);
                bottom = y;
            }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}
} // namespace

GlyphPictures::Picture GlyphPictures::picture(const QRawFont &font, quint32 glyph,
                                              const QColor &color, int quarter)
{
    auto face = std::find_if(pictures.begin(), pictures.end(),
                             [&](const auto &kept) { return kept.first == font; });
    if (face == pictures.end()) {
        pictures.append({font, {}});
        face = std::prev(pictures.end());
    }
    const quint64 key = (quint64(glyph) << 2 | quint64(quarter)) << 32 | color.rgba();
    if (const auto found = face->second.constFind(key); found != face->second.cend())
        return *found;
    if (kept >= keptPictures) {
        pictures = {{font, {}}};
        face = pictures.begin();
        kept = 0;
    }
    // Drawn a quarter pixel to the right for each `quarter`, as Qt places glyphs between pixels,
    // with room on every side: a fallback face's glyphs can reach well past what its metrics
    // promise.
    const int pad = int(std::ceil(font.pixelSize())) + 2;
    QImage image(3 * pad, 3 * pad, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setPen(color);
        QGlyphRun one;
        one.setRawFont(font);
        one.setGlyphIndexes({glyph});
        one.setPositions({QPointF(0, 0)});
        p.drawGlyphRun(QPointF(pad + quarter / 4.0, 2 * pad), one);
    }
    Picture made;
    if (const QRect ink = inkIn(image); !ink.isNull()) {
        made.image = image.copy(ink);
        made.offset = ink.topLeft() - QPoint(pad, 2 * pad);
    }
    ++kept;
    return face->second[key] = made;
}

template<typename Place>
void GlyphPictures::placeGlyphs(QPointF origin, const Line &l, Place place)
{
    for (const Line::Glyph &g : l.glyphs) {
        const QPointF at = origin + g.at;
        const int quarters = qRound(at.x() * 4);
        const Picture pic = picture(g.font, g.index, l.color, quarters & 3);
        if (!pic.image.isNull())
            place(pic.image, QPoint(quarters >> 2, qRound(at.y())) + pic.offset);
    }
}

const GlyphPictures::Line &GlyphPictures::line(const QString &text, const QFont &font,
                                               const QColor &color, Qt::LayoutDirection direction)
{
    if (text == lastText && font == lastFont && color.rgba() == lastColor
        && direction == lastDirection && !lastText.isNull())
        return last;
    lastText = text;
    lastFont = font;
    lastColor = color.rgba();
    lastDirection = direction;
    last = Line();

    QTextLayout layout(text, font);
    QTextOption option;
    option.setTextDirection(direction);
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (!line.isValid()) {
        layout.endLayout();
        return last;
    }
    line.setPosition(QPointF(0, 0));
    layout.endLayout();
    last.ascent = line.ascent();
    last.descent = line.descent();
    last.width = line.naturalTextWidth();

    last.color = color;
    for (const QGlyphRun &run : layout.glyphRuns()) {
        const QRawFont raw = run.rawFont();
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> places = run.positions();
        for (qsizetype i = 0; i < glyphs.size(); ++i)
            last.glyphs.append({raw, glyphs[i], places[i] - QPointF(0, last.ascent)});
    }
    placeGlyphs(QPointF(0, 0), last, [this](const QImage &picture, QPoint at) {
        last.ink |= QRect(at, picture.size());
    });
    return last;
}

void GlyphPictures::draw(QPainter &p, QPointF origin, const Line &l)
{
    placeGlyphs(origin, l, [&p](const QImage &picture, QPoint at) { p.drawImage(at, picture); });
}

} // namespace tesmora
