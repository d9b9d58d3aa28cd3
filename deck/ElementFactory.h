#pragma once

#include "deck/Element.h"

#include <memory>

namespace tess {

// Makes the element object of the class that represents `kind`, with that kind
// set and everything else empty.
std::unique_ptr<Element> makeElement(int kind);

// Same, with the fragment set.
std::unique_ptr<Element> makeElement(int kind, std::string fragment);

} // namespace tess
