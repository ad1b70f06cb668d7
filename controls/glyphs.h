#pragma once

// The window's kit (controls/): used by the tools and the window, built on the rules and Qt only.
//
// Large text drawn from pictures of its glyphs. Qt's raster engine keeps no glyph larger than
// 64 pixels: it fills each one as a path on every paint. The clock's own digits are larger than
// that and change every second, so they are drawn once here and then only copied.

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QPointF>
#include <QRawFont>
#include <QRect>
#include <QString>
#include <utility>

class QPainter;

namespace tesmora {

class GlyphPictures
{
public:
    // One line of text laid out in a font and colour.
    struct Line
    {
        struct Glyph
        {
            QRawFont font;
            quint32 index = 0;
            QPointF at; // the glyph's origin from the start of the baseline
        };
        QList<Glyph> glyphs;
        QColor color;
        qreal ascent = 0; // of the line, over every font its glyphs came from
        qreal descent = 0;
        qreal width = 0; // the advance of the whole line
        QRect ink; // the box its ink covers from the start of the baseline; null for none
    };

    // `text` on one line in `font` and `colour`, in `direction`. Valid until the next call.
    const Line &line(const QString &text, const QFont &font, const QColor &color,
                     Qt::LayoutDirection direction);
    // Draws `l` with the start of its baseline at `origin`.
    void draw(QPainter &p, QPointF origin, const Line &l);

private:
    struct Picture
    {
        QImage image; // cut to the glyph's ink; null for a glyph without ink
        QPoint offset; // of the image's top left from the glyph's origin
    };
    // `quarter` (0 to 3): how many quarters of a pixel right of a whole pixel the glyph starts.
    Picture picture(const QRawFont &font, quint32 glyph, const QColor &color, int quarter);
    // Calls `place` with each glyph's picture and its top left, for a line starting at `origin`.
    template<typename Place>
    void placeGlyphs(QPointF origin, const Line &l, Place place);

    // By face and size, then by glyph, quarter and colour.
    QList<std::pair<QRawFont, QHash<quint64, Picture>>> pictures;
    qsizetype kept = 0;
    // What `last` was laid out from.
    QString lastText;
    QFont lastFont;
    QRgb lastColor = 0;
    Qt::LayoutDirection lastDirection = Qt::LayoutDirectionAuto;
    Line last;
};

} // namespace tesmora
