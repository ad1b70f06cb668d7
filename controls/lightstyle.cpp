#include "controls/lightstyle.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOption>

namespace tesmora {

QIcon LightStyle::standardIcon(StandardPixmap which, const QStyleOption *option,
                               const QWidget *widget) const
{
    if (which != SP_ArrowLeft && which != SP_ArrowRight)
        return QProxyStyle::standardIcon(which, option, widget);
    const bool left = which == SP_ArrowLeft;
    QIcon icon;
    for (const int size : {16, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal unit = size / 16.0;
        QPainterPath arrow;
        arrow.moveTo((left ? 11 : 5) * unit, 3 * unit);
        arrow.lineTo((left ? 4 : 12) * unit, 8 * unit);
        arrow.lineTo((left ? 11 : 5) * unit, 13 * unit);
        arrow.closeSubpath();
        painter.fillPath(arrow, QApplication::palette().color(QPalette::ButtonText));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

void LightStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                               QPainter *painter, const QWidget *widget) const
{
    const auto *box = qstyleoption_cast<const QStyleOptionFrame *>(option);
    if (element != PE_FrameGroupBox || !box || baseStyle()->name() != u"fusion") {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // The untitled box's frame as the style draws it: a faint shade inside a rounded line.
    const QRectF frame = QRectF(option->rect.adjusted(0, 3, 0, 0)).adjusted(0.5, 0.5, -0.5, -0.5);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QColor(0, 0, 0, 23));
    painter->setBrush(QColor(0, 0, 0, 3));
    painter->drawRoundedRect(frame, 2, 2);
    painter->setPen(QColor(0, 0, 0, 6));
    painter->setBrush(Qt::NoBrush);
    painter->drawRoundedRect(frame.adjusted(1, 1, -1, -1), 1.5, 1.5);
    painter->restore();
}

} // namespace tesmora
