#pragma once

#include "deck/DesignRect.h"

#include <string>

class QPainter;
class QPaintDevice;

namespace tess {

// The option group of a deck. Drawn like a select, with "Optgroup" as the
// title when it has none.
class OptgroupPainter
{
public:
    static DesignRect Paint(QPainter &painter, const DesignRect &given,
                            const std::string &fragment);
    static int MeasureCaption(const QPaintDevice *device, const DesignRect &given,
                              const std::string &fragment);
};

} // namespace tess
