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
#include <QRawFont>
#include <QRect>
#include <QString>
#include <utility>

class QPainter;

namespace tesmora {

class GlyphPictures
{
public:
    // One line of text laid out in a font: each glyph's picture where it goes, from the start
    // of the baseline.
    struct Line
    {
        struct Piece
        {
            QPoint at; // the picture's top left
            QImage picture;
        };
        QList<Piece> pieces;
        qreal ascent = 0; // of the line, over every font its glyphs came from
        qreal descent = 0;
        qreal width = 0; // the advance of the whole line
        QRect ink;       // the box the pictures' ink covers; null for no ink
    };

    // `text` on one line in `font` and `colour`, in `direction`. Valid until the next call.
    const Line &line(const QString &text, const QFont &font, const QColor &colour,
                     Qt::LayoutDirection direction);
    // Draws `l` with the start of its baseline at `origin`.
    static void draw(QPainter &p, QPoint origin, const Line &l);

private:
    struct Picture
    {
        QImage image; // cut to the glyph's ink; null for a glyph without ink
        QPoint offset; // of the image's top left from the glyph's origin
    };
    Picture picture(const QRawFont &font, quint32 glyph, const QColor &colour);

    // By face and size, then by glyph and colour.
    QList<std::pair<QRawFont, QHash<quint64, Picture>>> pictures;
    qsizetype kept = 0;
    // What `last` was laid out from.
    QString lastText;
    QFont lastFont;
    QRgb lastColour = 0;
    Qt::LayoutDirection lastDirection = Qt::LayoutDirectionAuto;
    Line last;
};

} // namespace tesmora
