#pragma once

#include "deck/DesignRect.h"

class QPainter;
class QPaintDevice;

namespace tess {

struct PaintSubject;

// The option of a select. Its painter draws an option mark and the option's
// words ("Option" when there are none); the rectangle returned is the given one
// widened by the text's height. MeasureCaption gives the words' width plus
// their height.
class OptionPainter
{
public:
    static DesignRect Paint(QPainter &painter, const DesignRect &given,
                            const PaintSubject &subject);
    static int MeasureCaption(const QPaintDevice *device, const DesignRect &given,
                              const PaintSubject &subject);
};

} // namespace tess
