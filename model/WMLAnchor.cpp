#include "model/WMLAnchor.h"

#include "model/ElementPainting.h"

#include <QPainter>

namespace tess {

DesignRect CWMLAnchor::Paint(QPainter &painter, const DesignRect &given, const std::string &text)
{
    FontChoice choice;
    choice.underline = true;
    painter.save();
    painter.setFont(makeElementFont(choice));
    const DesignRect measured = measureText(painter, given, text);
    drawCaption(painter, measured, text);
    painter.restore();
    return {given.left, given.top, given.right + measured.height(), given.bottom};
}

} // namespace tess
