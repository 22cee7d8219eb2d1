#include <gtest/gtest.h>

#include "controls/IACheckControlField.h"

#include <algorithm>
#include <cstdio>
#include <string>

using namespace klarvo;

namespace {

std::string Hex(Color c)
{
    char text[16];
    std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(c));
    return text;
}

// Writes every call as one line of text, so that a test can compare the
// drawing call by call.
class RecordingCanvas : public CheckFieldCanvas {
public:
    std::vector<std::string> calls;

    void SetPenColor(Color c) override { calls.push_back("pen " + Hex(c)); }
    void SetPenSolid(bool solid) override { calls.push_back(solid ? "pen solid" : "pen clear"); }
    void SetPenWidth(int w) override { calls.push_back("pen width " + std::to_string(w)); }
    void SetBrushColor(Color c) override { calls.push_back("brush " + Hex(c)); }
    void SetBrushSolid(bool solid) override { calls.push_back(solid ? "brush solid" : "brush clear"); }
    void Rectangle(int l, int t, int r, int b) override { calls.push_back("rect " + Box(l, t, r, b)); }
    void Ellipse(int l, int t, int r, int b) override { calls.push_back("ellipse " + Box(l, t, r, b)); }
    void Polygon(const std::vector<Point>& points) override { calls.push_back("polygon" + Points(points)); }
    void MoveTo(int x, int y) override { calls.push_back("move " + Xy(x, y)); }
    void LineTo(int x, int y) override { calls.push_back("line " + Xy(x, y)); }
    void FillRect(int l, int t, int r, int b) override { calls.push_back("fill " + Box(l, t, r, b)); }
    void DrawImage(int index, int x, int y) override
    {
        calls.push_back("image " + std::to_string(index) + " at " + Xy(x, y));
    }

    static std::string Xy(int x, int y) { return "(" + std::to_string(x) + "," + std::to_string(y) + ")"; }
    static std::string Box(int l, int t, int r, int b) { return Xy(l, t) + "-" + Xy(r, b); }
    static std::string Points(const std::vector<Point>& points)
    {
        std::string text;
        for (const Point& p : points) {
            text += " " + Xy(p.x, p.y);
        }
        return text;
    }
    bool Has(const std::string& call) const { return std::find(calls.begin(), calls.end(), call) != calls.end(); }
    // The calls from the first that starts with `prefix` on.
    std::vector<std::string> From(const std::string& call) const
    {
        auto it = std::find(calls.begin(), calls.end(), call);
        return {it, calls.end()};
    }
};

Color FakeSystem(Color c)
{
    return IsSystemColor(c) ? Rgb(212, 208, 200) : c;
}

RecordingCanvas Draw(CheckFieldState st)
{
    RecordingCanvas canvas;
    DrawCheckField(canvas, st, FakeSystem);
    return canvas;
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

TEST(CheckFieldStyle2, LensAndTickOfATwentyPixelField)
{
    const std::string checkOutline = "polygon (16,4) (18,6) (16,11) (11,16) (6,18) (4,16) (2,14) (4,9) (9,4) (14,2)";
    const std::string radioOutline = "polygon (19,10) (18,13) (13,15) (7,15) (2,13) (1,10) (2,7) (7,5) (13,5) (18,7)";
    const std::string tick = "polygon (5,5) (10,10) (15,1) (11,17)";

    for (bool checked : {false, true}) {
        CheckFieldState st = State(iaccsStyle2, iacctCheck, checked);
        st.color2 = Rgb(0, 255, 0);
        const RecordingCanvas box = Draw(st);
        ASSERT_GE(box.calls.size(), 4u);
        // The four filled layers have no outline, the fifth is only outline.
        EXPECT_EQ(box.calls[0], "brush 5A5A5A");
        EXPECT_EQ(box.From("brush clear"),
                  checked ? (std::vector<std::string>{"brush clear", "pen 000000", "pen solid", "pen width 1",
                                                      checkOutline, "brush solid", "brush 00FF00", "brush solid",
                                                      "pen 9FDF9F", "pen solid", tick})
                          : (std::vector<std::string>{"brush clear", "pen 000000", "pen solid", "pen width 1",
                                                      checkOutline, "brush solid"}));
    }
    CheckFieldState radio = State(iaccsStyle2, iacctSelect, true);
    radio.color2 = Rgb(255, 255, 0);
    const RecordingCanvas r = Draw(radio);
    EXPECT_TRUE(r.Has(radioOutline));
    // A light mark is outlined in black.
    EXPECT_EQ(r.calls.end()[-3], "pen 000000");
    EXPECT_EQ(r.calls.back(), tick);
}

TEST(CheckFieldStyle2, LayersNarrowAndTheHighlightShifts)
{
    EXPECT_EQ(LensPolygon({20, 20}, 4, false)[0], (Point{19, 10}));
    EXPECT_EQ(LensPolygon({20, 20}, 4, false)[2], (Point{13, 12}));
    CheckFieldState st = State(iaccsStyle2, iacctCheck, false);
    st.pos = {3, 7};
    const RecordingCanvas c = Draw(st);
    std::vector<std::string> polygons;
    for (const std::string& call : c.calls) {
        if (call.rfind("polygon", 0) == 0) {
            polygons.push_back(call);
        }
    }
    ASSERT_EQ(polygons.size(), 5u);
    // The highlight is the k = 4 lens moved one pixel up and left.
    std::vector<Point> highlight = LensPolygon({20, 20}, 4, true);
    std::vector<Point> body = highlight;
    for (Point& p : highlight) {
        p = {p.x + 3 - 1, p.y + 7 - 1};
    }
    for (Point& p : body) {
        p = {p.x + 3, p.y + 7};
    }
    EXPECT_EQ(polygons[2], "polygon" + RecordingCanvas::Points(highlight));
    EXPECT_EQ(polygons[3], "polygon" + RecordingCanvas::Points(body));
    EXPECT_EQ(polygons[4], "polygon (19,11) (21,13) (19,18) (14,23) (9,25) (7,23) (5,21) (7,16) (12,11) (17,9)");
}

TEST(CheckFieldStyle1, FrameAndCross)
{
    const RecordingCanvas on = Draw(State(iaccsStyle1, iacctCheck, true));
    const std::vector<std::string> expected = {
        "pen 808080",   "brush 808080", "brush solid", "rect (2,2)-(18,18)", "pen A6A6A6",   "move (0,19)",
        "line (0,0)",   "line (19,0)",  "move (1,18)", "line (1,1)",         "line (18,1)",  "pen 5A5A5A",
        "move (0,19)",  "line (19,19)", "line (19,0)", "move (1,18)",        "line (18,18)", "line (18,1)",
        "pen width 2",  "pen 707070",   "move (5,5)",  "line (13,13)",       "move (5,13)",  "line (13,5)",
        "move (7,7)",   "line (15,15)", "move (7,15)", "line (15,7)",        "pen C0C0C0",   "move (5,5)",
        "line (15,15)", "move (5,15)",  "line (15,5)", "pen width 1",
    };
    EXPECT_EQ(on.calls, expected);
    const RecordingCanvas off = Draw(State(iaccsStyle1, iacctCheck, false));
    EXPECT_EQ(off.calls, std::vector<std::string>(expected.begin(), expected.begin() + 18));

    // A dark mark is shadowed in the light mix.
    CheckFieldState dark = State(iaccsStyle1Small, iacctCheck, true);
    dark.color2 = Rgb(0, 0, 128);
    const RecordingCanvas d = Draw(dark);
    EXPECT_TRUE(d.Has("pen width 2"));
    EXPECT_TRUE(
        d.Has("pen " + Hex(CheckFieldColorsFor(0, Rgb(128, 128, 128), Rgb(0, 0, 128), true, FakeSystem).mixLight)));
}

TEST(CheckFieldStyle1, RadioOctagonAndRaisedSquare)
{
    CheckFieldState st = State(iaccsStyle1Small, iacctSelect, true);
    st.pos = {10, 20};
    const RecordingCanvas c = Draw(st);
    EXPECT_EQ(c.calls.back(), "fill (16,26)-(20,30)");
    EXPECT_EQ(c.calls.end()[-2], "brush C0C0C0");
    EXPECT_TRUE(c.Has("polygon (16,30) (16,26) (20,26) (22,24) (14,24) (14,32)"));
    EXPECT_TRUE(c.Has("polygon (16,30) (20,30) (20,26) (22,24) (22,32) (14,32)"));
    EXPECT_TRUE(c.Has("polygon (12,26) (16,22) (20,22) (24,26) (24,30) (20,34) (16,34) (12,30)"));
    // Every polygon is a patch without outline.
    for (std::size_t i = 0; i < c.calls.size(); ++i) {
        if (c.calls[i].rfind("polygon", 0) == 0) {
            EXPECT_EQ(c.calls[i - 1], "pen clear");
            EXPECT_EQ(c.calls[i + 1], "pen solid");
        }
    }
    const RecordingCanvas off = Draw(State(iaccsStyle1Small, iacctSelect, false));
    EXPECT_EQ(off.calls.size(), 3u * 5u);
}

TEST(CheckFieldStyle3, PensSwapOnADarkField)
{
    struct Case {
        Color body;
        std::string outer, inner;
    };
    const Case cases[] = {
        {Rgb(128, 128, 128), "pen 5A5A5A", "pen A6A6A6"},
        {Rgb(32, 32, 32), "pen 626262", "pen 171717"},
    };
    for (const Case& k : cases) {
        CheckFieldState st = State(iaccsStyle3, iacctCheck, false);
        st.color1 = k.body;
        const RecordingCanvas c = Draw(st);
        EXPECT_EQ(c.calls, (std::vector<std::string>{"brush " + Hex(k.body), k.outer, "rect (0,0)-(16,16)",
                                                     "brush 8000000F", k.inner, "rect (2,2)-(14,14)"}));
    }
    const RecordingCanvas on = Draw(State(iaccsStyle3, iacctCheck, true));
    EXPECT_EQ(on.calls.end()[-4],
              "polygon (5,3) (8,6) (11,3) (13,5) (10,8) (13,11) (11,13) (8,10) (5,13) (3,11) (6,8) (3,5)");
    EXPECT_EQ(on.calls.back(),
              "polygon (4,3) (8,7) (12,3) (13,4) (9,8) (13,12) (12,13) (8,9) (4,13) (3,12) (7,8) (3,4)");
    const RecordingCanvas ring = Draw(State(iaccsStyle3, iacctSelect, true));
    EXPECT_EQ(ring.calls, (std::vector<std::string>{"brush 808080", "pen 5A5A5A", "ellipse (1,1)-(15,15)",
                                                    "brush CFCFCF", "pen A6A6A6", "ellipse (3,3)-(13,13)",
                                                    "brush 5A5A5A", "pen C0C0C0", "ellipse (4,4)-(12,12)",
                                                    "brush C0C0C0", "pen 5A5A5A", "ellipse (5,5)-(11,11)"}));
}

TEST(CheckFieldBitmap, FourImagesByStateOrNothing)
{
    struct Case {
        int count;
        bool enabled, checked;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {-1, true, true, {}},
        {3, true, true, {}},
        {4, true, false, {"image 0 at (2,3)"}},
        {4, true, true, {"image 1 at (2,3)"}},
        {4, false, false, {"image 2 at (2,3)"}},
        {9, false, true, {"image 3 at (2,3)"}},
    };
    for (const Case& k : cases) {
        CheckFieldState st = State(iaccsBitmap, iacctCheck, k.checked);
        st.enabled = k.enabled;
        st.imageCount = k.count;
        st.pos = {2, 3};
        EXPECT_EQ(Draw(st).calls, k.calls) << k.count << " images";
    }
    CheckFieldState unknown = State(static_cast<TIACheckControlStyle>(5), iacctCheck, true);
    EXPECT_TRUE(Draw(unknown).calls.empty());
}

} // namespace
