#pragma once

#include "model/WMLBase.h"

namespace tess {

// The input box of a deck. Carries only the base's data; its painter comes
// with the design surface.
class CWMLEdit : public CWMLBase
{
};

} // namespace tess
