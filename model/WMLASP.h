#pragma once

#include "model/WMLBase.h"

namespace tess {

// The ASP code block of a deck. Carries only the base's data; its painter comes
// with the design surface.
class CWMLASP : public CWMLBase
{
};

} // namespace tess
