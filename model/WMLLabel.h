#pragma once

#include "model/WMLBase.h"

namespace tess {

// The text run or formatting tag of a deck. Carries only the base's data; its painter comes
// with the design surface.
class CWMLLabel : public CWMLBase
{
};

} // namespace tess
