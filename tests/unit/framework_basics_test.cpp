#include <gtest/gtest.h>

#include "framework/drawing/Color.h"
#include "framework/window/Component.h"
#include "framework/drawing/Font.h"
#include "recording/RecordingCanvas.h"

#include <windows.h>

using namespace klarvo;

namespace {

TEST(Colours, SystemColoursResolveWhenUsedAndRgbPassesThrough)
{
    EXPECT_EQ(ColorToRGB(Rgb(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(ColorToRGB(clBtnShadow), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(ColorToRGB(clInfoBk), GetSysColor(COLOR_INFOBK));
    EXPECT_TRUE(IsSystemColor(clBtnHighlight));
    EXPECT_FALSE(IsSystemColor(Rgb(255, 255, 255)));
    EXPECT_EQ(clBtnHighlight & 0xFFu, 20u);
}

TEST(Fonts, SizeInPointsAndHeightInPixelsAgreeAtNinetySixDpi)
{
    Font f;
    int changes = 0;
    f.OnChange = [&] { ++changes; };
    f.SetSize(8); // the default 11 pixels already: no notification
    EXPECT_EQ(f.Height(), 11);
    f.SetSize(12);
    EXPECT_EQ(f.Height(), 16);
    f.SetHeight(-13); // the platform's sign for character height
    EXPECT_EQ(f.Height(), 13);
    EXPECT_EQ(f.Size(), 10);
    f.SetHeight(13);
    EXPECT_EQ(changes, 2);
    Font g;
    g = f; // the description, not the notification
    EXPECT_TRUE(g.SameShape(f));
    EXPECT_FALSE(static_cast<bool>(g.OnChange));
}

// The owner's own destructor runs first; what it owns goes after, last made
// first (controls that must go earlier are freed by their parent).
TEST(Components, OwnerFreesWhatItOwnsLastMadeFirst)
{
    static std::vector<std::string> freed;
    struct Noted : Component {
        Noted(Component* o, const std::string& n) : Component(o) { SetName(n); }
        ~Noted() override { freed.push_back(Name()); }
    };
    freed.clear();
    {
        Noted root(nullptr, "root");
        new Noted(&root, "a");
        auto* b = new Noted(&root, "b");
        new Noted(b, "b1");
        new Noted(&root, "c");
        EXPECT_EQ(root.FindComponent("B"), b);
        EXPECT_EQ(root.FindComponent("b1"), nullptr); // owned by b, not by root
        EXPECT_EQ(root.FindComponent(""), nullptr);
    }
    EXPECT_EQ(freed, (std::vector<std::string>{"root", "c", "b", "b1", "a"}));
}

TEST(RecordingCanvasTest, RecordsCallsWithTheStateInForceAndMeasuresRealText)
{
    RecordingCanvas c;
    c.pen.color = clBlue;
    c.pen.width = 2;
    c.MoveTo(43, 100);
    c.LineTo(53, 90);
    c.brush.style = BrushStyle::Clear;
    Point hex[] = {{0, 7}, {7, 0}, {93, 0}};
    c.Polyline(hex);
    Rect r{0, 0, 100, 20};
    c.Frame3D(r, clBtnHighlight, clBtnShadow, 2);
    EXPECT_EQ(r, (Rect{2, 2, 98, 18}));

    ASSERT_EQ(c.calls.size(), 4u);
    EXPECT_EQ(c.calls[1].op, "LineTo");
    EXPECT_EQ(c.calls[1].pen.width, 2);
    EXPECT_EQ(c.calls[1].pen.color, clBlue);
    EXPECT_EQ(c.calls[2].args, (std::vector<int>{0, 7, 7, 0, 93, 0}));
    EXPECT_EQ(c.calls[2].brush.style, BrushStyle::Clear);
    EXPECT_EQ(c.calls[3].color1, clBtnHighlight);
    EXPECT_EQ(c.PenPos(), (Point{53, 90}));

    c.font.SetName("Arial");
    c.font.SetHeight(16);
    Size narrow = c.TextExtent("i");
    Size wide = c.TextExtent("WWWW");
    EXPECT_GT(wide.cx, narrow.cx * 4);
    Rect m{0, 0, 0, 0};
    c.TextRect("Apply", m, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(m.Width(), c.TextWidth("Apply"));
    EXPECT_EQ(c.calls.size(), 4u); // measuring is not drawing
}

} // namespace
