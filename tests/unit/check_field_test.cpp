#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "controls/IACheckControlField.h"
#include "framework/window/ImageList.h"
#include "recording/RecordingCanvas.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <tuple>

using namespace klarvo;
using testing::Contains;
using Shapes = std::vector<std::string>;

namespace {

std::string Hex(Color c)
{
    char text[16];
    std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(c));
    return text;
}

// Coordinates taken in pairs: " (x,y) (x,y) ...".
std::string Points(const std::vector<int>& a)
{
    std::string text;
    for (std::size_t i = 0; i + 1 < a.size(); i += 2) {
        text += " (" + std::to_string(a[i]) + "," + std::to_string(a[i + 1]) + ")";
    }
    return text;
}

// The pen and brush in force at a call.
std::string Ink(const DrawCall& c)
{
    std::string pen = c.pen.style == PenStyle::Clear ? "clear" : Hex(c.pen.color);
    if (c.pen.style != PenStyle::Clear && c.pen.width != 1) {
        pen += " width " + std::to_string(c.pen.width);
    }
    return "pen " + pen + " brush " + (c.brush.style == BrushStyle::Clear ? "clear" : Hex(c.brush.color));
}

// One line per call: what it draws, in what, where. The line-tos after a
// move-to join its line.
Shapes ShapesOf(const std::vector<DrawCall>& calls)
{
    Shapes shapes;
    for (const DrawCall& c : calls) {
        if (c.op == "LineTo") {
            shapes.back() += Points(c.args);
        } else {
            shapes.push_back(c.op + " " + Ink(c) + ":" + Points(c.args));
        }
    }
    return shapes;
}

Color FakeSystem(Color c)
{
    return IsSystemColor(c) ? Rgb(212, 208, 200) : c;
}

// A colour no field is drawn in, and the pen and brush an earlier drawing
// may leave: where a shape shows them, the field did not set them (a fill
// needs no pen, an image neither).
constexpr Color stray = Rgb(1, 1, 1);

struct Drawing {
    Shapes shapes;
    Pen pen; // left in force
    Brush brush;
};

Drawing Draw(const CheckFieldState& st, Pen pen = {stray, PenStyle::Clear, 3}, Brush brush = {stray, BrushStyle::Clear})
{
    RecordingCanvas canvas;
    canvas.pen = pen;
    canvas.brush = brush;
    DrawCheckField(canvas, st, FakeSystem);
    return {ShapesOf(canvas.calls), canvas.pen, canvas.brush};
}

CheckFieldState State(TIACheckControlStyle style, TIACheckControlType type, bool checked)
{
    CheckFieldState st;
    st.style = style;
    st.type = type;
    st.checked = checked;
    st.color = SystemColor(15);
    st.size = CheckFieldSizeFor(style, false, 0, 0);
    return st;
}

TEST(CheckFieldColors, SixColoursAndTheirDarkness)
{
    const CheckFieldColors lime =
        CheckFieldColorsFor(SystemColor(15), Rgb(128, 128, 128), Rgb(0, 255, 0), true, FakeSystem);
    EXPECT_EQ(lime.field, Rgb(128, 128, 128));
    EXPECT_EQ(lime.mark, Rgb(0, 255, 0));
    EXPECT_EQ(lime.fieldLight, Rgb(166, 166, 166));
    EXPECT_EQ(lime.fieldDark, Rgb(90, 90, 90));
    EXPECT_EQ(lime.mixLight, Rgb(159, 223, 159));
    EXPECT_EQ(lime.mixDark, Rgb(45, 135, 45));
    EXPECT_FALSE(lime.darkField);
    EXPECT_TRUE(lime.darkMark);

    // Disabled: both moved 70 % of the way toward the control's colour.
    const CheckFieldColors off =
        CheckFieldColorsFor(SystemColor(15), Rgb(128, 128, 128), Rgb(255, 255, 0), false, FakeSystem);
    EXPECT_EQ(off.field, Rgb(187, 184, 179));
    EXPECT_EQ(off.mark, Rgb(224, 222, 140));
    EXPECT_FALSE(off.darkMark);
}

// Drawn over what an earlier drawing left: every pen and brush the lens
// needs it sets, and it leaves both solid.
TEST(CheckFieldStyle2, LensAndTickOfATwentyPixelField)
{
    const std::string checkOutline = ": (16,4) (18,6) (16,11) (11,16) (6,18) (4,16) (2,14) (4,9) (9,4) (14,2)";
    const std::string radioOutline = ": (19,10) (18,13) (13,15) (7,15) (2,13) (1,10) (2,7) (7,5) (13,5) (18,7)";
    const std::string tick = ": (5,5) (10,10) (15,1) (11,17)";

    for (bool checked : {false, true}) {
        CheckFieldState st = State(iaccsStyle2, iacctCheck, checked);
        st.color2 = Rgb(0, 255, 0);
        const Drawing box = Draw(st);
        ASSERT_EQ(box.shapes.size(), checked ? 6u : 5u);
        // The four filled layers have no outline, the fifth is only outline.
        EXPECT_EQ(box.shapes[0], "Polygon pen clear brush 5A5A5A" + checkOutline);
        EXPECT_EQ(box.shapes[4], "Polygon pen 000000 brush clear" + checkOutline);
        EXPECT_EQ(box.shapes.back(), checked ? "Polygon pen 9FDF9F brush 00FF00" + tick : box.shapes[4]);
        EXPECT_EQ(box.pen.style, PenStyle::Solid);
        EXPECT_EQ(box.brush.style, BrushStyle::Solid);
    }
    CheckFieldState radio = State(iaccsStyle2, iacctSelect, true);
    radio.color2 = Rgb(255, 255, 0);
    const Drawing r = Draw(radio);
    EXPECT_THAT(r.shapes, Contains("Polygon pen 000000 brush clear" + radioOutline));
    // A light mark is outlined in black.
    EXPECT_EQ(r.shapes.back(), "Polygon pen 000000 brush 00FFFF" + tick);
}

TEST(CheckFieldStyle2, LayersNarrowAndTheHighlightShifts)
{
    EXPECT_EQ(LensPolygon({20, 20}, 4, false)[0], (Point{19, 10}));
    EXPECT_EQ(LensPolygon({20, 20}, 4, false)[2], (Point{13, 12}));
    CheckFieldState st = State(iaccsStyle2, iacctCheck, false);
    st.pos = {3, 7};
    const Drawing c = Draw(st);
    ASSERT_EQ(c.shapes.size(), 5u);
    // The highlight is the k = 4 lens moved one pixel up and left.
    std::vector<int> highlight, body;
    for (const Point& p : LensPolygon({20, 20}, 4, true)) {
        highlight.insert(highlight.end(), {p.x + 3 - 1, p.y + 7 - 1});
        body.insert(body.end(), {p.x + 3, p.y + 7});
    }
    EXPECT_EQ(c.shapes[2], "Polygon pen clear brush A6A6A6:" + Points(highlight));
    EXPECT_EQ(c.shapes[3], "Polygon pen clear brush 808080:" + Points(body));
    EXPECT_EQ(c.shapes[4], "Polygon pen 000000 brush clear: (19,11) (21,13) (19,18) (14,23) (9,25) (7,23) (5,21) "
                           "(7,16) (12,11) (17,9)");
}

// The square frame takes the pen as it comes, and sets the brush.
TEST(CheckFieldStyle1, FrameAndCross)
{
    const Drawing on = Draw(State(iaccsStyle1, iacctCheck, true), Pen{stray});
    const Shapes expected = {
        "Rectangle pen 808080 brush 808080: (2,2) (18,18)",
        "MoveTo pen A6A6A6 brush 808080: (0,19) (0,0) (19,0)",
        "MoveTo pen A6A6A6 brush 808080: (1,18) (1,1) (18,1)",
        "MoveTo pen 5A5A5A brush 808080: (0,19) (19,19) (19,0)",
        "MoveTo pen 5A5A5A brush 808080: (1,18) (18,18) (18,1)",
        "MoveTo pen 707070 width 2 brush 808080: (5,5) (13,13)",
        "MoveTo pen 707070 width 2 brush 808080: (5,13) (13,5)",
        "MoveTo pen 707070 width 2 brush 808080: (7,7) (15,15)",
        "MoveTo pen 707070 width 2 brush 808080: (7,15) (15,7)",
        "MoveTo pen C0C0C0 width 2 brush 808080: (5,5) (15,15)",
        "MoveTo pen C0C0C0 width 2 brush 808080: (5,15) (15,5)",
    };
    EXPECT_EQ(on.shapes, expected);
    EXPECT_EQ(on.pen.width, 1);
    const Drawing off = Draw(State(iaccsStyle1, iacctCheck, false), Pen{stray});
    EXPECT_EQ(off.shapes, Shapes(expected.begin(), expected.begin() + 5));

    // A dark mark is shadowed in the light mix.
    CheckFieldState dark = State(iaccsStyle1Small, iacctCheck, true);
    dark.color2 = Rgb(0, 0, 128);
    const Color mixLight = CheckFieldColorsFor(0, Rgb(128, 128, 128), Rgb(0, 0, 128), true, FakeSystem).mixLight;
    EXPECT_THAT(Draw(dark, Pen{stray}).shapes,
                Contains("MoveTo pen " + Hex(mixLight) + " width 2 brush 808080: (4,4) (10,10)"));
}

TEST(CheckFieldStyle1, RadioOctagonAndRaisedSquare)
{
    CheckFieldState st = State(iaccsStyle1Small, iacctSelect, true);
    st.pos = {10, 20};
    const Drawing c = Draw(st);
    // Patches without outline: the octagon, its light and dark rims, the
    // square's two bevels; then the square itself.
    EXPECT_EQ(c.shapes,
              (Shapes{"Polygon pen clear brush 808080: (12,26) (16,22) (20,22) (24,26) (24,30) (20,34) (16,34) (12,30)",
                      "Polygon pen clear brush A6A6A6: (12,30) (12,26) (16,22) (20,22) (24,26) (26,24) (22,20) (14,20) "
                      "(10,24) (10,32)",
                      "Polygon pen clear brush 5A5A5A: (24,26) (24,30) (20,34) (16,34) (12,30) (10,32) (14,36) (22,36) "
                      "(26,32) (26,24)",
                      "Polygon pen clear brush A6A6A6: (16,30) (16,26) (20,26) (22,24) (14,24) (14,32)",
                      "Polygon pen clear brush 5A5A5A: (16,30) (20,30) (20,26) (22,24) (22,32) (14,32)",
                      "FillRect pen 010101 width 3 brush C0C0C0: (16,26) (20,30)"}));
    EXPECT_EQ(c.pen.style, PenStyle::Solid);
    EXPECT_EQ(Draw(State(iaccsStyle1Small, iacctSelect, false)).shapes.size(), 3u);
}

// The third look takes the pen's style and width and the brush's style as
// they come.
TEST(CheckFieldStyle3, PensSwapOnADarkField)
{
    const std::tuple<Color, std::string, std::string> cases[] = {
        {Rgb(128, 128, 128), "pen 5A5A5A", "pen A6A6A6"},
        {Rgb(32, 32, 32), "pen 626262", "pen 171717"},
    };
    const auto draw = [](const CheckFieldState& st) { return Draw(st, Pen{stray}, Brush{stray}).shapes; };
    for (const auto& [body, outer, inner] : cases) {
        CheckFieldState st = State(iaccsStyle3, iacctCheck, false);
        st.color1 = body;
        EXPECT_EQ(draw(st), (Shapes{"Rectangle " + outer + " brush " + Hex(body) + ": (0,0) (16,16)",
                                    "Rectangle " + inner + " brush 8000000F: (2,2) (14,14)"}));
    }
    const Shapes on = draw(State(iaccsStyle3, iacctCheck, true));
    EXPECT_EQ(on.end()[-2], "Polygon pen 707070 brush C0C0C0: (5,3) (8,6) (11,3) (13,5) (10,8) (13,11) (11,13) (8,10) "
                            "(5,13) (3,11) (6,8) (3,5)");
    EXPECT_EQ(on.back(), "Polygon pen A6A6A6 brush 5A5A5A: (4,3) (8,7) (12,3) (13,4) (9,8) (13,12) (12,13) (8,9) "
                         "(4,13) (3,12) (7,8) (3,4)");
    EXPECT_EQ(
        draw(State(iaccsStyle3, iacctSelect, true)),
        (Shapes{"Ellipse pen 5A5A5A brush 808080: (1,1) (15,15)", "Ellipse pen A6A6A6 brush CFCFCF: (3,3) (13,13)",
                "Ellipse pen C0C0C0 brush 5A5A5A: (4,4) (12,12)", "Ellipse pen 5A5A5A brush C0C0C0: (5,5) (11,11)"}));
}

TEST(CheckFieldBitmap, FourImagesByStateOrNothing)
{
    // Images in the strip, the state, and the part drawn at (2, 3).
    const std::tuple<int, bool, bool, Shapes> cases[] = {
        {-1, true, true, {}},
        {3, true, true, {}},
        {4, true, false, {"DrawPart pen clear brush clear: (2,3) (0,0) (16,16)"}},
        {4, true, true, {"DrawPart pen clear brush clear: (2,3) (16,0) (32,16)"}},
        {4, false, false, {"DrawPart pen clear brush clear: (2,3) (32,0) (48,16)"}},
        {9, false, true, {"DrawPart pen clear brush clear: (2,3) (48,0) (64,16)"}},
    };
    for (const auto& [count, enabled, checked, shapes] : cases) {
        ImageList images(nullptr, 16, 16);
        images.AddStrip(Bitmap(16 * std::max(count, 1), 16));
        CheckFieldState st = State(iaccsBitmap, iacctCheck, checked);
        st.enabled = enabled;
        st.images = count < 0 ? nullptr : &images;
        st.pos = {2, 3};
        EXPECT_EQ(Draw(st).shapes, shapes) << count << " images";
    }
    EXPECT_TRUE(Draw(State(static_cast<TIACheckControlStyle>(5), iacctCheck, true)).shapes.empty());
}

} // namespace
