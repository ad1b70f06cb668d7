#pragma once

// The window's kit (controls/): used by the tools and the window, built on the rules and Qt only.
//
// The window's own kinds of control, where a plain Qt widget lacks an event the program uses
// (a click on a label or a picture, a pointer moving over a text box) or a look it needs.

#include "controls/glyphs.h"

#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QWidget>

namespace tesmora {

// A pointer moving over a control: buttons held, keyboard modifiers, position in twips.
struct MouseMove
{
    Qt::MouseButtons buttons;
    Qt::KeyboardModifiers modifiers;
    int xTwips = 0;
    int yTwips = 0;
};

// Borderless, flat container painted in the button face. Takes the mouse presses made on its
// bare surface, so that they never reach the window underneath.
class Panel : public QWidget
{
    Q_OBJECT
public:
    explicit Panel(QWidget *parent = nullptr);
Q_SIGNALS:
    void mouseMoved(const tesmora::MouseMove &move);

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
};

// A frame drawn with the standard group border and no caption.
class Frame : public QGroupBox
{
    Q_OBJECT
public:
    explicit Frame(QWidget *parent = nullptr);
    // The frame as drawn now, in the frame's coordinates: what a child that paints its own
    // background shows beneath itself.
    const QPixmap &picture();

protected:
    void paintEvent(QPaintEvent *e) override;
    void changeEvent(QEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    // No caption and no check box: what the frame draws then changes only with the events
    // above, so the drawing is kept until one of them comes.
    using QGroupBox::setAlignment;
    using QGroupBox::setCheckable;
    using QGroupBox::setChecked;
    using QGroupBox::setFlat;
    using QGroupBox::setTitle;

    // The drawn frame: the style stretches a shaded picture over the whole box, and the
    // clock's labels, redrawn every second, would otherwise redraw it beneath them each time (a
    // blend that Qt spreads over helper threads). Null when it must be drawn again.
    QPixmap drawn;
};

// Static text (or, for images and picture boxes, a picture) that reports clicks and pointer
// movement.
class Label : public QLabel
{
    Q_OBJECT
public:
    explicit Label(QWidget *parent = nullptr);
    // A label that acts on a click also takes the keyboard focus and acts on Space and Enter, so
    // that what a mouse can do, the keyboard can do too.
    void setPressable(bool pressable);
    bool isPressable() const { return pressable; }
Q_SIGNALS:
    void clicked();
    void mouseMoved(const tesmora::MouseMove &move);

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void paintEvent(QPaintEvent *e) override;

private:
    bool pressedInside = false;
    bool pressable = false;
};

// A label that always shows its whole text on one line: at its own font where the text fits,
// otherwise at the largest pixel size of the same face that fits.
class FittingLabel : public Label
{
    Q_OBJECT
public:
    explicit FittingLabel(QWidget *parent = nullptr);
    // The font the text is drawn in now.
    QFont shownFont() const;

protected:
    void paintEvent(QPaintEvent *e) override;
    void changeEvent(QEvent *e) override;

private:
    void paintsBeneath();
    QRect room() const;
    QColor textColor() const;
    // The text on one line in font `f`, with the box its ink covers.
    const GlyphPictures::Line &laidOut(const QFont &f) const;
    // Where the line's top goes so that all of the text's ink is inside the label.
    int lineTop(const QFont &shown) const;

    mutable GlyphPictures glyphs;
    // The text, font and room that `shown` was chosen for.
    mutable QString shownText;
    mutable QFont shownFor;
    mutable QSize shownRoom;
    mutable QFont shown;
};

// A push button that Enter presses as well as Space: a focused button that ignored Enter would
// leave a keyboard user guessing.
class PushButton : public QPushButton
{
    Q_OBJECT
public:
    explicit PushButton(const QString &text = {}, QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *e) override;
};

// The most characters a text box or a combo box's field holds. Far more than any number, word or
// name the tools read; past it a long paste would only slow every key, which lays out and paints
// the whole line again.
inline constexpr int maxFieldLength = 1024;

// A single-line text box that reports the pointer moving over it and holds at most
// maxFieldLength characters.
class TextBox : public QLineEdit
{
    Q_OBJECT
public:
    explicit TextBox(QWidget *parent = nullptr);
Q_SIGNALS:
    void mouseMoved(const tesmora::MouseMove &move);

protected:
    void mouseMoveEvent(QMouseEvent *e) override;
};

// A straight line drawn on its container, in the window-text colour.
class Line : public QWidget
{
    Q_OBJECT
public:
    // Endpoints in the container's pixels; the widget covers the line and nothing else.
    Line(QPoint from, QPoint to, int thickness, QWidget *parent = nullptr);
    QPoint from() const { return m_from; }
    QPoint to() const { return m_to; }
    int thickness() const { return m_thickness; }

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    QPoint m_from, m_to;
    int m_thickness;
};

// Pixels <-> twips (15 twips to the logical pixel).
constexpr int twipsPerPixel = 15;
constexpr int toPixels(int twips)
{
    return twips / twipsPerPixel;
}
constexpr int toTwips(int pixels)
{
    return pixels * twipsPerPixel;
}

} // namespace tesmora

Q_DECLARE_METATYPE(tesmora::MouseMove)
