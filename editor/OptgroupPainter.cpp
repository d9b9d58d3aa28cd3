#include "editor/OptgroupPainter.h"

#include "editor/ElementPainting.h"

namespace tess {

DesignRect OptgroupPainter::Paint(QPainter &painter, const DesignRect &given,
                                  const PaintSubject &subject)
{
    return paintGroup(painter, given, titleCaption(subject.element, kDefaultOptgroupCaption));
}

int OptgroupPainter::MeasureCaption(const QPaintDevice *device, const DesignRect &given,
                                    const PaintSubject &subject)
{
    return measureCaptionWidth(device, given,
                               titleCaption(subject.element, kDefaultOptgroupCaption));
}

} // namespace tess
