#pragma once

#include "deck/DesignRect.h"

#include <string>

class QPainter;

namespace tess {

// The JSP code block of a deck, drawn as its 32 x 32 icon.
class JspPainter
{
public:
    static DesignRect Paint(QPainter &painter, const DesignRect &given, const std::string &text);
};

} // namespace tess
