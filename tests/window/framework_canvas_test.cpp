#include <gtest/gtest.h>

#include "framework/drawing/Bitmap.h"
#include "framework/drawing/GdiCanvas.h"

#include <windows.h>

using namespace klarvo;

namespace {

// Draws on a white 40 x 30 bitmap and reads pixels back.
class CanvasPixels : public testing::Test {
protected:
    Bitmap bmp{40, 30};
    Canvas& c = bmp.GetCanvas();
    Color At(int x, int y) { return bmp.Pixel(x, y); }
    static constexpr Color white = Rgb(255, 255, 255);
};

TEST_F(CanvasPixels, RectangleAndEllipseLeaveOutTheRightAndBottomEdges)
{
    c.pen.color = clRed;
    c.brush.color = clBlue;
    c.Rectangle(2, 2, 10, 8);
    EXPECT_EQ(At(2, 2), ColorToRGB(clRed));
    EXPECT_EQ(At(9, 7), ColorToRGB(clRed));
    EXPECT_EQ(At(5, 5), ColorToRGB(clBlue));
    EXPECT_EQ(At(10, 5), white);
    EXPECT_EQ(At(5, 8), white);

    c.pen.style = PenStyle::Clear;
    c.brush.color = clLime;
    c.Ellipse(20, 0, 40, 20);
    EXPECT_EQ(At(30, 10), ColorToRGB(clLime));
    EXPECT_EQ(At(20, 0), white); // corner of the box, outside the ellipse
}

TEST_F(CanvasPixels, LineToDoesNotDrawItsEndPointAndWidthCounts)
{
    c.pen.color = clBlack;
    c.MoveTo(0, 5);
    c.LineTo(10, 5);
    EXPECT_EQ(At(9, 5), 0u);
    EXPECT_EQ(At(10, 5), white);
    EXPECT_EQ(c.PenPos(), (Point{10, 5}));
    c.pen.width = 3;
    c.MoveTo(0, 20);
    c.LineTo(30, 20);
    EXPECT_EQ(At(15, 21), 0u);
    EXPECT_EQ(At(15, 19), 0u);
}

TEST_F(CanvasPixels, PolygonFillsAlternatelySoASelfCrossingStarHasAHollowMiddle)
{
    c.pen.style = PenStyle::Clear;
    c.brush.color = clRed;
    // A pentagram: its centre is wound twice, so the alternate rule leaves it empty.
    Point star[] = {{20, 0}, {32, 29}, {2, 10}, {38, 10}, {8, 29}};
    c.Polygon(star);
    EXPECT_EQ(At(20, 15), white);
    EXPECT_EQ(At(20, 5), ColorToRGB(clRed));
}

TEST_F(CanvasPixels, FrameRingsGiveTheTopRightAndBottomLeftCornersTheSecondColour)
{
    Rect r{0, 0, 40, 30};
    c.Frame3D(r, clRed, clBlue, 2);
    EXPECT_EQ(r, (Rect{2, 2, 38, 28}));
    const Color red = ColorToRGB(clRed), blue = ColorToRGB(clBlue);
    EXPECT_EQ(At(0, 0), red);
    EXPECT_EQ(At(20, 1), red);   // second ring, top
    EXPECT_EQ(At(39, 0), blue);  // top-right corner
    EXPECT_EQ(At(0, 29), blue);  // bottom-left corner
    EXPECT_EQ(At(38, 15), blue); // second ring, right
    EXPECT_EQ(At(20, 2), white); // inside the rings
    // The canvas's own pen is untouched by the frame.
    EXPECT_EQ(c.pen.color, clBlack);
}

TEST_F(CanvasPixels, SystemColoursAreResolvedWhenDrawn)
{
    c.brush.color = clBtnShadow;
    c.FillRect(Rect{0, 0, 5, 5});
    EXPECT_EQ(At(2, 2), GetSysColor(COLOR_BTNSHADOW));
    c.brush.style = BrushStyle::Clear;
    c.FillRect(Rect{10, 0, 15, 5}); // a clear brush fills nothing
    EXPECT_EQ(At(12, 2), white);
    c.brush.style = BrushStyle::Solid;
    c.brush.color = clBlack;
    c.FrameRect(Rect{20, 0, 30, 10});
    EXPECT_EQ(At(20, 5), 0u);
    EXPECT_EQ(At(25, 5), white);
}

TEST_F(CanvasPixels, TextWithAClearBrushLeavesTheBackgroundAndMeasuringDrawsNothing)
{
    c.brush.color = clYellow;
    c.FillRect(Rect{0, 0, 40, 30});
    c.font.SetName("Arial");
    c.font.SetHeight(20);
    c.font.SetColor(clBlack);
    c.brush.style = BrushStyle::Clear;
    Rect m{0, 0, 0, 0};
    c.TextRect("I", m, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_GT(m.Height(), 15);
    EXPECT_EQ(At(2, 10), ColorToRGB(clYellow));
    c.WriteText(0, 0, "I");
    int dark = 0;
    for (int x = 0; x < m.right; ++x) {
        for (int y = 0; y < m.bottom; ++y) {
            dark += At(x, y) == 0;
        }
    }
    EXPECT_GT(dark, 5);
    EXPECT_EQ(At(m.right + 2, 5), ColorToRGB(clYellow));
}

TEST(Bitmaps, CopiesOwnTheirPixelsAndMovesLeaveAnEmptyBitmap)
{
    Bitmap a(8, 8);
    a.GetCanvas().brush.color = clRed;
    a.GetCanvas().FillRect(Rect{0, 0, 8, 8});
    Bitmap b = a;
    b.GetCanvas().brush.color = clBlue;
    b.GetCanvas().FillRect(Rect{0, 0, 8, 8});
    EXPECT_EQ(a.Pixel(3, 3), ColorToRGB(clRed));
    EXPECT_EQ(b.Pixel(3, 3), ColorToRGB(clBlue));

    Bitmap c = std::move(a);
    EXPECT_EQ(c.Pixel(3, 3), ColorToRGB(clRed));
    EXPECT_TRUE(a.Empty());
    a.SetSize(4, 4); // a moved-from bitmap is usable again
    a.GetCanvas().brush.color = clLime;
    a.GetCanvas().FillRect(Rect{0, 0, 4, 4});
    EXPECT_EQ(a.Pixel(1, 1), ColorToRGB(clLime));

    // Drawing one bitmap on another copies it at the place given.
    Bitmap target(20, 20);
    target.GetCanvas().Draw(10, 10, c);
    EXPECT_EQ(target.Pixel(12, 12), ColorToRGB(clRed));
    EXPECT_EQ(target.Pixel(5, 5), ColorToRGB(clWhite));
}

TEST(Bitmaps, OffscreenSurfaceFollowsTheControlsSize)
{
    OffscreenBitmap surface;
    Canvas& first = surface.Begin(137, 21);
    EXPECT_EQ(surface.GetBitmap().Width(), 137);
    Canvas& again = surface.Begin(75, 25);
    EXPECT_EQ(&first, &again);
    EXPECT_EQ(surface.GetBitmap().Height(), 25);
}

} // namespace
