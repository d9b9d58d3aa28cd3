#include "model/WMLAnchor.h"

#include "model/ElementPainting.h"

#include <QPainter>

namespace tess {

DesignRect CWMLAnchor::Paint(QPainter &painter, const DesignRect &given,
                             const std::string &linkText)
{
    const std::string text = shownText(linkText);
    FontChoice choice;
    choice.underline = true;
    painter.save();
    painter.setFont(makeElementFont(choice));
    // Drawn in the given rectangle only: a link text too long for it would
    // otherwise wrap onto whatever lies below the anchor.
    painter.setClipRect(QRect(given.left, given.top, given.width(), given.height()),
                        Qt::IntersectClip);
    const DesignRect measured = measureText(painter, given, text);
    drawCaption(painter, measured, text);
    painter.restore();
    // Measuring narrows the rectangle to the text, as the platform's text
    // measurement does; growing from the given right instead would widen an
    // anchor on every repaint, since the designer stores the result back.
    return {given.left, given.top, measured.right + measured.height(), given.bottom};
}

} // namespace tess
