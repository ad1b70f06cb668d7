#include "controls/colorvalue.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QWidget>

namespace tesmora {

namespace {
constexpr const char *foreKey = "tesmoraForeColor";
constexpr const char *backKey = "tesmoraBackColor";

// The palette role a control paints its text and its background with.
QPalette::ColorRole foreRole(const QWidget *w)
{
    return w->foregroundRole();
}
QPalette::ColorRole backRole(const QWidget *w)
{
    return w->backgroundRole();
}

// Text boxes and lists are drawn in the window colours, everything else in the button colours.
bool isTextKind(const QWidget *w)
{
    return qobject_cast<const QLineEdit *>(w) || qobject_cast<const QAbstractItemView *>(w)
        || qobject_cast<const QComboBox *>(w);
}

ColorValue defaultFore(const QWidget *w)
{
    return isTextKind(w) ? SystemColor::WindowText : SystemColor::ButtonText;
}
ColorValue defaultBack(const QWidget *w)
{
    return isTextKind(w) ? SystemColor::WindowBackground : SystemColor::ButtonFace;
}

void apply(QWidget *w)
{
    QPalette pal = w->palette();
    const QPalette system = QApplication::palette(w);
    const QColor fore = resolveColor(foreColor(w), system);
    const QColor back = resolveColor(backColor(w), system);
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, foreRole(w), fore);
        pal.setColor(group, backRole(w), back);
    }
    // Disabled text keeps the desktop's greyed look; the background does not change with state.
    pal.setColor(QPalette::Disabled, backRole(w), back);
    w->setPalette(pal);
}
} // namespace

ColorValue colorValue(const QColor &c)
{
    return colorValue(c.red(), c.green(), c.blue());
}

QColor resolveColor(ColorValue value, const QPalette &palette)
{
    if (!isSystemColor(value))
        return QColor(int(value & 0xff), int(value >> 8 & 0xff), int(value >> 16 & 0xff));
    switch (value) {
    case SystemColor::WindowBackground:
        return palette.color(QPalette::Base);
    case SystemColor::WindowText:
        return palette.color(QPalette::WindowText);
    case SystemColor::ButtonText:
        return palette.color(QPalette::ButtonText);
    case SystemColor::ButtonFace:
    default:
        return palette.color(QPalette::Button);
    }
}

void setForeColor(QWidget *w, ColorValue value)
{
    w->setProperty(foreKey, QVariant::fromValue(value));
    apply(w);
}

void setBackColor(QWidget *w, ColorValue value)
{
    w->setProperty(backKey, QVariant::fromValue(value));
    apply(w);
}

ColorValue foreColor(const QWidget *w)
{
    const QVariant v = w->property(foreKey);
    return v.isValid() ? v.value<ColorValue>() : defaultFore(w);
}

ColorValue backColor(const QWidget *w)
{
    const QVariant v = w->property(backKey);
    return v.isValid() ? v.value<ColorValue>() : defaultBack(w);
}

void reapplyColors(QWidget *w)
{
    if (w->property(foreKey).isValid() || w->property(backKey).isValid())
        apply(w);
}

} // namespace tesmora
