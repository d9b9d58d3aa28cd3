#include "model/WMLJSP.h"

#include "model/ElementPainting.h"

namespace tess {

DesignRect CWMLJSP::Paint(QPainter &painter, const DesignRect &given, const std::string &)
{
    return paintIcon(painter, given, IDI_JSPICON);
}

} // namespace tess
