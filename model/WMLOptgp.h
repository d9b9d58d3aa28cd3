#pragma once

#include "model/WMLBase.h"

namespace tess {

// The option group of a deck. Carries only the base's data; its painter comes
// with the design surface.
class CWMLOptgp : public CWMLBase
{
};

} // namespace tess
