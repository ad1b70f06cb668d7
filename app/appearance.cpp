#include "app/appearance.h"

#include <QApplication>

namespace tesmora {

namespace {
constexpr ColorValue black = 0x00000000;
constexpr ColorValue white = 0x00FFFFFF;
} // namespace

CommonDialog::CommonDialog(ColorChooser &chooser, const QWidget *window)
    : chooser(chooser), window(window)
{ }

void CommonDialog::ShowColor()
{
    const ColorValue current = backColor(window);
    const std::optional<QColor> chosen
        = chooser.chooseColor(resolveColor(current, QApplication::palette(window)));
    // On cancel keep the value itself, not what it shows: a system-colour reference must stay
    // one, or the window would stop following the user's palette.
    color = chosen ? colorValue(*chosen) : current;
}

Appearance::Appearance(const AppearanceControls &controls, ColorChooser &chooser)
    : c(controls), CommonDialog1(chooser, controls.Form1)
{ }

void Appearance::Command2_Click()
{
    // The look is not stored: the time's text colour tells which one is on.
    if (foreColor(c.Label1) == SystemColor::ButtonText)
        darkLook();
    else
        normalLook();
}

void Appearance::darkLook()
{
    setForeColor(c.Label1, white);
    setBackColor(c.Label1, black);
    setForeColor(c.Label2, white);
    setBackColor(c.Label2, black);
    setBackColor(c.Frame1, black);
    setBackColor(c.Form1, black);
    setBackColor(c.Frame2, black);
    setBackColor(c.Command2, black);
    setBackColor(c.Command1, SystemColor::ButtonFace);
    c.Command1->setEnabled(false);
    c.Command1->setVisible(false);
}

void Appearance::normalLook()
{
    c.Command1->setVisible(true);
    setForeColor(c.Label1, SystemColor::ButtonText);
    c.Command1->setEnabled(true);
    setBackColor(c.Label1, SystemColor::ButtonFace);
    setForeColor(c.Label2, SystemColor::ButtonText);
    setBackColor(c.Label2, SystemColor::ButtonFace);
    setBackColor(c.Command1, SystemColor::ButtonFace);
    setBackColor(c.Command2, SystemColor::ButtonFace);
    setBackColor(c.Frame1, SystemColor::ButtonFace);
    setBackColor(c.Form1, SystemColor::ButtonFace);
    setBackColor(c.Frame2, SystemColor::ButtonFace);
}

void Appearance::Form_Click()
{
    CommonDialog1.ShowColor();
    // The chooser's colour is read afresh for every element.
    setBackColor(c.Form1, CommonDialog1.Color());
    setBackColor(c.Label1, CommonDialog1.Color());
    setBackColor(c.Label2, CommonDialog1.Color());
    c.Command2->setEnabled(true);
    c.Picture1->setVisible(false);
    setBackColor(c.Command2, CommonDialog1.Color());
    setBackColor(c.Frame1, CommonDialog1.Color());
    setBackColor(c.Frame2, CommonDialog1.Color());
    c.Command1->setVisible(false);
}

} // namespace tesmora
