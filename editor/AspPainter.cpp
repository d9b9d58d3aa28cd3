#include "editor/AspPainter.h"

#include "editor/ElementPainting.h"

namespace tess {

DesignRect AspPainter::Paint(QPainter &painter, const DesignRect &given, const PaintSubject &)
{
    return paintIcon(painter, given, IDI_ASPICON);
}

} // namespace tess
