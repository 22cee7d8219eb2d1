#pragma once

// Geometry shared by the canvas and the controls, free of windows.h so that
// layout arithmetic can be tested as plain code.

#include <algorithm>

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

// A window moved the least distance that puts it wholly inside an area; one
// larger than the area keeps its top-left corner (title and first controls)
// inside.
inline Rect KeptInside(const Rect& window, const Rect& area)
{
    auto shift = [](int low, int high, int areaLow, int areaHigh) {
        if (high > areaHigh) {
            return std::max(areaHigh - high, areaLow - low);
        }
        return low < areaLow ? areaLow - low : 0;
    };
    const int dx = shift(window.left, window.right, area.left, area.right);
    const int dy = shift(window.top, window.bottom, area.top, area.bottom);
    return Rect{window.left + dx, window.top + dy, window.right + dx, window.bottom + dy};
}

} // namespace klarvo
