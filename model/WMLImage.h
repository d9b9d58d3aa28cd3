#pragma once

#include "model/WMLBase.h"

namespace tess {

// The image of a deck. Carries only the base's data; its painter comes
// with the design surface.
class CWMLImage : public CWMLBase
{
};

} // namespace tess
