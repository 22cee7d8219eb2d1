#include <gtest/gtest.h>

#include "controls/IACheckControlLayout.h"

#include <tuple>

using namespace klarvo;

namespace {

CheckLayout Layout(int angle, TIACheckControlTextVAlign v, TIACheckControlTextHAlign h, Size field,
                   std::vector<Size> lines, int gap = 4, TIACheckControlTextHAlign textAlign = iaccthaLeft)
{
    CheckLayoutInput in;
    in.textAngle = angle;
    in.fieldVerticalAlign = v;
    in.fieldHorizontalAlign = h;
    in.textAlign = textAlign;
    in.field = field;
    in.lines = std::move(lines);
    in.gap = gap;
    return CheckLayout(in);
}

TEST(CheckLayout, NineArrangementsAtAngleZero)
{
    struct Case {
        TIACheckControlTextVAlign v;
        TIACheckControlTextHAlign h;
        Size field;
        std::vector<Size> lines;
        Point fieldPos, textPos;
        Size needed;
    };
    const std::vector<Size> wide{{50, 16}};           // text lower than the field
    const std::vector<Size> tall{{30, 16}, {26, 16}}; // text taller than the field
    const std::vector<Size> narrow{{10, 16}};         // text narrower than the field
    const Case cases[] = {
        {iacctvaTop, iaccthaLeft, {20, 20}, wide, {0, 0}, {24, 0}, {74, 20}},
        {iacctvaTop, iaccthaRight, {20, 20}, wide, {54, 0}, {0, 0}, {74, 20}},
        {iacctvaTop, iaccthaCenter, {20, 20}, wide, {15, 0}, {0, 24}, {50, 40}},
        {iacctvaTop, iaccthaCenter, {20, 20}, narrow, {0, 0}, {5, 24}, {20, 40}},
        {iacctvaBottom, iaccthaLeft, {20, 20}, wide, {0, 0}, {24, 4}, {74, 20}},
        {iacctvaBottom, iaccthaLeft, {16, 16}, tall, {0, 16}, {20, 0}, {50, 32}},
        {iacctvaBottom, iaccthaRight, {20, 20}, wide, {54, 0}, {0, 4}, {74, 20}},
        {iacctvaBottom, iaccthaRight, {16, 16}, tall, {34, 16}, {0, 0}, {50, 32}},
        {iacctvaBottom, iaccthaCenter, {20, 20}, wide, {15, 20}, {0, 0}, {50, 40}},
        {iacctvaBottom, iaccthaCenter, {20, 20}, narrow, {0, 20}, {5, 0}, {20, 40}},
        {iacctvaCenter, iaccthaLeft, {20, 20}, wide, {0, 0}, {24, 2}, {74, 20}},
        {iacctvaCenter, iaccthaLeft, {16, 16}, tall, {0, 8}, {20, 0}, {50, 32}},
        {iacctvaCenter, iaccthaRight, {20, 20}, wide, {54, 0}, {0, 2}, {74, 20}},
        {iacctvaCenter, iaccthaRight, {16, 16}, tall, {34, 8}, {0, 0}, {50, 32}},
        // Both at the corner; the size keeps the larger of the two each way.
        {iacctvaCenter, iaccthaCenter, {20, 20}, wide, {0, 0}, {0, 0}, {50, 20}},
        {iacctvaCenter, iaccthaCenter, {16, 16}, tall, {0, 0}, {0, 0}, {30, 32}},
    };
    for (const Case& c : cases) {
        const CheckLayout l = Layout(0, c.v, c.h, c.field, c.lines);
        SCOPED_TRACE(testing::Message() << "vertical " << c.v << " horizontal " << c.h << " field " << c.field.cx
                                        << " lines " << c.lines.size());
        EXPECT_EQ(l.CheckFieldPos(), c.fieldPos);
        EXPECT_EQ(l.TextFieldPos(), c.textPos);
        EXPECT_EQ(l.NeededSize(), c.needed);
        EXPECT_EQ(l.TextOrigin(), (Point{0, 0}));
        EXPECT_EQ(l.LineOutput(0), c.textPos);
    }
}

TEST(CheckLayout, RotatedBlockBoxOriginAndCorners)
{
    struct Case {
        int angle;
        Size box;
        Point origin;
        Point line1; // offset of the second line from the reference corner
        std::array<Point, 4> corners;
    };
    // Block 50 x 32 (two 16-pixel lines), field 20 x 20 to the left: text box at (24, 0).
    const Case cases[] = {
        {0, {50, 32}, {0, 0}, {0, 16}, {{{24, 0}, {74, 0}, {74, 32}, {24, 32}}}},
        // Running upward: the lines start at the bottom of their box.
        {900, {32, 50}, {0, 50}, {16, 0}, {{{24, 50}, {24, 0}, {56, 0}, {56, 50}}}},
        // Upside down: the reference corner is the box's bottom-right corner.
        {1800, {50, 32}, {50, 32}, {0, -16}, {{{74, 32}, {24, 32}, {24, 0}, {74, 0}}}},
        // Running downward: the reference corner is the top-right corner.
        {-900, {32, 50}, {32, 0}, {-16, 0}, {{{56, 0}, {56, 50}, {24, 50}, {24, 0}}}},
        {450, {58, 58}, {0, 35}, {11, 11}, {{{24, 35}, {59, 0}, {82, 23}, {47, 58}}}},
        {-450, {58, 58}, {23, 0}, {-11, 11}, {{{47, 0}, {82, 35}, {59, 58}, {24, 23}}}},
        {1350, {58, 58}, {35, 58}, {11, -11}, {{{59, 58}, {24, 23}, {47, 0}, {82, 35}}}},
        {-1350, {58, 58}, {58, 23}, {-11, -11}, {{{82, 23}, {47, 58}, {24, 35}, {59, 0}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "angle " << c.angle);
        const CheckLayout l = Layout(c.angle, iacctvaTop, iaccthaLeft, {20, 20}, {{50, 16}, {40, 16}});
        EXPECT_EQ(l.BlockSize(), (Size{50, 32}));
        EXPECT_EQ(l.BoxSize(), c.box);
        EXPECT_EQ(l.TextOrigin(), c.origin);
        EXPECT_EQ(l.TextFieldPos(), (Point{24, 0}));
        EXPECT_EQ(l.LineOffset(1), c.line1);
        EXPECT_EQ(l.LineOutput(1), (Point{24 + c.origin.x + c.line1.x, c.origin.y + c.line1.y}));
        EXPECT_EQ(l.TextCorners(), c.corners);
        EXPECT_EQ(l.NeededSize(), (Size{24 + c.box.cx, std::max(20, c.box.cy)}));
        // Every corner of the block lies inside the box the layout reserved.
        for (const Point& p : l.TextCorners()) {
            EXPECT_GE(p.x, 24);
            EXPECT_LE(p.x, 24 + c.box.cx);
            EXPECT_GE(p.y, 0);
            EXPECT_LE(p.y, c.box.cy);
        }
    }
}

TEST(CheckLayout, LinesAlignAgainstEachOther)
{
    const std::tuple<TIACheckControlTextHAlign, int, int> cases[] = {
        {iaccthaLeft, 8, 0},
        {iaccthaRight, 8, 40},
        {iaccthaCenter, 8, 20},
        {iaccthaCenter, 9, 19}, // odd difference truncated
    };
    for (const auto& [align, shortWidth, expectedX] : cases) {
        const CheckLayout l = Layout(0, iacctvaTop, iaccthaLeft, {16, 16}, {{shortWidth, 16}, {48, 16}}, 4, align);
        EXPECT_EQ(l.LineOffset(0), (Point{expectedX, 0})) << "align " << align;
        EXPECT_EQ(l.LineOffset(1), (Point{0, 16}));
        EXPECT_EQ(l.LineOffset(2), (Point{0, 0})) << "beyond the last line";
    }
    // Right-aligned at 1800: the short line's end still meets the long one's.
    const CheckLayout upside = Layout(1800, iacctvaTop, iaccthaLeft, {16, 16}, {{8, 16}, {48, 16}}, 4, iaccthaRight);
    EXPECT_EQ(upside.LineOffset(0), (Point{-40, 0}));
}

TEST(CheckLayout, NoTextCollapsesToAPoint)
{
    const CheckLayout left = Layout(0, iacctvaTop, iaccthaLeft, {20, 20}, {});
    EXPECT_EQ(left.BlockSize(), (Size{0, 0}));
    EXPECT_EQ(left.NeededSize(), (Size{24, 20}));
    for (const Point& p : left.TextCorners()) {
        EXPECT_EQ(p, (Point{24, 0}));
    }
    EXPECT_EQ(Layout(900, iacctvaTop, iaccthaRight, {16, 16}, {}).NeededSize(), (Size{20, 16}));
}

TEST(CheckLayout, FocusFrameIsTheBlockShrunkByTwo)
{
    const CheckLayout flat = Layout(0, iacctvaTop, iaccthaLeft, {20, 20}, {{50, 16}});
    EXPECT_EQ(flat.FocusCorners(), (std::array<Point, 4>{{{26, 2}, {72, 2}, {72, 14}, {26, 14}}}));
    const CheckLayout up = Layout(900, iacctvaTop, iaccthaLeft, {20, 20}, {{50, 16}});
    EXPECT_EQ(up.FocusCorners(), (std::array<Point, 4>{{{26, 48}, {26, 2}, {38, 2}, {38, 48}}}));
}

TEST(CheckLayout, FieldSizeFollowsStyle)
{
    EXPECT_EQ(CheckFieldSizeFor(iaccsStyle1, false, 0, 0), (Size{20, 20}));
    EXPECT_EQ(CheckFieldSizeFor(iaccsStyle2, true, 5, 5), (Size{20, 20}));
    EXPECT_EQ(CheckFieldSizeFor(iaccsStyle1Small, false, 0, 0), (Size{16, 16}));
    EXPECT_EQ(CheckFieldSizeFor(iaccsStyle3, false, 0, 0), (Size{16, 16}));
    EXPECT_EQ(CheckFieldSizeFor(iaccsBitmap, false, 32, 24), (Size{20, 20}));
    EXPECT_EQ(CheckFieldSizeFor(iaccsBitmap, true, 32, 24), (Size{32, 24}));
}

TEST(CheckAngle, HeldInOneTurn)
{
    const std::pair<int, int> cases[] = {{0, 0},        {1800, 1800}, {1801, -1799}, {-1799, -1799},
                                         {-1800, 1800}, {3600, 0},    {5400, 1800},  {7201, 1},
                                         {-5400, 1800}, {-3601, -1},  {900, 900},    {-900, -900}};
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(NormalizeTextAngle(in), out) << in;
    }
}

Color FakeSystem(Color c)
{
    // Button face of a test palette: every system colour is (212, 208, 200).
    return IsSystemColor(c) ? Rgb(212, 208, 200) : c;
}

TEST(Colors, BlendTruncatesTowardZeroAndClamps)
{
    const std::tuple<Color, Color, int, int, Color> cases[] = {
        {Rgb(128, 128, 128), clWhite, 100, 30, Rgb(166, 166, 166)},
        {Rgb(128, 128, 128), clBlack, 100, 30, Rgb(90, 90, 90)}, // -38.4 -> -38
        {Rgb(0, 255, 0), Rgb(128, 128, 128), 100, 50, Rgb(64, 192, 64)},
        {Rgb(200, 10, 100), clWhite, 100, 200, Rgb(255, 255, 255)},
        {Rgb(200, 10, 100), clWhite, 100, -200, Rgb(90, 0, 0)},
        {SystemColor(15), clBlack, 100, 50, Rgb(106, 104, 100)},
        {SystemColor(15), clBlack, 0, 50, SystemColor(15)}, // unresolved
        {Rgb(1, 2, 3), clWhite, 100, 0, Rgb(1, 2, 3)},
    };
    for (const auto& [a, b, total, step, expected] : cases) {
        EXPECT_EQ(BlendColor(a, b, total, step, FakeSystem), expected)
            << std::hex << a << " to " << b << " step " << std::dec << step;
    }
}

TEST(Colors, DarkMeansChannelsBelow384)
{
    EXPECT_FALSE(IsDarkColor(Rgb(128, 128, 128), FakeSystem));
    EXPECT_TRUE(IsDarkColor(Rgb(127, 128, 128), FakeSystem));
    EXPECT_TRUE(IsDarkColor(Rgb(0, 255, 0), FakeSystem));
    EXPECT_FALSE(IsDarkColor(Rgb(255, 255, 0), FakeSystem));
    EXPECT_FALSE(IsDarkColor(SystemColor(15), FakeSystem));
    EXPECT_TRUE(ColorsNear(Rgb(10, 20, 30), Rgb(20, 10, 30), 21, FakeSystem));
    EXPECT_FALSE(ColorsNear(Rgb(10, 20, 30), Rgb(20, 10, 30), 20, FakeSystem));
}

TEST(Colors, RealSystemColoursAreResolved)
{
    const Color face = ColorToRGB(SystemColor(15));
    EXPECT_EQ(face & 0xFF000000u, 0u);
    EXPECT_EQ(BlendColor(SystemColor(15), SystemColor(15), 100, 50), face);
}

TEST(CheckText, LayersOfFlatRaisedAndSunkText)
{
    const Color blue = Rgb(0, 0, 255);
    const Color face = SystemColor(15); // resolves to (212, 208, 200)
    const Color light = Rgb(212 + 12, 208 + 14, 200 + 16);
    const Color dark = Rgb(149, 146, 140);
    const Color halfway = Rgb(106, 104, 228);
    using L = std::vector<TextLayer>;
    const auto layers = [&](TIACheckControlText3DStyle style, bool enabled) {
        return TextLayersFor(style, enabled, blue, face, FakeSystem);
    };
    EXPECT_EQ(layers(iscct3dsSimple, true), (L{{0, 0, blue}}));
    EXPECT_EQ(layers(iscct3dsSimple, false), (L{{1, 1, Rgb(223, 223, 223)}, {0, 0, SystemColor(3)}}));
    EXPECT_EQ(layers(iscct3dsUp, true), (L{{1, 1, dark}, {-1, -1, light}, {0, 0, blue}}));
    EXPECT_EQ(layers(iscct3dsUp, false), (L{{1, 1, dark}, {-1, -1, light}, {0, 0, halfway}}));
    EXPECT_EQ(layers(iscct3dsDown, true), (L{{1, 1, light}, {-1, -1, dark}, {0, 0, blue}}));
    EXPECT_EQ(layers(iscct3dsDown, false), (L{{1, 1, light}, {-1, -1, dark}, {0, 0, halfway}}));
}

TEST(CheckFonts, SmoothOnlyFromWindows98AndNt4)
{
    const std::tuple<unsigned, unsigned, unsigned, bool> cases[] = {
        {1, 4, 0, false}, {1, 4, 10, true},  {1, 4, 90, true},  {1, 3, 95, false}, {2, 4, 0, true},
        {2, 5, 1, true},  {2, 3, 51, false}, {0, 3, 10, false}, {3, 4, 10, false},
    };
    for (const auto& [platform, major, minor, smooth] : cases) {
        EXPECT_EQ(SmoothFontsFor(platform, major, minor), smooth) << platform << " " << major << "." << minor;
    }
}

TEST(CheckTextLines, SplitAtEveryKindOfBreakAndJoinWithCrLf)
{
    using V = std::vector<std::string>;
    const std::pair<std::string, V> cases[] = {
        {"", V{}},
        {"one", V{"one"}},
        {"one\r\ntwo", V{"one", "two"}},
        {"one\r\ntwo\r\n", V{"one", "two"}},
        {"a\rb\nc\r\nd", V{"a", "b", "c", "d"}},
        {"a\n\nb", V{"a", "", "b"}},
        {"a\r\n\r\n", V{"a", ""}},
        {"\n", V{""}},
        {"a\n\r", V{"a", ""}}, // LF then a lone CR: two breaks
    };
    for (const auto& [text, lines] : cases) {
        EXPECT_EQ(SplitTextLines(text), lines) << testing::PrintToString(text);
    }
    EXPECT_EQ(JoinTextLines({"one", "two"}), "one\r\ntwo\r\n");
    EXPECT_EQ(JoinTextLines({}), "");
    EXPECT_EQ(SplitTextLines(JoinTextLines({"x", "", "y"})), (V{"x", "", "y"}));
}

} // namespace
