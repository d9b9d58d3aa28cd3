// The WBMP decoder on any bytes, then the picture painted as the design view
// paints it: at its place, partly off a small canvas, and through a
// translated painter.
#include "wml/WbmpImage.h"

#include <QImage>
#include <QPainter>

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    tess::WbmpImage bitmap;
    if (!bitmap.Decode(std::string_view(reinterpret_cast<const char *>(data), size)))
        return 0;
    QImage canvas(96, 64, QImage::Format_RGB32);
    canvas.fill(Qt::red);
    bitmap.Draw(canvas, 3, 5);
    bitmap.Draw(canvas, -40, -7);
    QPainter painter(&canvas);
    painter.translate(-bitmap.Width() / 2, -bitmap.Height() / 2);
    bitmap.Draw(painter, 0, 0);
    return 0;
}
