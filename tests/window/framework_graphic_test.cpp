#include <gtest/gtest.h>

#include "framework/window/ImageList.h"
#include "framework/window/Messages.h"
#include "recording/RecordingCanvas.h"
#include "framework/standard/StdCtrls.h"
#include "framework_support.h"

using namespace klarvo;
using namespace klarvo::test;

namespace {

using GraphicTest = FormTest;

std::vector<std::pair<std::vector<int>, Color>> TextCalls(const RecordingCanvas& rec)
{
    std::vector<std::pair<std::vector<int>, Color>> out;
    for (const DrawCall& c : rec.Only("TextRect")) {
        out.emplace_back(std::vector<int>{c.args[0], c.args[1]}, c.font.GetColor());
    }
    return out;
}

TEST_F(GraphicTest, ShadowLabelDrawsItsShadowUpAndLeftOfTheText)
{
    struct Case {
        int size;
        Color shadow;
        std::vector<std::pair<std::vector<int>, Color>> expected;
    } cases[] = {
        {1, clBtnHighlight, {{{0, 0}, clBtnHighlight}, {{1, 1}, clNavy}}},
        {1, clBlack, {{{0, 0}, clBlack}, {{1, 1}, clNavy}}},
        {0, clBlack, {{{0, 0}, clNavy}}},
    };
    for (const Case& c : cases) {
        ShadowLabel label(nullptr);
        label.SetParent(form.get());
        label.GetFont().SetColor(clNavy);
        label.SetShadowColor(c.shadow);
        label.SetShadowSize(c.size);
        label.SetTransparent(true);
        label.SetCaption("Total RAM:");
        RecordingCanvas rec;
        label.PaintTo(rec);
        EXPECT_EQ(TextCalls(rec), c.expected) << "shadow size " << c.size;
        EXPECT_TRUE(rec.Only("FillRect").empty());
        label.SetParent(nullptr);
    }
}

TEST_F(GraphicTest, AutoSizedLabelsFitTheirTextAndTheShadow)
{
    Label plain(nullptr);
    ShadowLabel shaded(nullptr);
    for (Label* l : {static_cast<Label*>(&plain), static_cast<Label*>(&shaded)}) {
        l->GetFont().SetName("Arial");
        l->GetFont().SetHeight(16);
        l->GetFont().SetStyle(fsBold);
        l->SetCaption("Auto RAM cleaning");
    }
    EXPECT_GT(plain.Width(), 100);
    EXPECT_EQ(shaded.Width(), plain.Width() + 1);
    EXPECT_EQ(shaded.Height(), plain.Height() + 1);
}

TEST_F(GraphicTest, ParentFontFollowsTheParentUntilTheControlGetsItsOwn)
{
    auto* follows = Add<Label>();
    auto* own = Add<Label>();
    own->GetFont().SetHeight(20);
    EXPECT_FALSE(own->ParentFont());

    form->GetFont().SetName("Times New Roman");
    form->GetFont().SetStyle(fsBold);
    EXPECT_EQ(follows->GetFont().Name(), "Times New Roman");
    EXPECT_EQ(follows->GetFont().Style(), static_cast<FontStyles>(fsBold));
    EXPECT_TRUE(follows->ParentFont());
    EXPECT_NE(own->GetFont().Name(), "Times New Roman");

    own->SetParentFont(true);
    EXPECT_TRUE(own->ParentFont());
    EXPECT_EQ(own->GetFont().Name(), "Times New Roman");
    EXPECT_EQ(own->GetFont().Height(), form->GetFont().Height());
}

TEST_F(GraphicTest, DisabledLabelDrawsTheEngravedLook)
{
    Label label(nullptr);
    label.SetCaption("Every");
    label.SetEnabled(false);
    RecordingCanvas rec;
    label.PaintTo(rec);
    EXPECT_EQ(TextCalls(rec),
              (std::vector<std::pair<std::vector<int>, Color>>{{{1, 1}, clBtnHighlight}, {{0, 0}, clBtnShadow}}));
}

TEST_F(GraphicTest, LabelWithoutAccelCharsShowsTheAmpersand)
{
    Label label(nullptr);
    label.SetCaption("Fast & usual");
    label.SetShowAccelChar(false);
    RecordingCanvas rec;
    label.PaintTo(rec);
    ASSERT_EQ(rec.Only("TextRect").size(), 1u);
    EXPECT_TRUE(rec.Only("TextRect")[0].format & DT_NOPREFIX);
}

TEST_F(GraphicTest, SpeedButtonsOfAGroupKeepExactlyOneDown)
{
    std::vector<SpeedButton*> sb;
    std::vector<std::string> clicks;
    for (int i = 0; i < 3; ++i) {
        auto* b = Add<SpeedButton>(10 + 34 * i, 10, 33, 22);
        b->SetName("sb" + std::to_string(i + 1));
        b->SetGroupIndex(1);
        b->OnClick = [&clicks, b](Component*) { clicks.push_back(b->Name() + (b->Down() ? " down" : " up")); };
        sb.push_back(b);
    }
    sb[0]->SetDown(true);
    auto press = [&](int i) {
        Send(WM_LBUTTONDOWN, MK_LBUTTON, At(20 + 34 * i, 20));
        Send(WM_LBUTTONUP, 0, At(20 + 34 * i, 20));
    };
    press(1);
    press(1); // already down: stays down, still clicks
    EXPECT_EQ(clicks, (std::vector<std::string>{"sb2 down", "sb2 down"}));
    EXPECT_FALSE(sb[0]->Down());
    EXPECT_TRUE(sb[1]->Down());
    sb[1]->SetDown(false); // the only one down cannot be raised alone
    EXPECT_TRUE(sb[1]->Down());
    sb[2]->SetDown(true);
    EXPECT_FALSE(sb[1]->Down());
    sb[0]->Click(); // clicked by the program: only the event
    EXPECT_FALSE(sb[0]->Down());
}

TEST_F(GraphicTest, FlatSpeedButtonLooksRaisedOnlyWhileThePointerIsOverIt)
{
    auto* a = Add<SpeedButton>(10, 10, 33, 22);
    auto* b = Add<SpeedButton>(44, 10, 33, 22);
    auto frames = [](SpeedButton* s) {
        RecordingCanvas rec;
        s->PaintTo(rec);
        return rec.Only("Frame3D").size();
    };
    EXPECT_EQ(frames(a), 0u);
    Send(WM_MOUSEMOVE, 0, At(20, 20));
    EXPECT_TRUE(a->MouseInControl());
    EXPECT_EQ(frames(a), 1u);
    // The window code clears the look on the others with the leave message.
    a->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(a->MouseInControl());
    EXPECT_EQ(frames(a), 0u);
    Send(WM_MOUSEMOVE, 0, At(50, 20));
    EXPECT_TRUE(b->MouseInControl());
}

TEST_F(GraphicTest, PaintBoxHandsItsPaintCanvasToTheHandler)
{
    PaintBox box(nullptr);
    box.SetBounds(0, 0, 100, 60);
    Canvas* seen = nullptr;
    box.OnPaint = [&](Component* sender) {
        auto* b = static_cast<PaintBox*>(sender);
        seen = &b->GetCanvas();
        b->GetCanvas().brush.color = clBlack;
        b->GetCanvas().FrameRect(b->BoundsRect());
    };
    RecordingCanvas rec;
    box.PaintTo(rec);
    EXPECT_EQ(seen, &rec);
    ASSERT_EQ(rec.calls.size(), 1u);
    EXPECT_EQ(rec.calls[0].args, (std::vector<int>{0, 0, 100, 60}));
}

TEST_F(GraphicTest, BevelBoxAndFrameUseTheButtonShadeColours)
{
    Bevel bevel(nullptr);
    bevel.SetBounds(0, 0, 40, 20);
    RecordingCanvas rec;
    bevel.PaintTo(rec);
    auto lines = rec.Only("Polyline");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].args, (std::vector<int>{0, 19, 0, 0, 39, 0}));
    EXPECT_EQ(lines[0].pen.color, clBtnShadow);
    EXPECT_EQ(lines[1].pen.color, clBtnHighlight);
}

TEST_F(GraphicTest, ImageDrawsItsPictureCentredOrLeavesOutTheTransparentColour)
{
    Image image(nullptr);
    image.SetBounds(0, 0, 30, 20);
    image.GetPicture().GetBitmap().SetSize(10, 6);
    image.SetCenter(true);
    RecordingCanvas rec;
    image.PaintTo(rec);
    ASSERT_EQ(rec.calls.size(), 1u);
    EXPECT_EQ(rec.calls[0].op, "Draw");
    EXPECT_EQ(rec.calls[0].args, (std::vector<int>{10, 7, 10, 6}));
    image.SetTransparent(true);
    rec.calls.clear();
    image.PaintTo(rec);
    EXPECT_EQ(rec.calls[0].op, "DrawPart");
}

TEST_F(GraphicTest, ImageListDrawsOneImageWithoutItsMaskColour)
{
    Bitmap strip(32, 16);
    Canvas& s = strip.GetCanvas();
    s.brush.color = clFuchsia; // bottom-left pixel: the mask colour
    s.FillRect(Rect{0, 0, 32, 16});
    s.brush.color = clRed;
    s.FillRect(Rect{16, 4, 32, 12}); // image 1 has a red band
    ImageList list(nullptr, 16, 16);
    list.AddStrip(strip);
    EXPECT_EQ(list.Count(), 2);

    Bitmap target(20, 20);
    target.GetCanvas().brush.color = clLime;
    target.GetCanvas().FillRect(Rect{0, 0, 20, 20});
    list.Draw(target.GetCanvas(), 2, 2, 1);
    EXPECT_EQ(target.Pixel(3, 3), ColorToRGB(clLime)); // masked out
    EXPECT_EQ(target.Pixel(5, 8), ColorToRGB(clRed));
    Bitmap untouched(20, 20);
    list.Draw(untouched.GetCanvas(), 2, 2, 5); // no such image: nothing
    EXPECT_EQ(untouched.Pixel(5, 8), RGB(255, 255, 255));
}

} // namespace
