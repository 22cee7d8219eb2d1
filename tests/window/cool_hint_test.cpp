#include <gtest/gtest.h>

#include "support/GdiCount.h"
#include "support/Png.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "controls/CoolHint.h"
#include "controls/CoolHintShape.h"
#include "controls/GradBtn.h"
#include "framework/window/Application.h"
#include "framework/window/Form.h"
#include "win/Gdi.h"
#include "recording/RecordingCanvas.h"

using namespace klarvo;

namespace {

// The region the window should have for a width x height shape.
bool HasShape(HWND hwnd, int width, int height)
{
    const auto vertices = hintshape::ShapePolygon(hintshape::MakeSize(width, height));
    std::vector<POINT> points;
    for (const Point& p : vertices) {
        points.push_back(POINT{p.x, p.y});
    }
    RegionHandle expected(CreatePolygonRgn(points.data(), static_cast<int>(points.size()), ALTERNATE));
    RegionHandle actual(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(hwnd, actual.Get()) == ERROR) {
        return false;
    }
    return EqualRgn(expected.Get(), actual.Get()) != FALSE;
}

std::vector<int> Flatten(const std::array<Point, 7>& points)
{
    std::vector<int> out;
    for (const Point& p : points) {
        out.push_back(p.x);
        out.push_back(p.y);
    }
    return out;
}

class CoolHintTest : public ::testing::Test {
protected:
    void TearDown() override { App().ProcessMessages(); }
    int Widening()
    {
        RecordingCanvas measure;
        measure.font = App().HintFont();
        return measure.TextWidth("WWWW");
    }
};

// An ampersand is shown as it stands.
TEST_F(CoolHintTest, OneLineHintIsAHexagonWithAPointAtEachEnd)
{
    for (const std::string caption : {"Free RAM", "Fast & usual"}) {
        SCOPED_TRACE(caption);
        TddgHintWindow hint;
        hint.ActivateHint(Rect{200, 200, 260, 215}, caption);
        const int width = 60 + Widening();
        EXPECT_EQ(hint.Width(), width);
        EXPECT_EQ(hint.Height(), 15 + 4); // the framework's enlargement
        EXPECT_EQ(GetWindowLongA(hint.Handle(), GWL_STYLE) & WS_BORDER, 0);
        EXPECT_TRUE(IsWindowVisible(hint.Handle()));
        ASSERT_NE(hint.Shape(), nullptr);
        EXPECT_TRUE(HasShape(hint.Handle(), width, 15));

        RecordingCanvas canvas;
        hint.PaintTo(canvas);
        const auto text = canvas.Only("TextRect");
        ASSERT_EQ(text.size(), 1u);
        EXPECT_EQ(text[0].text, caption);
        EXPECT_EQ(text[0].format, static_cast<unsigned>(DT_CENTER | DT_WORDBREAK | DT_VCENTER | DT_NOPREFIX));
        EXPECT_EQ(text[0].font.GetColor(), clInfoText);
        EXPECT_EQ(text[0].args, (std::vector<int>{1, 1, width, 19}));
        const auto outline = canvas.Only("Polyline");
        ASSERT_EQ(outline.size(), 1u);
        EXPECT_EQ(outline[0].pen.color, clBlue);
        // Drawn at the activated height, not the enlarged client height.
        EXPECT_EQ(outline[0].args, Flatten(hintshape::OutlinePolyline(hintshape::MakeSize(width, 15))));
    }
}

TEST_F(CoolHintTest, OutlineIsBlueOnTheScreenWhereTheTopEdgeStarts)
{
    TddgHintWindow hint;
    hint.ActivateHint(Rect{100, 100, 160, 115}, "Free RAM");
    hint.Repaint();
    App().ProcessMessages();
    const std::vector<std::uint32_t> pixels =
        test::ReadDcPixels(WindowDc(hint.Handle()).Get(), 0, 0, hint.Width(), hint.Height());
    const auto size = hintshape::MakeSize(hint.Width(), 15);
    EXPECT_EQ(pixels[static_cast<std::size_t>(size.half) + 2], 0x0000FFu);
}

TEST_F(CoolHintTest, EachHintGetsAShapeAndOutlineOfItsOwnSize)
{
    TddgHintWindow hint;
    hint.ActivateHint(Rect{200, 200, 300, 215}, "Minimize");
    hint.ActivateHint(Rect{200, 200, 240, 216}, "Close");
    const int width = 40 + Widening();
    EXPECT_TRUE(HasShape(hint.Handle(), width, 16));
    RecordingCanvas canvas;
    hint.PaintTo(canvas);
    const auto outline = canvas.Only("Polyline");
    ASSERT_EQ(outline.size(), 1u);
    EXPECT_EQ(outline[0].args, Flatten(hintshape::OutlinePolyline(hintshape::MakeSize(width, 16))));

    // Hidden and shown again, it is cut anew.
    hint.ReleaseHandle();
    EXPECT_EQ(hint.Shape(), nullptr);
    hint.ActivateHint(Rect{200, 200, 300, 215}, "Free RAM");
    EXPECT_NE(hint.Shape(), nullptr);
    EXPECT_TRUE(HasShape(hint.Handle(), hint.Width(), 15));
}

TEST_F(CoolHintTest, ShowingHintsOverAndOverKeepsTheGdiCountFlat)
{
    TddgHintWindow hint;
    auto warmUp = [&] {
        hint.ActivateHint(Rect{200, 200, 300, 215}, "warm-up");
        hint.Repaint();
    };
    klarvo::test::ExpectGdiCountFlat(
        {"hints of changing shapes, their window remade now and then", warmUp,
         [&](int i) {
             hint.ActivateHint(Rect{200, 200, 240 + i % 50, 215 + i % 2}, i % 2 ? "Close" : "Free RAM");
             hint.Repaint();
             if (i % 100 == 0) {
                 hint.ReleaseHandle();
             }
             App().ProcessMessages();
         },
         500,
         [&] {
             hint.ReleaseHandle();
             warmUp();
             App().ProcessMessages();
         }});
}

// With hints off, the installed class makes no window until they are on.
TEST_F(CoolHintTest, InstallingReplacesAShownHintWindowAndUninstallingRestoresTheClass)
{
    for (const bool on : {true, false}) {
        SCOPED_TRACE(on ? "hints on" : "hints off");
        App().SetShowHint(on);
        const HintWindowClass before = App().GetHintWindowClass();
        InstallCoolHint();
        EXPECT_NE(App().GetHintWindowClass(), before);
        EXPECT_EQ(App().CurrentHintWindow() == nullptr, !on);
        App().SetShowHint(true);
        EXPECT_NE(dynamic_cast<TddgHintWindow*>(App().CurrentHintWindow()), nullptr);
        UninstallCoolHint();
        EXPECT_EQ(App().GetHintWindowClass(), before);
        EXPECT_EQ(dynamic_cast<TddgHintWindow*>(App().CurrentHintWindow()), nullptr);
    }
}

TEST_F(CoolHintTest, ApplicationShowsAControlsHintInTheShapedWindow)
{
    App().SetShowHint(true);
    InstallCoolHint();
    Form form(nullptr);
    auto* button = new TGradBtn(&form);
    button->SetParent(&form);
    button->SetHint("Close");
    button->SetShowHint(true);
    form.Show();
    App().ActivateHintFor(button, POINT{300, 300});
    auto* hint = dynamic_cast<TddgHintWindow*>(App().CurrentHintWindow());
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(IsWindowVisible(hint->Handle()));
    EXPECT_EQ(hint->Caption(), "Close");
    ASSERT_NE(hint->Shape(), nullptr);
    EXPECT_TRUE(HasShape(hint->Handle(), hint->Width(), hint->Height() - 4));
    App().CancelHint();
    UninstallCoolHint();
}

} // namespace
