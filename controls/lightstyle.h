#pragma once

// The window's kit (controls/): used by the tools and the window, built on the rules and Qt only.
//
// The window's style, drawing itself the two pictures it would otherwise read from PNG files at
// start-up: the month calendar's arrows (asked for when the calendar is made) and the frame of
// a box (painted with the clock). The first PNG that Qt reads makes it load every image plugin
// of the system, megabytes that the clock does not need.

#include <QProxyStyle>

namespace tesmora {

class LightStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap which, const QStyleOption *option,
                       const QWidget *widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override;
};

} // namespace tesmora
