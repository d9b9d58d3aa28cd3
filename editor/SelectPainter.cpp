#include "editor/SelectPainter.h"

#include "editor/ElementPainting.h"

namespace tess {

DesignRect SelectPainter::Paint(QPainter &painter, const DesignRect &given,
                                const std::string &fragment)
{
    return paintGroup(painter, given, titleCaption(fragment, kDefaultSelectCaption));
}

int SelectPainter::MeasureCaption(const QPaintDevice *device, const DesignRect &given,
                                  const std::string &fragment)
{
    return measureCaptionWidth(device, given, titleCaption(fragment, kDefaultSelectCaption));
}

} // namespace tess
