#include "model/WMLOptgp.h"

#include "model/ElementPainting.h"

namespace tess {

DesignRect CWMLOptgp::Paint(QPainter &painter, const DesignRect &given, const std::string &fragment)
{
    return paintGroup(painter, given, titleCaption(fragment, kDefaultOptgroupCaption));
}

int CWMLOptgp::MeasureCaption(const QPaintDevice *device, const DesignRect &given,
                              const std::string &fragment)
{
    return measureCaptionWidth(device, given, titleCaption(fragment, kDefaultOptgroupCaption));
}

} // namespace tess
