#pragma once

#include "model/WMLBase.h"

namespace tess {

// The JSP code block of a deck. Carries only the base's data; its painter comes
// with the design surface.
class CWMLJSP : public CWMLBase
{
};

} // namespace tess
