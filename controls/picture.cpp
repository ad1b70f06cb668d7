#include "controls/picture.h"

#include "controls/controls.h"
#include "controls/firstshow.h"

#include <QAbstractButton>
#include <QFileInfo>
#include <QIcon>
#include <QImageReader>
#include <QVariant>

namespace tesmora {

namespace {
constexpr const char *pictureKey = "tesmoraPicture";

// Every image of a picture file (icon files hold several sizes), in the format its suffix names
// rather than one guessed from the content.
QList<QImage> imagesOf(const QString &resource)
{
    QImageReader reader(resource, QFileInfo(resource).suffix().toLower().toLatin1());
    reader.setAutoDetectImageFormat(false);
    QList<QImage> images;
    do {
        const QImage image = reader.read();
        if (!image.isNull())
            images.append(image);
    } while (reader.jumpToNextImage());
    return images;
}

// The largest image of a picture file: for an icon file, its large (32 x 32) image.
QImage largestOf(const QList<QImage> &images)
{
    QImage best;
    for (const QImage &image : images)
        if (image.width() > best.width())
            best = image;
    return best;
}
} // namespace

QIcon pictureIcon(const QString &resource)
{
    QIcon icon;
    for (const QImage &image : imagesOf(resource))
        icon.addPixmap(QPixmap::fromImage(image));
    return icon;
}

QString imageResource(const QString &name)
{
    return QStringLiteral(":/images/") + name;
}

namespace {

constexpr const char *waitingKey = "tesmoraPictureWaiting";

void showPicture(QWidget *control, const QString &resource)
{
    const QList<QImage> images = resource.isEmpty() ? QList<QImage>() : imagesOf(resource);
    if (auto *button = qobject_cast<QAbstractButton *>(control)) {
        QIcon icon;
        for (const QImage &image : images)
            icon.addPixmap(QPixmap::fromImage(image));
        button->setIcon(icon);
        const QSize largest = largestOf(images).size();
        if (largest.isValid())
            button->setIconSize(largest);
    } else if (auto *label = qobject_cast<QLabel *>(control)) {
        label->setPixmap(QPixmap::fromImage(largestOf(images)));
    }
}

} // namespace

void setPicture(QWidget *control, const QString &resource)
{
    control->setProperty(pictureKey, resource);
    if (control->isVisible()) {
        showPicture(control, resource);
        return;
    }
    // Decoded when first seen: most pictures sit on panels that may never be opened, and the
    // first picture in a format Qt reads itself (".bmp", ".png") makes Qt load every image
    // plugin of the system to ask whether one of them reads it first.
    if (control->property(waitingKey).toBool())
        return;
    control->setProperty(waitingKey, true);
    whenFirstShown(control, [control] {
        control->setProperty(waitingKey, false);
        showPicture(control, picture(control));
    });
}

QString picture(const QWidget *control)
{
    return control->property(pictureKey).toString();
}

} // namespace tesmora
