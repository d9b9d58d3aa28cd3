#pragma once

#include "deck/DesignRect.h"

#include <ostream>

namespace tess {

// Rectangles in failure messages as (left, top, right, bottom).
inline void PrintTo(const DesignRect &r, std::ostream *os)
{
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

} // namespace tess
