#pragma once

#include "model/WMLBase.h"

#include <string>

class QPainter;

namespace tess {

// The JSP code block of a deck, drawn as its 32 x 32 icon.
class CWMLJSP : public CWMLBase
{
public:
    static DesignRect Paint(QPainter &painter, const DesignRect &given, const std::string &text);
};

} // namespace tess
