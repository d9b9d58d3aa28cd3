#pragma once

#include "deck/DesignRect.h"

class QPainter;
class QPaintDevice;

namespace tess {

struct PaintSubject;

// The option group of a deck. Drawn like a select, with "Optgroup" as the
// title when it has none.
class OptgroupPainter
{
public:
    static DesignRect Paint(QPainter &painter, const DesignRect &given,
                            const PaintSubject &subject);
    static int MeasureCaption(const QPaintDevice *device, const DesignRect &given,
                              const PaintSubject &subject);
};

} // namespace tess
