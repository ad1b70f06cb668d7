#pragma once

// The window's kit (controls/): used by the tools and the window, built on the rules and Qt only.
//
// Colours as the window keeps them: a 32-bit value that is either a direct colour 0x00BBGGRR or
// a reference 0x800000nn to one of the desktop's colour roles. Every control remembers the value
// last set for its ForeColor and BackColor, so a toggle can read back exactly what was set, and a
// reference keeps following the user's palette.

#include <QColor>
#include <QPalette>
#include <QtGlobal>

class QWidget;

namespace tesmora {

using ColorValue = quint32;

namespace SystemColor {
constexpr ColorValue WindowBackground = 0x80000005; // text boxes, lists
constexpr ColorValue WindowText = 0x80000008;
constexpr ColorValue ButtonFace = 0x8000000F;
constexpr ColorValue ButtonText = 0x80000012;
} // namespace SystemColor

constexpr bool isSystemColor(ColorValue v)
{
    return (v & 0x80000000u) != 0;
}

// 0x00BBGGRR <-> QColor, for direct colours.
constexpr ColorValue colorValue(int red, int green, int blue)
{
    return ColorValue(red & 0xff) | ColorValue(green & 0xff) << 8 | ColorValue(blue & 0xff) << 16;
}
ColorValue colorValue(const QColor &c);

// What the value shows under `palette` (a reference is looked up in it).
QColor resolveColor(ColorValue value, const QPalette &palette);

// Set and read a control's colours. Setting applies the colour to the widget's palette at once.
void setForeColor(QWidget *w, ColorValue value);
void setBackColor(QWidget *w, ColorValue value);
ColorValue foreColor(const QWidget *w);
ColorValue backColor(const QWidget *w);

// Re-resolves the stored values of `w` against the application palette (after a palette change).
void reapplyColors(QWidget *w);

} // namespace tesmora
