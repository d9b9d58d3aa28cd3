#pragma once

#include "model/WMLBase.h"

#include <string>

class QPainter;

namespace tess {

// The anchor of a deck, drawn as its underlined words; the rectangle returned
// is the given one widened by the text's height.
class CWMLAnchor : public CWMLBase
{
public:
    static DesignRect Paint(QPainter &painter, const DesignRect &given, const std::string &text);
};

} // namespace tess
