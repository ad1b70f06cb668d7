#include "controls/picture.h"

#include "controls/controls.h"

#include <QAbstractButton>
#include <QIcon>
#include <QImageReader>
#include <QVariant>

namespace tesmora {

namespace {
constexpr const char *pictureKey = "tesmoraPicture";

// The first frame of an image file: for an icon file, its large (32 x 32) image.
QPixmap firstFrame(const QString &resource)
{
    QImageReader reader(resource);
    QSize best;
    QImage image;
    // Icon files hold several sizes; take the largest.
    do {
        const QImage frame = reader.read();
        if (!frame.isNull() && frame.width() > best.width()) {
            best = frame.size();
            image = frame;
        }
    } while (reader.jumpToNextImage());
    return QPixmap::fromImage(image);
}
} // namespace

QString imageResource(const QString &name)
{
    return QStringLiteral(":/images/") + name;
}

void setPicture(QWidget *control, const QString &resource)
{
    control->setProperty(pictureKey, resource);
    if (auto *button = qobject_cast<QAbstractButton *>(control)) {
        const QIcon icon(resource);
        button->setIcon(icon);
        const QList<QSize> sizes = icon.availableSizes();
        QSize largest;
        for (const QSize &s : sizes)
            if (s.width() > largest.width())
                largest = s;
        if (largest.isValid())
            button->setIconSize(largest);
    } else if (auto *label = qobject_cast<QLabel *>(control)) {
        label->setPixmap(resource.isEmpty() ? QPixmap() : firstFrame(resource));
    }
}

QString picture(const QWidget *control)
{
    return control->property(pictureKey).toString();
}

} // namespace tesmora
