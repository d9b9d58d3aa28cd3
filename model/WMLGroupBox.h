#pragma once

#include "model/WMLBase.h"

namespace tess {

// The select of a deck. Carries only the base's data; its painter comes
// with the design surface.
class CWMLGroupBox : public CWMLBase
{
};

} // namespace tess
