#pragma once

// The outline of the hint window: a rectangle whose short ends come to a
// point, each point as wide as half the window's height.

#include "framework/drawing/Types.h"

#include <array>

namespace klarvo::hintshape {

// Height, width, half = height div 2 and odd = height mod 2.
struct Extent {
    int width, height, half, odd;
};

Extent MakeSize(int width, int height);

// The window's shape: six vertices on its outer edges (x = W, y = H).
std::array<Point, 6> ShapePolygon(const Extent& size);

// The blue outline, closed back on its first point: one pixel inside the
// shape on the right and bottom, where the window's last column and row lie.
std::array<Point, 7> OutlinePolyline(const Extent& size);

} // namespace klarvo::hintshape
