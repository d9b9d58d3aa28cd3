#pragma once

#include "model/WMLBase.h"

#include <memory>

namespace tess {

// Makes the element object of the class that represents `kind`, with that kind
// set and everything else empty.
std::unique_ptr<CWMLBase> makeElement(int kind);

// Same, with the fragment set.
std::unique_ptr<CWMLBase> makeElement(int kind, std::string fragment);

} // namespace tess
