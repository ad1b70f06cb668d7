#include "controls/controls.h"

#include <QDataStream>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionGroupBox>

namespace tesmora {

namespace {
MouseMove moveOf(const QMouseEvent *e)
{
    const QPointF p = e->position();
    return {e->buttons(), e->modifiers(), qRound(p.x() * twipsPerPixel),
            qRound(p.y() * twipsPerPixel)};
}
} // namespace

Panel::Panel(QWidget *parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    setForegroundRole(QPalette::WindowText);
    setMouseTracking(true);
}

void Panel::mousePressEvent(QMouseEvent *e)
{
    e->accept();
}

void Panel::mouseMoveEvent(QMouseEvent *e)
{
    Q_EMIT mouseMoved(moveOf(e));
}

Frame::Frame(QWidget *parent) : QGroupBox(parent)
{
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    setFlat(false);
}

void Frame::paintEvent(QPaintEvent *e)
{
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    const qreal ratio = devicePixelRatio();
    QByteArray key;
    {
        QDataStream out(&key, QIODevice::WriteOnly);
        out << option.rect << int(option.state) << option.palette.cacheKey() << option.text
            << int(option.subControls) << int(option.activeSubControls) << int(option.features)
            << option.lineWidth << option.midLineWidth << option.textColor
            << int(option.textAlignment) << font().key() << ratio << style()->name()
            << int(backgroundRole());
    }
    if (key != drawnFor) {
        drawn = QPixmap(size() * ratio);
        drawn.setDevicePixelRatio(ratio);
        // The background the window fills in first, then the box as QGroupBox draws it.
        drawn.fill(palette().color(backgroundRole()));
        QPainter p(&drawn);
        p.fillRect(rect(), palette().brush(backgroundRole()));
        style()->drawComplexControl(QStyle::CC_GroupBox, &option, &p, this);
        drawnFor = key;
    }
    QPainter p(this);
    const QRect r = e->rect();
    p.drawPixmap(r, drawn, QRectF(QPointF(r.topLeft()) * ratio, QSizeF(r.size()) * ratio));
}

Label::Label(QWidget *parent) : QLabel(parent)
{
    setBackgroundRole(QPalette::Button);
    setForegroundRole(QPalette::ButtonText);
    setMouseTracking(true);
}

void Label::mousePressEvent(QMouseEvent *e)
{
    pressedInside = e->button() == Qt::LeftButton;
    e->accept();
}

void Label::mouseReleaseEvent(QMouseEvent *e)
{
    const bool click = pressedInside && e->button() == Qt::LeftButton
        && rect().contains(e->position().toPoint());
    pressedInside = false;
    e->accept();
    if (click)
        Q_EMIT clicked();
}

void Label::mouseMoveEvent(QMouseEvent *e)
{
    e->accept();
    Q_EMIT mouseMoved(moveOf(e));
}

TextBox::TextBox(QWidget *parent) : QLineEdit(parent)
{
    setMouseTracking(true);
}

void TextBox::mouseMoveEvent(QMouseEvent *e)
{
    QLineEdit::mouseMoveEvent(e);
    Q_EMIT mouseMoved(moveOf(e));
}

Line::Line(QPoint from, QPoint to, int thickness, QWidget *parent)
    : QWidget(parent), m_from(from), m_to(to), m_thickness(thickness)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    const int half = thickness / 2;
    setGeometry(
        QRect(from, to).normalized().adjusted(-half, -half, thickness - half, thickness - half));
}

void Line::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setPen(QPen(palette().color(QPalette::WindowText), m_thickness, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(m_from - pos(), m_to - pos());
}

} // namespace tesmora
