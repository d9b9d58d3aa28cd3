#pragma once

#include "deck/DesignRect.h"

class QPainter;

namespace tess {

struct PaintSubject;

// The ASP code block of a deck, drawn as its 32 x 32 icon.
class AspPainter
{
public:
    static DesignRect Paint(QPainter &painter, const DesignRect &given,
                            const PaintSubject &subject);
};

} // namespace tess
