#pragma once

namespace tess {

// An element's place on the design canvas, in logical pixels. Borders are
// inside: a point on the right or bottom edge is contained.
struct DesignRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    friend bool operator==(const DesignRect &, const DesignRect &) = default;
};

} // namespace tess
