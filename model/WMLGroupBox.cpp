#include "model/WMLGroupBox.h"

#include "model/ElementPainting.h"

namespace tess {

DesignRect CWMLGroupBox::Paint(QPainter &painter, const DesignRect &given,
                               const std::string &fragment)
{
    return paintGroup(painter, given, titleCaption(fragment, kDefaultSelectCaption));
}

int CWMLGroupBox::MeasureCaption(const QPaintDevice *device, const DesignRect &given,
                                 const std::string &fragment)
{
    return measureCaptionWidth(device, given, titleCaption(fragment, kDefaultSelectCaption));
}

} // namespace tess
