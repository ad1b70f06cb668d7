#include "app/navigation.h"

#include "controls/controls.h"
#include "controls/picture.h"

#include <QPushButton>
#include <initializer_list>

namespace tesmora {

namespace {
bool flag(const QWidget *w)
{
    return !w->isHidden();
}
void show(QWidget *w)
{
    w->setVisible(true);
}
void hide(QWidget *w)
{
    w->setVisible(false);
}
void enable(std::initializer_list<QPushButton *> buttons)
{
    for (QPushButton *b : buttons)
        b->setEnabled(true);
}
void disable(std::initializer_list<QPushButton *> buttons)
{
    for (QPushButton *b : buttons)
        b->setEnabled(false);
}
} // namespace

void Navigation::clearToolFlags()
{
    for (QWidget *panel : {static_cast<QWidget *>(c.Picture2), static_cast<QWidget *>(c.Picture5),
                           static_cast<QWidget *>(c.Picture6), static_cast<QWidget *>(c.Picture8),
                           static_cast<QWidget *>(c.Picture10), static_cast<QWidget *>(c.Picture12),
                           static_cast<QWidget *>(c.Picture13)})
        hide(panel);
}

void Navigation::Command1_Click()
{
    if (!flag(c.Picture1)) {
        show(c.Picture1);
        setPicture(c.Command1, picture(c.Picture4));
        c.Command2->setEnabled(false);
    } else {
        hide(c.Picture1);
        c.Command2->setEnabled(true);
        setPicture(c.Command1, picture(c.Picture3));
    }
}

void Navigation::Command3_Click()
{
    if (!flag(c.Picture12)) {
        show(c.Picture10);
        show(c.Picture8);
        hide(c.Picture13);
        show(c.Picture12);
        disable(
            {c.Command4, c.Command5, c.Command6, c.Command7, c.Command20, c.Command22, c.Command1});
    } else {
        c.Command1->setEnabled(true);
        hide(c.Picture8);
        show(c.Command1);
        enable({c.Command4, c.Command22, c.Command5, c.Command6, c.Command7, c.Command20});
        clearToolFlags();
    }
}

void Navigation::Command4_Click()
{
    if (!flag(c.Picture10)) {
        show(c.Picture10);
        hide(c.Picture13);
        show(c.Picture8);
        disable(
            {c.Command3, c.Command5, c.Command6, c.Command7, c.Command20, c.Command1, c.Command22});
    } else {
        enable({c.Command1, c.Command22});
        hide(c.Picture10);
        hide(c.Picture8);
        enable({c.Command3, c.Command5});
        show(c.Command1);
        enable({c.Command6, c.Command7, c.Command20});
        clearToolFlags();
    }
}

void Navigation::Command5_Click()
{
    if (!flag(c.Picture8)) {
        show(c.Picture8);
        hide(c.Picture10);
        disable({c.Command2, c.Command3, c.Command4, c.Command6, c.Command7, c.Command20,
                 c.Command1, c.Command22});
    } else {
        enable({c.Command1, c.Command22});
        hide(c.Picture8);
        c.Command2->setEnabled(false);
        enable({c.Command3, c.Command4});
        show(c.Command1);
        enable({c.Command6, c.Command7, c.Command20});
        clearToolFlags();
    }
}

void Navigation::Command6_Click()
{
    if (!flag(c.Picture2)) {
        show(c.Picture2);
        disable({c.Command2, c.Command3, c.Command4, c.Command5, c.Command7, c.Command20,
                 c.Command1, c.Command22});
    } else {
        c.Command22->setEnabled(true);
        hide(c.Picture2);
        c.Command2->setEnabled(false);
        enable({c.Command3, c.Command1, c.Command4, c.Command5});
        show(c.Command1);
        enable({c.Command7, c.Command20});
        clearToolFlags();
    }
}

void Navigation::Command7_Click()
{
    if (!flag(c.Picture5)) {
        show(c.Picture5);
        hide(c.Picture6);
        disable(
            {c.Command3, c.Command4, c.Command5, c.Command6, c.Command20, c.Command1, c.Command22});
    } else {
        enable({c.Command1, c.Command22});
        hide(c.Picture5);
        c.Command3->setEnabled(true);
        show(c.Command1);
        enable({c.Command4, c.Command5, c.Command6, c.Command20});
        clearToolFlags();
    }
}

void Navigation::Command20_Click()
{
    if (!flag(c.Picture6)) {
        show(c.Picture6);
        show(c.Picture5);
        disable(
            {c.Command3, c.Command4, c.Command5, c.Command6, c.Command7, c.Command1, c.Command22});
    } else {
        enable({c.Command22, c.Command1});
        hide(c.Picture6);
        hide(c.Picture5);
        enable({c.Command3, c.Command4, c.Command5, c.Command6, c.Command7});
        clearToolFlags();
    }
}

void Navigation::Command22_Click()
{
    if (!flag(c.Picture13)) {
        show(c.Picture8);
        show(c.Picture12);
        show(c.Picture10);
        show(c.Picture13);
        disable(
            {c.Command3, c.Command4, c.Command5, c.Command6, c.Command7, c.Command20, c.Command1});
    } else {
        c.Command1->setEnabled(true);
        show(c.Command1);
        hide(c.Picture8);
        hide(c.Picture10);
        hide(c.Picture13);
        hide(c.Picture12);
        enable({c.Command3, c.Command4, c.Command5, c.Command6, c.Command7, c.Command20});
        clearToolFlags();
    }
}

} // namespace tesmora
