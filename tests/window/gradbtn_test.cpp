#include <gtest/gtest.h>

#include "support/GdiCount.h"

#include "controls/GradBtn.h"
#include "framework/drawing/Bitmap.h"
#include "win/Gdi.h"
#include "recording/RecordingCanvas.h"

#include "framework_support.h"

using namespace klarvo;

namespace {

const Color kNavy = Rgb(0, 0, 128), kAqua = Rgb(0, 255, 255);

class GradBtnTest : public test::FormTest {
protected:
    GradBtnTest() : FormTest(50, 50, 400, 200) {}
    void SetUp() override
    {
        FormTest::SetUp();
        btn = Add<TGradBtn>(10, 10, 137, 21);
        other = Add<TGradBtn>(10, 100, 75, 25);
        test::Pump();
        Watch(btn);
    }

    void Watch(TGradBtn* b)
    {
        b->OnMouseDown = [this](Component*, MouseButton button, ShiftState, int, int) {
            log.push_back(button == MouseButton::Left ? "down" : "other-down");
        };
        b->OnMouseUp = [this](Component*, MouseButton, ShiftState, int, int) { log.push_back("up"); };
        b->OnClick = [this, b](Component*) {
            log.push_back("click");
            clickSawPressed = b->Pressed();
            clickSawBegin = b->BeginColor();
            WindowDc dc(b->Handle());
            clickSawCorner = GetPixel(dc.Get(), 0, 0);
        };
        b->OnMouseEnter = [this](Component*) { log.push_back("enter"); };
        b->OnMouseLeave = [this](Component*) { log.push_back("leave"); };
    }

    // Mouse messages in the button's client coordinates.
    void Mouse(UINT msg, WPARAM keys, int x, int y)
    {
        SendMessageA(btn->Handle(), msg, keys, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
    }
    COLORREF Corner()
    {
        btn->Update();
        WindowDc dc(btn->Handle());
        return GetPixel(dc.Get(), 0, 0);
    }

    TGradBtn* btn = nullptr;
    TGradBtn* other = nullptr;
    bool clickSawPressed = true;
    Color clickSawBegin = 0;
    COLORREF clickSawCorner = 0;
};

TEST_F(GradBtnTest, ClickComesBetweenPressAndReleaseWithTheButtonAlreadyRaised)
{
    const COLORREF raised = ColorToRGB(clBtnHighlight), sunken = ColorToRGB(clBtnShadow);
    ASSERT_NE(raised, sunken);
    EXPECT_EQ(Corner(), raised);

    Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    EXPECT_TRUE(btn->Pressed());
    EXPECT_EQ(btn->BeginColor(), kAqua); // exchanged while held
    EXPECT_EQ(Corner(), sunken);

    Mouse(WM_LBUTTONUP, 0, 5, 5);
    EXPECT_EQ(log, (std::vector<std::string>{"down", "click", "up"}));
    EXPECT_FALSE(clickSawPressed);
    EXPECT_EQ(clickSawBegin, kNavy);
    EXPECT_EQ(clickSawCorner, raised);
    EXPECT_FALSE(btn->Pressed());
    EXPECT_EQ(btn->BeginColor(), kNavy);

    // The release mark is spent: the next press and release behave the same.
    log.clear();
    Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    Mouse(WM_LBUTTONUP, 0, 5, 5);
    EXPECT_EQ(log, (std::vector<std::string>{"down", "click", "up"}));
    EXPECT_EQ(btn->BeginColor(), kNavy);
}

// Pressed and dragged: the button sinks only while the mouse is over it,
// only a release over it clicks, and either way its colours come back.
TEST_F(GradBtnTest, ADraggedPressSinksOnlyOverTheButtonAndClicksOnlyWhenReleasedThere)
{
    const struct {
        const char* what;
        std::vector<POINT> dragged; // after the press at (5, 5); released at the last
        bool sunk;
        std::vector<std::string> log;
    } cases[] = {
        {"out", {{250, 5}}, false, {"enter", "down", "up", "leave", "up"}},
        {"out and back in", {{250, 5}, {6, 6}}, true, {"enter", "down", "up", "leave", "down", "enter", "click", "up"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        log.clear();
        Mouse(WM_MOUSEMOVE, 0, 5, 5);
        Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
        for (const POINT& p : c.dragged) {
            Mouse(WM_MOUSEMOVE, MK_LBUTTON, p.x, p.y);
        }
        EXPECT_EQ(btn->Pressed(), c.sunk);
        EXPECT_EQ(btn->BeginColor(), c.sunk ? kAqua : kNavy);
        EXPECT_EQ(btn->EndColor(), c.sunk ? kNavy : kAqua);
        Mouse(WM_LBUTTONUP, 0, c.dragged.back().x, c.dragged.back().y);
        EXPECT_EQ(log, c.log);
        EXPECT_FALSE(btn->Pressed());
        EXPECT_EQ(btn->BeginColor(), kNavy);
        EXPECT_EQ(btn->EndColor(), kAqua);
    }
}

TEST_F(GradBtnTest, HoverTurnsTheCaptionBlueAndLeavingRestoresItsColour)
{
    btn->SetPresets(TPreset::GoldCoast);
    const Color gold = Rgb(187, 187, 0);
    ASSERT_EQ(btn->GetFont().GetColor(), gold);
    Mouse(WM_MOUSEMOVE, 0, 5, 5);
    EXPECT_EQ(btn->GetFont().GetColor(), clBlue);
    // Moving within the button is no second entry.
    Mouse(WM_MOUSEMOVE, 0, 7, 7);
    Mouse(WM_MOUSEMOVE, 0, 250, 5);
    EXPECT_EQ(btn->GetFont().GetColor(), gold);
    EXPECT_EQ(log, (std::vector<std::string>{"enter", "leave"}));
}

TEST_F(GradBtnTest, RightPressFocusesButNeitherSinksNorSwaps)
{
    other->SetFocus();
    ASSERT_FALSE(btn->Focused());
    Mouse(WM_RBUTTONDOWN, MK_RBUTTON, 5, 5);
    EXPECT_TRUE(btn->Focused());
    EXPECT_FALSE(btn->Pressed());
    EXPECT_EQ(btn->BeginColor(), kNavy);
    Mouse(WM_RBUTTONUP, 0, 5, 5);
    EXPECT_EQ(log, (std::vector<std::string>{"other-down", "up"}));
}

TEST_F(GradBtnTest, EnterClicksTheFocusedButtonAndLeavesNoMarkBehind)
{
    btn->SetFocus();
    SendMessageA(btn->Handle(), WM_CHAR, 'x', 0);
    SendMessageA(btn->Handle(), WM_CHAR, ' ', 0);
    EXPECT_TRUE(log.empty());
    SendMessageA(btn->Handle(), WM_CHAR, '\r', 0);
    EXPECT_EQ(log, (std::vector<std::string>{"click"}));

    // A later press released outside must still raise the button.
    log.clear();
    Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    Mouse(WM_LBUTTONUP, 0, 250, 5);
    EXPECT_FALSE(btn->Pressed());
    EXPECT_EQ(btn->BeginColor(), kNavy);
    EXPECT_EQ(log, (std::vector<std::string>{"down", "up"}));
}

TEST_F(GradBtnTest, AcceleratorsFollowSingleAndDoubledAmpersands)
{
    struct Case {
        const char* caption;
        char typed;
        bool clicks;
    };
    const Case cases[] = {
        {"&Apply", 'a', true},           {"&Apply", 'A', true},
        {"&Apply", 'p', false},          {"Fast && usual", 'u', false},
        {"Fast && usual", '&', false},   {"Save && &exit", 'E', true},
        {"Default &setting", 's', true}, {"x", 'x', false},
    };
    for (const Case& c : cases) {
        btn->SetCaption(c.caption);
        log.clear();
        // Alt+letter reaches the focused control, which offers it to the form.
        other->SetFocus();
        SendMessageA(other->Handle(), WM_SYSCHAR, static_cast<unsigned char>(c.typed), 0);
        EXPECT_EQ(log == std::vector<std::string>{"click"}, c.clicks) << c.caption << " / " << c.typed;
    }
    btn->SetCaption("&Apply");
    btn->SetEnabled(false);
    log.clear();
    SendMessageA(other->Handle(), WM_SYSCHAR, 'a', 0);
    EXPECT_TRUE(log.empty());
}

TEST_F(GradBtnTest, FocusRectangleOnlyWhileFocusedAndWanted)
{
    const auto focusRects = [this] {
        RecordingCanvas canvas;
        btn->PaintFace(canvas);
        return canvas.Only("DrawFocusRect");
    };
    other->SetFocus();
    EXPECT_TRUE(focusRects().empty());
    btn->SetFocus();
    const auto rects = focusRects();
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].args, (std::vector<int>{2, 2, 135, 19}));
    btn->SetShowFocus(false);
    EXPECT_TRUE(focusRects().empty());
}

TEST_F(GradBtnTest, BackgroundEraseIsRefused)
{
    WindowDc dc(btn->Handle());
    EXPECT_EQ(SendMessageA(btn->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.Get()), 0), 0);
}

TEST_F(GradBtnTest, ThousandsOfPaintsLeaveTheGdiCountFlat)
{
    const auto look = [&](int i) {
        btn->SetGradientStyle(static_cast<TGradientStyle>(i % 6));
        if (i % 100 == 0) {
            btn->SetPresets(i / 100 % 6);
        }
        btn->SetEnabled(i % 7 != 0);
        if (i % 3 == 0) {
            Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
        }
        btn->Repaint();
        if (i % 3 == 0) {
            Mouse(WM_LBUTTONUP, 0, 500, 5);
        }
        App().ProcessMessages();
    };
    // The warm-up passes every look once: the first paint of some looks
    // leaves the system objects it keeps for the program's life (two under
    // Wine, seen when this test runs first), which are no leak.
    klarvo::test::ExpectGdiCountFlat({"a focused button through every look, pressed now and then",
                                      [&] {
                                          btn->SetCaption("&Auto RAM cleaning");
                                          btn->SetFocus();
                                          for (int i = 0; i < 600; ++i) {
                                              look(i);
                                          }
                                      },
                                      look, 3000,
                                      [&] {
                                          btn->SetEnabled(true);
                                          btn->SetPresets(TPreset::None);
                                          btn->Repaint();
                                          App().ProcessMessages();
                                      }});
}

TEST(GradBtn, FrameSizeStaysWithinTheButton)
{
    TGradBtn btn(nullptr);
    ASSERT_EQ(btn.Width(), 75);
    ASSERT_EQ(btn.Height(), 25);
    // In turn: the button's size, the frame size asked and the one it has then.
    const int steps[][4] = {{75, 25, 8, 1}, {75, 25, 7, 7}, {75, 25, -2, -2}, {19, 11, 1, -2}, {19, 11, 0, 0}};
    for (const auto& [width, height, asked, kept] : steps) {
        btn.SetBounds(0, 0, width, height);
        btn.SetBtnFrameSize(asked);
        EXPECT_EQ(btn.BtnFrameSize(), kept) << width << " x " << height << ", asked " << asked;
    }
}

TEST(GradBtn, PresetOverwritesWhatCameBeforeAndYieldsToWhatComesAfter)
{
    TGradBtn btn(nullptr);
    btn.SetBeginColor(clRed);
    btn.SetDisabledColor(clLime);
    btn.SetJustification(jLeft);
    btn.SetBtnFrameSize(3);
    btn.SetPresets(TPreset::Aluminum);
    EXPECT_EQ(btn.BeginColor(), Rgb(206, 206, 206));
    EXPECT_EQ(btn.DisabledColor(), Rgb(128, 128, 128));
    EXPECT_EQ(btn.GradientStyle(), gsVertical);
    EXPECT_EQ(btn.TextStyle(), tsInset);
    EXPECT_EQ(btn.BtnShadowClr(), clBlack);
    EXPECT_EQ(btn.GetFont().Name(), "Times New Roman");
    EXPECT_EQ(btn.GetFont().Size(), 10);
    EXPECT_EQ(btn.GetFont().Style(), FontStyles{fsBold});
    // What no scheme lists stays.
    EXPECT_EQ(btn.Justification(), jLeft);
    EXPECT_EQ(btn.BtnFrameSize(), 3);
    EXPECT_TRUE(btn.SwapColors());

    // Later font settings win over the scheme's font.
    btn.GetFont().SetHeight(13);
    btn.GetFont().SetStyle(fsBold | fsItalic);
    EXPECT_EQ(btn.GetFont().Height(), 13);
    EXPECT_EQ(btn.BeginColor(), Rgb(206, 206, 206));

    // The same scheme again is applied again, the font included.
    btn.SetBeginColor(clRed);
    btn.SetPresets(TPreset::Aluminum);
    EXPECT_EQ(btn.BeginColor(), Rgb(206, 206, 206));
    EXPECT_EQ(btn.GetFont().Size(), 10);
    btn.GetFont().SetHeight(13);

    // Outside the schemes: nothing changes.
    btn.SetPresets(6);
    btn.SetPresets(-1);
    EXPECT_EQ(btn.Presets(), TPreset::Aluminum);
    EXPECT_EQ(btn.GetFont().Height(), 13);

    // None is a scheme, not the constructed look.
    btn.SetPresets(TPreset::None);
    EXPECT_EQ(btn.DisabledColor(), Rgb(128, 128, 128));
    EXPECT_EQ(btn.GradientStyle(), gsVertCenter);
    EXPECT_EQ(btn.GetFont().Name(), "MS Sans Serif");

    btn.SetPresets(TPreset::BrassedOff);
    EXPECT_FALSE(btn.SwapColors());
    btn.SetPresets(TPreset::GoldCoast);
    EXPECT_FALSE(btn.SwapColors());
}

TEST(GradBtn, InvalidEnumerationValuesAreDropped)
{
    TGradBtn btn(nullptr);
    btn.SetGradientStyle(static_cast<TGradientStyle>(6));
    btn.SetTextStyle(static_cast<TTextStyle>(-1));
    btn.SetTextShadeType(static_cast<TShadeType>(2));
    btn.SetJustification(static_cast<TJustification>(3));
    EXPECT_EQ(btn.GradientStyle(), gsVertCenter);
    EXPECT_EQ(btn.TextStyle(), tsRaised);
    EXPECT_EQ(btn.TextShadeType(), stLight);
    EXPECT_EQ(btn.Justification(), jCenter);
}

// The face drawn call by call, on a canvas of its own each time.
class GradBtnFace : public ::testing::Test {
protected:
    const RecordingCanvas& Paint()
    {
        canvas = std::make_unique<RecordingCanvas>();
        btn.PaintFace(*canvas);
        return *canvas;
    }
    std::vector<DrawCall> Text() { return Paint().Only("TextRect"); }
    TGradBtn btn{nullptr};
    std::unique_ptr<RecordingCanvas> canvas;
};

TEST_F(GradBtnFace, ConstructedButtonIsRaisedWithARaisedCaption)
{
    btn.SetCaption("&OK");
    const auto& calls = Paint().calls;
    ASSERT_FALSE(calls.empty());
    // 2 x 13 rows of gsVertCenter, the frame, two caption layers.
    EXPECT_EQ(calls[0].op, "FillRect");
    EXPECT_EQ(calls[0].brush.color, kNavy);
    const auto frame = canvas->Only("Frame3D");
    ASSERT_FALSE(frame.empty());
    EXPECT_EQ(frame[0].color1, clBtnHighlight);
    EXPECT_EQ(frame[0].color2, clBtnShadow);
    EXPECT_EQ(frame[0].brush.style, BrushStyle::Clear);
    const auto text = canvas->Only("TextRect");
    ASSERT_EQ(text.size(), 2u);
    EXPECT_EQ(text[0].font.GetColor(), clBtnHighlight);
    EXPECT_EQ(text[1].font.GetColor(), clBlack);
    EXPECT_EQ(text[0].text, "&OK");
    EXPECT_EQ(text[0].args[0] + 1, text[1].args[0]); // the highlight one pixel up-left
    EXPECT_EQ(text[0].args[1] + 1, text[1].args[1]);
    EXPECT_EQ(text[1].format & (DT_CALCRECT | DT_NOPREFIX), 0u);
    EXPECT_TRUE(canvas->Only("DrawFocusRect").empty());
}

TEST_F(GradBtnFace, DownLockSinksFrameAndCaptionUntilCleared)
{
    btn.SetCaption("Info");
    const auto raised = Text().back();
    btn.SetDownLock(true);
    const auto sunk = Text().back();
    const auto frame = canvas->Only("Frame3D");
    ASSERT_FALSE(frame.empty());
    EXPECT_EQ(frame[0].color1, clBtnShadow);
    EXPECT_EQ(frame[0].color2, clBtnHighlight);
    EXPECT_EQ(sunk.args[0], raised.args[0] + 1);
    EXPECT_EQ(sunk.args[1], raised.args[1] + 1);
    // The lock exchanges no colours.
    EXPECT_EQ(canvas->calls[0].brush.color, kNavy);
    btn.SetDownLock(false);
    EXPECT_EQ(Text().back().args, raised.args);
}

TEST_F(GradBtnFace, DisabledButtonDrawsAnInsetCaptionInItsDisabledColour)
{
    btn.SetCaption("Apply");
    btn.SetTextStyle(tsNormal);
    btn.SetDisabledColor(clMaroon);
    btn.SetEnabled(false);
    auto text = Text();
    ASSERT_EQ(text.size(), 2u);
    EXPECT_EQ(text[0].font.GetColor(), clBtnHighlight);
    EXPECT_EQ(text[1].font.GetColor(), clMaroon);
    EXPECT_EQ(text[0].args[0], text[1].args[0] + 1);
    btn.SetEnabled(true);
    text = Text();
    ASSERT_EQ(text.size(), 1u);
    EXPECT_EQ(text[0].font.GetColor(), clBlack);
}

TEST_F(GradBtnFace, NoFrameBelowOneRingAndOutlineLessShapes)
{
    btn.SetBtnFrameSize(0);
    for (const auto& [style, shape] : {std::pair{gsElliptic, "Ellipse"}, std::pair{gsRectangle, "Rectangle"}}) {
        btn.SetGradientStyle(style);
        const auto shapes = Paint().Only(shape);
        EXPECT_TRUE(canvas->Only("Frame3D").empty()) << shape;
        ASSERT_FALSE(shapes.empty()) << shape;
        EXPECT_EQ(shapes[0].pen.style, PenStyle::Clear) << shape;
    }
}

TEST_F(GradBtnFace, CaptionIsCentredOnItsShownWidth)
{
    // "A&&B" shows as "A&B": the caption must be centred on that width.
    btn.SetCaption("A&&B");
    const auto text = Text();
    ASSERT_FALSE(text.empty());
    RecordingCanvas measure;
    measure.font = btn.GetFont();
    const int shown = measure.TextWidth("A&B");
    EXPECT_EQ(text.back().args[0], (btn.Width() - shown) / 2);
    EXPECT_EQ(text.back().args[2] - text.back().args[0], shown);
}

TEST(GradBtnPixels, ConstructedFaceIsNavyToAquaToNavyInsideARaisedFrame)
{
    TGradBtn btn(nullptr);
    Bitmap bitmap(75, 25);
    btn.PaintFace(bitmap.GetCanvas());
    EXPECT_EQ(bitmap.Pixel(37, 12), kAqua);
    EXPECT_EQ(bitmap.Pixel(37, 1), gradbtn::GradientColor(kNavy, kAqua, 1, 12));
    EXPECT_EQ(bitmap.Pixel(0, 0), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(bitmap.Pixel(73, 0), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(bitmap.Pixel(74, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(bitmap.Pixel(0, 24), ColorToRGB(clBtnShadow));
    EXPECT_EQ(bitmap.Pixel(74, 24), ColorToRGB(clBtnShadow));
}

} // namespace
