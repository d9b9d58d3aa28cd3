#include "editor/SelectPainter.h"

#include "editor/ElementPainting.h"

namespace tess {

DesignRect SelectPainter::Paint(QPainter &painter, const DesignRect &given,
                                const PaintSubject &subject)
{
    return paintGroup(painter, given, titleCaption(subject.element, kDefaultSelectCaption));
}

int SelectPainter::MeasureCaption(const QPaintDevice *device, const DesignRect &given,
                                  const PaintSubject &subject)
{
    return measureCaptionWidth(device, given, titleCaption(subject.element, kDefaultSelectCaption));
}

} // namespace tess
