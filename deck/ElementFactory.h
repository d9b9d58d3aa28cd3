#pragma once

#include "deck/Element.h"

#include <memory>

namespace tess {

// Makes an element of `kind`, everything else empty.
std::unique_ptr<Element> makeElement(ElementKind kind);

// Same, with the fragment set.
std::unique_ptr<Element> makeElement(ElementKind kind, std::string fragment);

} // namespace tess
