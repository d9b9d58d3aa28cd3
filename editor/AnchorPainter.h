#pragma once

#include "deck/DesignRect.h"

class QPainter;

namespace tess {

struct PaintSubject;

// The anchor of a deck, drawn as its underlined words; the rectangle returned
// is the given one widened by the text's height.
class AnchorPainter
{
public:
    static DesignRect Paint(QPainter &painter, const DesignRect &given,
                            const PaintSubject &subject);
};

} // namespace tess
