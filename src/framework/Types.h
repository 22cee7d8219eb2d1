#pragma once

// Geometry shared by the canvas and the controls, free of windows.h so that
// layout arithmetic can be tested as plain code.

namespace klarvo {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// Right and bottom are exclusive, as the platform draws rectangles.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

inline Rect Bounds(int left, int top, int width, int height)
{
    return Rect{left, top, left + width, top + height};
}

} // namespace klarvo
