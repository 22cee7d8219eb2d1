#include <gtest/gtest.h>

#include "support/GdiCount.h"

#include "framework/drawing/Bitmap.h"
#include "win/Gdi.h"
#include "framework/standard/StdWindows.h"
#include "pages/FreeRamPages.h"
#include "settings/SlotTable.h"
#include "pages/InfoGraph.h"

#include <windows.h>

#include "framework_support.h"

using namespace klarvo;
using namespace klarvo::test;

namespace {

using InfoWindowTest = FormTest;

UpDown* AddUpDown(Form& form, const UpDownRange& r, int top)
{
    auto* edit = new Edit(&form);
    edit->SetParent(&form);
    edit->SetBounds(10, top, 33, 23);
    edit->SetReadOnly(true);
    auto* ud = new UpDown(&form);
    ud->SetParent(&form);
    ud->SetBounds(43, top, 15, 23);
    ud->SetMin(r.min);
    ud->SetMax(r.max);
    ud->SetIncrement(r.increment);
    ud->SetWrap(r.wrap);
    ud->SetPosition(r.initial);
    ud->SetAssociate(edit);
    return ud;
}

void ClickArrow(UpDown* ud, bool up, int times)
{
    const LPARAM at = up ? At(5, 3) : At(5, 19);
    for (int i = 0; i < times; ++i) {
        SendMessageA(ud->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(ud->Handle(), WM_LBUTTONUP, 0, at);
    }
}

TEST_F(InfoWindowTest, ArrowsOfBothRamPagesStopAtTheEndsOfTheirRanges)
{
    const struct {
        const char* name;
        UpDownRange range;
        int top, bottom;
    } cases[] = {
        {"udevery", kEveryRange, 60, 1},
        {"udminproc", kMinPercentRange, 100, 5},
        {"udfree", kFreePercentRange, 100, 5},
        {"udmaxtry", kMaxTryRange, 5, 1},
        {"udpopup1 on a 65 MB machine", {1, PopupMaximum(true, 65), 1, false, 1}, 65, 1},
    };
    int top = 5;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UpDown* ud = AddUpDown(*form, c.range, top);
        top += 30;
        EXPECT_EQ(ud->Position(), c.range.initial);
        ClickArrow(ud, true, 1);
        EXPECT_EQ(ud->Position(), c.range.initial + c.range.increment);
        ClickArrow(ud, true, 80);
        EXPECT_EQ(ud->Position(), c.top);
        EXPECT_EQ(dynamic_cast<Edit*>(ud->Associate())->Text(), std::to_string(c.top));
        ClickArrow(ud, false, 80);
        EXPECT_EQ(ud->Position(), c.bottom);
    }
}

TEST_F(InfoWindowTest, PopupAmountsAboveTheDesignMaximumAreHeldUntilThePageIsShown)
{
    // First-run defaults of a 4096 MB machine go into up-downs that still
    // have their design maximum; showing the page raises it.
    const std::int32_t popup3Default = ShownDefault(*FindSlot(slotPopup3), {4096, false});
    UpDown* popup3 = AddUpDown(*form, {1, PopupMaximum(false, 4096), 1, false, 4}, 5);
    popup3->SetPosition(popup3Default);
    EXPECT_EQ(popup3->Position(), 2000);
    popup3->SetMax(PopupMaximum(true, 4096));
    popup3->SetPosition(popup3Default);
    EXPECT_EQ(popup3->Position(), 2730);
}

TEST_F(InfoWindowTest, ThePictureOnABitmapHasItsColoursWhereTheyBelong)
{
    Bitmap picture(kGraphWidth, kGraphHeight);
    FreeRamHistory h;
    h.Append(30);
    DrawFreeRamGraph(picture.GetCanvas(), h, 65, '.');

    EXPECT_EQ(picture.Pixel(0, 50), clBlack);              // border
    EXPECT_EQ(picture.Pixel(300, 50), Rgb(128, 128, 128)); // background
    EXPECT_EQ(picture.Pixel(41, 50), Rgb(166, 202, 240));  // axis band
    EXPECT_EQ(picture.Pixel(300, 86), clBlack);            // grid line of 10MB
    EXPECT_EQ(picture.Pixel(300, 9), Rgb(0, 255, 0));      // total line
    EXPECT_EQ(picture.Pixel(268, 89), Rgb(255, 255, 0));   // label of the zero plateau
    EXPECT_EQ(picture.Pixel(499, 50), clBlack);            // right border
    // The newest samples lie beyond the picture: nothing of the step up to
    // 30 MB is seen.
    for (int y = 1; y < 80; ++y) {
        EXPECT_NE(picture.Pixel(498, y), Rgb(0, 0, 255)) << y;
    }

    // Four ticks later the real sample comes into view.
    for (int i = 0; i < 4; ++i) {
        h.Append(30);
    }
    DrawFreeRamGraph(picture.GetCanvas(), h, 65, '.');
    bool blueNearSample = false;
    for (int y = 50; y < 66; ++y) {
        blueNearSample = blueNearSample || picture.Pixel(494, y) == Rgb(0, 0, 255);
    }
    EXPECT_TRUE(blueNearSample);
}

// A tick that brings only a new sample redraws right of the band; the
// result must be the whole picture's, whatever the total and the labels.
TEST_F(InfoWindowTest, RedrawingThePlotGivesTheWholePicturesPixels)
{
    FreeRamHistory before, after;
    for (int i = 0; i < FreeRamHistory::kSamples; ++i) {
        before.Append(static_cast<std::uint32_t>(i * 37 % 4100));
        after.Append(static_cast<std::uint32_t>(i % 9 < 5 ? 3000 : i * 13 % 70));
    }
    for (const int total : {1, 24, 65, 999, 1215, 4096}) {
        for (const char separator : {'.', ','}) {
            Bitmap whole(kGraphWidth, kGraphHeight), plotted(kGraphWidth, kGraphHeight);
            DrawFreeRamGraph(whole.GetCanvas(), after, total, separator);
            DrawFreeRamGraph(plotted.GetCanvas(), before, total, separator);
            DrawFreeRamGraphPlot(plotted.GetCanvas(), after, total);
            int differing = 0;
            for (int y = 0; y < kGraphHeight; ++y) {
                for (int x = 0; x < kGraphWidth; ++x) {
                    differing += whole.Pixel(x, y) != plotted.Pixel(x, y);
                }
            }
            EXPECT_EQ(differing, 0) << total << " MB, '" << separator << "'";
        }
    }
}

TEST_F(InfoWindowTest, RedrawingTwiceASecondForHoursLeavesTheGdiCountFlat)
{
    Bitmap picture(kGraphWidth, kGraphHeight);
    Bitmap box(kGraphWidth, kGraphHeight);
    FreeRamHistory h;
    ExpectGdiCountFlat({"the free RAM graph and its box", [&] { DrawFreeRamGraph(picture.GetCanvas(), h, 65, '.'); },
                        [&](int i) {
                            h.Append(static_cast<std::uint32_t>(i % 7 == 0 ? i % 60 : 20));
                            DrawFreeRamGraph(picture.GetCanvas(), h, 65, '.');
                            PaintFreeRamBox(box.GetCanvas(), picture);
                        },
                        500});
    EXPECT_EQ(box.Pixel(300, 9), Rgb(0, 255, 0));
}

} // namespace
