#pragma once

#include "model/WMLBase.h"

namespace tess {

// The option of a select of a deck. Carries only the base's data; its painter comes
// with the design surface.
class CWMLOption : public CWMLBase
{
};

} // namespace tess
