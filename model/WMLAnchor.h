#pragma once

#include "model/WMLBase.h"

namespace tess {

// The anchor of a deck. Carries only the base's data; its painter comes
// with the design surface.
class CWMLAnchor : public CWMLBase
{
};

} // namespace tess
