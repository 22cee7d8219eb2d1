#include <gtest/gtest.h>

#include <array>

#include "controls/CoolHintShape.h"

using namespace klarvo::hintshape;
using klarvo::Point;

namespace {

// An odd height moves the lower vertices inward; an even one is symmetric.
TEST(HintShape, VerticesForOddAndEvenHeights)
{
    struct Case {
        int height;
        int half;
        int odd;
        std::array<Point, 6> polygon;
        std::array<Point, 7> outline;
    };
    const Case cases[] = {
        {15,
         7,
         1,
         {{{0, 7}, {7, 0}, {93, 0}, {100, 7}, {92, 15}, {8, 15}}},
         {{{0, 7}, {7, 0}, {92, 0}, {99, 7}, {92, 14}, {7, 14}, {0, 7}}}},
        {16,
         8,
         0,
         {{{0, 8}, {8, 0}, {92, 0}, {100, 8}, {92, 16}, {8, 16}}},
         {{{0, 8}, {8, 0}, {91, 0}, {99, 8}, {92, 15}, {7, 15}, {0, 8}}}},
    };
    for (const Case& c : cases) {
        const Extent size = MakeSize(100, c.height);
        EXPECT_EQ(size.half, c.half) << c.height;
        EXPECT_EQ(size.odd, c.odd) << c.height;
        EXPECT_EQ(ShapePolygon(size), c.polygon) << c.height;
        EXPECT_EQ(OutlinePolyline(size), c.outline) << c.height;
    }
}

TEST(HintShape, SlantsRunAtFortyFiveDegrees)
{
    for (int height = 2; height <= 40; ++height) {
        const auto p = ShapePolygon(MakeSize(200, height));
        const int half = height / 2;
        EXPECT_EQ(p[1].x - p[0].x, half) << height;
        EXPECT_EQ(p[3].x - p[2].x, half) << height;
        // The lower slants cover the rows below the middle.
        EXPECT_EQ(p[4].y - p[3].y, p[3].x - p[4].x) << height;
        EXPECT_EQ(p[5].y - p[0].y, p[5].x - p[0].x) << height;
    }
}

} // namespace
