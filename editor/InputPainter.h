#pragma once

#include "deck/DesignRect.h"

class QPainter;

namespace tess {

struct PaintSubject;

// The input box of a deck. Its painter draws the title ("Title" when it has none)
// and a 90 x 25 box 10 pixels after it, 25 high in all.
class InputPainter
{
public:
    static DesignRect Paint(QPainter &painter, const DesignRect &given,
                            const PaintSubject &subject);
};

} // namespace tess
