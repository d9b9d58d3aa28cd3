#include "model/WMLASP.h"

#include "model/ElementPainting.h"

namespace tess {

DesignRect CWMLASP::Paint(QPainter &painter, const DesignRect &given, const std::string &)
{
    return paintIcon(painter, given, IDI_ASPICON);
}

} // namespace tess
