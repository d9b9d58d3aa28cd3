#include "editor/OptgroupPainter.h"

#include "editor/ElementPainting.h"

namespace tess {

DesignRect OptgroupPainter::Paint(QPainter &painter, const DesignRect &given,
                                  const std::string &fragment)
{
    return paintGroup(painter, given, titleCaption(fragment, kDefaultOptgroupCaption));
}

int OptgroupPainter::MeasureCaption(const QPaintDevice *device, const DesignRect &given,
                                    const std::string &fragment)
{
    return measureCaptionWidth(device, given, titleCaption(fragment, kDefaultOptgroupCaption));
}

} // namespace tess
