#include "controls/controls.h"

#include <QFontMetricsF>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QStyleOptionGroupBox>

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

const QPixmap &Frame::picture()
{
    const qreal ratio = devicePixelRatio();
    // A move to a screen of another pixel ratio comes with no event of its own.
    if (!drawn.isNull() && drawn.devicePixelRatio() == ratio)
        return drawn;
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    drawn = QPixmap(size() * ratio);
    drawn.setDevicePixelRatio(ratio);
    // The background the window fills in first, then the box as QGroupBox draws it.
    drawn.fill(palette().color(backgroundRole()));
    QPainter p(&drawn);
    p.fillRect(rect(), palette().brush(backgroundRole()));
    style()->drawComplexControl(QStyle::CC_GroupBox, &option, &p, this);
    return drawn;
}

void Frame::paintEvent(QPaintEvent *e)
{
    const QPixmap &from = picture();
    const qreal ratio = from.devicePixelRatio();
    QPainter p(this);
    const QRect r = e->rect();
    p.drawPixmap(r, from, QRectF(QPointF(r.topLeft()) * ratio, QSizeF(r.size()) * ratio));
}

void Frame::changeEvent(QEvent *e)
{
    switch (e->type()) {
    case QEvent::StyleChange:
    case QEvent::PaletteChange:
    case QEvent::FontChange:
    case QEvent::EnabledChange:
    case QEvent::ActivationChange: // the state and the colour group the style draws in
    case QEvent::LayoutDirectionChange:
        drawn = QPixmap();
        update();
        break;
    default:
        break;
    }
    QGroupBox::changeEvent(e);
}

void Frame::resizeEvent(QResizeEvent *e)
{
    drawn = QPixmap();
    QGroupBox::resizeEvent(e);
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
    paintsBeneath();
}

void FittingLabel::paintsBeneath()
{
    // On a frame the label draws the frame's picture beneath its text itself, so that a new
    // text repaints the label alone and not the frame under it first.
    setAttribute(Qt::WA_OpaquePaintEvent, qobject_cast<Frame *>(parentWidget()) != nullptr);
}

void FittingLabel::changeEvent(QEvent *e)
{
    if (e->type() == QEvent::ParentChange)
        paintsBeneath();
    Label::changeEvent(e);
}

QRect FittingLabel::room() const
{
    return contentsRect().adjusted(margin(), margin(), -margin(), -margin());
}

QColor FittingLabel::textColor() const
{
    return palette().color(foregroundRole());
}

const GlyphPictures::Line &FittingLabel::laidOut(const QFont &f) const
{
    return glyphs.line(text(), f, textColor(), layoutDirection());
}

QFont FittingLabel::shownFont() const
{
    const QRect r = room();
    if (text() == shownText && !shownText.isNull() && font() == shownFor && r.size() == shownRoom)
        return shown;
    auto fits = [this, &r](const QFont &f) {
        // Measured on the glyphs' ink: the metrics of a fallback font (Arabic, for one) can
        // promise less than its glyphs draw.
        const GlyphPictures::Line &l = laidOut(f);
        return qMax(QFontMetrics(f).horizontalAdvance(text()), l.ink.right() + 1) <= r.width()
            && l.ink.height() <= r.height();
    };
    QFont f = font();
    if (!text().isEmpty() && !fits(f)) {
        // The largest pixel size below the font's own that fits. A clock's next text is most
        // often as wide as the last, so the size the last one was shown at is tried first.
        const int own = QFontInfo(f).pixelSize();
        const int before = shownFor == font() && shown.pixelSize() > 0 ? shown.pixelSize() : 0;
        auto at = [&f](int pixels) -> const QFont & {
            f.setPixelSize(pixels);
            return f;
        };
        if (before > 0 && before < own && (before + 1 == own || !fits(at(before + 1)))
            && fits(at(before))) {
            f.setPixelSize(before);
        } else {
            int fitting = 1;
            int tooBig = own;
            while (tooBig - fitting > 1) {
                const int mid = (fitting + tooBig) / 2;
                (fits(at(mid)) ? fitting : tooBig) = mid;
            }
            f.setPixelSize(fitting);
        }
    }
    shownText = text();
    shownFor = font();
    shownRoom = r.size();
    shown = f;
    return f;
}

int FittingLabel::lineTop(const QFont &shown) const
{
    const QRect r = room();
    const QFontMetrics own(font()), m(shown);
    // A smaller font stays on the middle of the line the label's own font would fill.
    int top = r.top() + qMax(0, (own.height() - m.height()) / 2);
    // Ink that would fall below the label (or above it) moves the line up (or down).
    const GlyphPictures::Line &l = laidOut(shown);
    if (l.ink.isNull())
        return top;
    const int baseline = qRound(l.ascent);
    const int below = top + baseline + l.ink.bottom() - r.bottom();
    if (below > 0)
        top -= below;
    const int above = r.top() - (top + baseline + l.ink.top());
    if (above > 0)
        top += above;
    return top;
}

void FittingLabel::paintEvent(QPaintEvent *e)
{
    QPainter p(this);
    if (auto *frame = qobject_cast<Frame *>(parentWidget());
        frame && testAttribute(Qt::WA_OpaquePaintEvent)) {
        // What Qt would have drawn beneath an opaque label: its own background when it fills
        // one, otherwise the part of the frame it covers.
        const QRect r = e->rect();
        if (autoFillBackground()) {
            p.fillRect(r, palette().brush(backgroundRole()));
        } else {
            const QPixmap &beneath = frame->picture();
            const qreal ratio = beneath.devicePixelRatio();
            p.drawPixmap(r, beneath,
                         QRectF(QPointF(r.topLeft() + pos()) * ratio, QSizeF(r.size()) * ratio));
        }
    }
    drawFrame(&p);
    const QFont f = shownFont();
    QRect r = room();
    const Qt::Alignment align = QStyle::visualAlignment(layoutDirection(), alignment());
    if (!isEnabled()) {
        // The style's own look for disabled text.
        if (!(align & (Qt::AlignVCenter | Qt::AlignBottom)))
            r.moveTop(lineTop(f));
        p.setFont(f);
        style()->drawItemText(&p, r, int(align) | Qt::TextSingleLine, palette(), false, text(),
                              foregroundRole());
    } else {
        const GlyphPictures::Line &l = laidOut(f);
        const qreal height = l.ascent + l.descent;
        qreal x = r.left(), top = lineTop(f);
        if (align & Qt::AlignHCenter)
            x += (r.width() - l.width) / 2;
        else if (align & Qt::AlignRight)
            x += r.width() - l.width;
        if (align & Qt::AlignVCenter)
            top = r.top() + (r.height() - height) / 2;
        else if (align & Qt::AlignBottom)
            top = r.bottom() + 1 - height;
        glyphs.draw(p, QPointF(x, top + l.ascent), l);
    }
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
    setMaxLength(maxFieldLength);
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
