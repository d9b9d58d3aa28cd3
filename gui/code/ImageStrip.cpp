#include "gui/code/ImageStrip.h"

#include <QBitmap>

namespace tess {

QList<QIcon> cutImageStrip(const QPixmap &strip, int imageWidth, const QColor &transparent)
{
    QList<QIcon> images;
    if (strip.isNull() || imageWidth <= 0)
        return images;
    for (int x = 0; x + imageWidth <= strip.width(); x += imageWidth) {
        QPixmap image = strip.copy(x, 0, imageWidth, strip.height());
        image.setMask(image.createMaskFromColor(transparent, Qt::MaskInColor));
        images.append(QIcon(image));
    }
    return images;
}

} // namespace tess
