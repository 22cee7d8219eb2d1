#pragma once

// The outline of the hint window: a rectangle whose short ends come to a
// point, each point as wide as half the window's height.

#include <array>

namespace klarvo::hintshape {

struct Point {
    int x, y;
    bool operator==(const Point&) const = default;
};

// Height, width, half = height div 2 and odd = height mod 2.
struct Size {
    int width, height, half, odd;
};

Size MakeSize(int width, int height);

// The window's shape: six vertices on its outer edges (x = W, y = H).
std::array<Point, 6> ShapePolygon(const Size& size);

// The blue outline, closed back on its first point: one pixel inside the
// shape on the right and bottom, where the window's last column and row lie.
std::array<Point, 7> OutlinePolyline(const Size& size);

} // namespace klarvo::hintshape
