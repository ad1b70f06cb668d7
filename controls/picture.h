#pragma once

// The window's kit (controls/): used by the tools and the window, built on the rules and Qt only.
//
// A control's Picture: the image resource it shows. Buttons show it as their icon, picture boxes
// and images as their pixmap. The control remembers the resource, so that one control's picture
// can be handed to another (the menu button takes the bulbs of the two hidden picture boxes).

#include <QString>

class QIcon;
class QWidget;

namespace tesmora {

// Full resource path of an image name: ":/images/<name>".
QString imageResource(const QString &name);

// The control shows the picture when it is first shown (at once if it is shown already);
// picture() tells it from the start.
void setPicture(QWidget *control, const QString &resource);
QString picture(const QWidget *control);

// Every size of a picture file as one icon.
QIcon pictureIcon(const QString &resource);

} // namespace tesmora
