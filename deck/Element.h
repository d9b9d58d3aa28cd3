#pragma once

#include "deck/DesignRect.h"
#include "deck/ElementKind.h"

#include <string>

namespace tess {

// One element of a deck: where the designer draws it, its process-wide
// identifier, its kind and its own WML text (start tag, text run, comment,
// entity reference or server code). End tags are never stored; the tree's
// nesting supplies them.
class Element
{
public:
    DesignRect rect;
    int id = 0;
    ElementKind kind = ElementKind::Other;
    std::string fragment;
};

} // namespace tess
