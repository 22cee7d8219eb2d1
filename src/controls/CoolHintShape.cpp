#include "controls/CoolHintShape.h"

namespace klarvo::hintshape {

Extent MakeSize(int width, int height)
{
    return {width, height, height / 2, height % 2};
}

// With an odd height the lower vertices move one pixel inward, so that the
// lower slants run at 45 degrees like the upper ones.
std::array<Point, 6> ShapePolygon(const Extent& s)
{
    return {{{0, s.half},
             {s.half, 0},
             {s.width - s.half, 0},
             {s.width, s.half},
             {s.width - s.half - s.odd, s.height},
             {s.half + s.odd, s.height}}};
}

std::array<Point, 7> OutlinePolyline(const Extent& s)
{
    return {{{0, s.half},
             {s.half, 0},
             {s.width - s.half - 1, 0},
             {s.width - 1, s.half},
             {s.width - s.half - s.odd, s.height - 1},
             {s.half + s.odd - 1, s.height - 1},
             {0, s.half}}};
}

} // namespace klarvo::hintshape
