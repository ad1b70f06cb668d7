#include "controls/controls.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace tesmora {

namespace {
bool isEnterOrSpace(const QKeyEvent *e)
{
    const auto mods = e->modifiers() & ~Qt::KeypadModifier;
    return mods == Qt::NoModifier
        && (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Space);
}

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

void Label::setPressable(bool on)
{
    pressable = on;
    setFocusPolicy(on ? Qt::StrongFocus : Qt::NoFocus);
}

void Label::keyPressEvent(QKeyEvent *e)
{
    if (pressable && isEnterOrSpace(e)) {
        e->accept();
        if (!e->isAutoRepeat())
            Q_EMIT clicked();
        return;
    }
    QLabel::keyPressEvent(e);
}

namespace {
// The dotted focus frame of the style, around the whole control.
void drawFocusFrame(QWidget *w, QPainter &p)
{
    QStyleOptionFocusRect option;
    option.initFrom(w);
    option.backgroundColor = w->palette().color(w->backgroundRole());
    w->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, w);
}
} // namespace

void Label::paintEvent(QPaintEvent *e)
{
    QLabel::paintEvent(e);
    if (pressable && hasFocus()) {
        QPainter p(this);
        drawFocusFrame(this, p);
    }
}

FittingLabel::FittingLabel(QWidget *parent) : Label(parent)
{
    setWordWrap(false);
}

QFont FittingLabel::shownFont() const
{
    const QString t = text();
    const qreal room = contentsRect().width() - 2 * margin();
    auto width = [&t](const QFont &f) {
        const QFontMetricsF m(f);
        // The ink of a bold glyph can reach past its advance.
        return qMax(m.horizontalAdvance(t), m.boundingRect(t).right());
    };
    QFont f = font();
    if (t.isEmpty() || width(f) <= room)
        return f;
    // The largest pixel size below the font's own that fits.
    int fits = 1;
    int tooWide = QFontInfo(f).pixelSize();
    while (tooWide - fits > 1) {
        const int mid = (fits + tooWide) / 2;
        f.setPixelSize(mid);
        (width(f) <= room ? fits : tooWide) = mid;
    }
    f.setPixelSize(fits);
    return f;
}

void FittingLabel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    drawFrame(&p);
    QRect r = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    const QFont shown = shownFont();
    // A smaller font stays on the middle of the line the label's own font would fill.
    if (!(alignment() & (Qt::AlignVCenter | Qt::AlignBottom))) {
        const int drop = (QFontMetrics(font()).height() - QFontMetrics(shown).height()) / 2;
        r.setTop(r.top() + qMax(0, drop));
    }
    p.setFont(shown);
    style()->drawItemText(
        &p, r, int(QStyle::visualAlignment(layoutDirection(), alignment())) | Qt::TextSingleLine,
        palette(), isEnabled(), text(), foregroundRole());
    if (isPressable() && hasFocus())
        drawFocusFrame(this, p);
}

PushButton::PushButton(const QString &text, QWidget *parent) : QPushButton(text, parent)
{
    setAutoDefault(false);
}

void PushButton::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        const auto mods = e->modifiers() & ~Qt::KeypadModifier;
        if (mods == Qt::NoModifier) {
            e->accept();
            if (!e->isAutoRepeat() && isEnabled())
                click();
            return;
        }
    }
    QPushButton::keyPressEvent(e);
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
