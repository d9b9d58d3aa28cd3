#pragma once

#include "model/DesignRect.h"
#include "model/ElementKind.h"

#include <string>

namespace tess {

// One element of a deck: where the designer draws it, its process-wide
// identifier, its kind and its own WML text (start tag, text run, comment,
// entity reference or server code). End tags are never stored; the tree's
// nesting supplies them.
class CWMLBase
{
public:
    CWMLBase() = default;
    virtual ~CWMLBase() = default;
    CWMLBase(const CWMLBase &) = default;
    CWMLBase &operator=(const CWMLBase &) = default;

    DesignRect rect;
    int id = 0;
    int kind = KindOther;
    std::string fragment;
};

} // namespace tess
