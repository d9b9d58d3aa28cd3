#pragma once

#include "deck/DesignRect.h"

class QPainter;

namespace tess {

struct PaintSubject;

// The image of a deck. Its painter draws the Wireless Bitmap named by src (or
// localsrc) at its own size, or the placeholder icon in a 32 x 32 box when there
// is no picture to show.
class ImagePainter
{
public:
    static DesignRect Paint(QPainter &painter, const DesignRect &given,
                            const PaintSubject &subject);
};

} // namespace tess
