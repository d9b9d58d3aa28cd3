#pragma once

#include "deck/DesignRect.h"

class QPainter;
class QPaintDevice;

namespace tess {

struct PaintSubject;

// The select of a deck. Its painter draws the title ("Select" when it has none)
// inside a 3-D frame around the given rectangle, widened to fit the title.
// MeasureCaption gives the title's width plus its height, by which the
// designer sizes the select.
class SelectPainter
{
public:
    static DesignRect Paint(QPainter &painter, const DesignRect &given,
                            const PaintSubject &subject);
    static int MeasureCaption(const QPaintDevice *device, const DesignRect &given,
                              const PaintSubject &subject);
};

} // namespace tess
