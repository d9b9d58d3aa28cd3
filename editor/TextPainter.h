#pragma once

#include "deck/DesignRect.h"

class QPainter;

namespace tess {

struct PaintSubject;

// The text run or formatting tag of a deck. One label is drawn for a text and
// its chain of formatting children: the words after the last tag, in the font
// the tags ask for. The placeholder "Text" gets a 115 x 55 box of its own.
class TextPainter
{
public:
    static DesignRect Paint(QPainter &painter, const DesignRect &given,
                            const PaintSubject &subject);
};

} // namespace tess
