#include "editor/JspPainter.h"

#include "editor/ElementPainting.h"

namespace tess {

DesignRect JspPainter::Paint(QPainter &painter, const DesignRect &given, const PaintSubject &)
{
    return paintIcon(painter, given, IDI_JSPICON);
}

} // namespace tess
