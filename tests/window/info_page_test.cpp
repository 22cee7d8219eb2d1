#include <gtest/gtest.h>

#include "shell_fixture.h"

using namespace klarvo;
using namespace klarvo::test;

namespace {

using Commands = std::vector<std::pair<std::int32_t, std::int32_t>>;

class InfoPageTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        Start("0");
        ShowShell();
        cleaner.commands.clear();
    }
};

TEST_F(InfoPageTest, ReportsOfTheResidentCleanerReachTheirLabels)
{
    const struct {
        int code;
        std::int64_t value;
        const char* label;
        const char* text;
    } reports[] = {
        {ntLastEffect, 5120, "lbcleanlast", "5 MB (5120 KB)"},
        {ntTotalEffect, 1536, "lbcleanall", "1 MB (1536 KB)"},
        {ntTimeSince, 3725, "lbtime", "1:02:05  ago"},
        {ntLastEffect, -1, "lbcleanlast", "? ? ?"},
        {ntTimeSince, -1, "lbtime", "? ? ?"},
        {ntTotalEffect, 0, "lbcleanall", "0 MB (0 KB)"},
    };
    for (const auto& r : reports) {
        SCOPED_TRACE(r.text);
        Notify(r.code, r.value);
        EXPECT_EQ(Text(r.label), r.text);
    }
    // Other reports leave the effect labels alone.
    Notify(ntRamProgress, 40);
    EXPECT_EQ(Text("lbcleanlast"), "? ? ?");
    EXPECT_EQ(Text("lbcleanall"), "0 MB (0 KB)");
    EXPECT_EQ(Text("lbtime"), "? ? ?");
}

TEST_F(InfoPageTest, RefreshTickFillsTheFiguresAndTheHistory)
{
    // The window's own timer may have ticked while a loaded machine set
    // the window up: what it held before this tick is the reference.
    const FreeRamHistory before = shell->Values().freeRamHistory;
    memory.Set(129, 50);
    shell->tmrefreshTimer(nullptr);
    EXPECT_EQ(Text("lball"), "129 MB");
    EXPECT_EQ(Text("lbfree"), "50 MB");
    EXPECT_EQ(Text("lbfree2"), "38 %");
    EXPECT_EQ(Get<ProgressBar>("pball").Position(), 100);
    EXPECT_EQ(Get<ProgressBar>("pbfree").Position(), 38);
    const auto& history = shell->Values().freeRamHistory;
    EXPECT_EQ(history[FreeRamHistory::kSamples - 1], 50);
    for (int i = 0; i + 1 < FreeRamHistory::kSamples; ++i) {
        ASSERT_EQ(history[i], before[i + 1]) << "sample " << i << " moves one place on";
    }
    // Start-up's tick came before with the fixture's 20 MB free, after a
    // history of zeros.
    EXPECT_EQ(history[FreeRamHistory::kSamples - 2], 20);
    EXPECT_EQ(history[0], 0);
}

TEST_F(InfoPageTest, PictureIsComposedInTheHiddenImageAndCopiedOntoTheBox)
{
    const Bitmap& picture = Get<Image>("imfr").GetPicture().GetBitmap();
    ASSERT_EQ(picture.Width(), kGraphWidth);
    ASSERT_EQ(picture.Height(), kGraphHeight);
    EXPECT_EQ(picture.Pixel(20, 50), kGraphAxisColor);
    EXPECT_EQ(picture.Pixel(300, 50), kGraphBackColor);
    // The 65 MB machine's total line lies at y 9.
    EXPECT_EQ(picture.Pixel(300, 9), kGraphTotalColor);

    // The visible box shows the same pixels once it has painted.
    auto& box = Get<PaintBox>("pbfr");
    InvalidateRect(box.Parent()->Handle(), nullptr, TRUE);
    UpdateWindow(box.Parent()->Handle());
    HDC dc = GetDC(box.Parent()->Handle());
    for (const auto& [x, y] : {std::pair{20, 50}, std::pair{300, 50}, std::pair{300, 9}}) {
        EXPECT_EQ(static_cast<Color>(GetPixel(dc, box.Left() + x, box.Top() + y)), picture.Pixel(x, y))
            << x << "," << y;
    }
    ReleaseDC(box.Parent()->Handle(), dc);
}

TEST_F(InfoPageTest, FastCleaningIsLockedForItsTimer)
{
    auto& button = Get<TGradBtn>("nbclear");
    auto& lock = Get<Timer>("tmlock");
    const Commands pair = {{cmdFastClean, 0}, {cmdReportStatus, 0}};

    button.Click();
    button.Click();
    EXPECT_EQ(cleaner.commands, pair);
    EXPECT_FALSE(button.Enabled());
    EXPECT_TRUE(lock.Enabled());

    // Even a call that bypasses the disabled button starts nothing.
    shell->Pages().info.nbclearClick(&button);
    EXPECT_EQ(cleaner.commands, pair);

    lock.Fire();
    EXPECT_TRUE(button.Enabled());
    EXPECT_FALSE(lock.Enabled());
    button.Click();
    EXPECT_EQ(cleaner.commands.size(), 4u);
}

TEST_F(InfoPageTest, ApplyIsHiddenOnTheInfoPage)
{
    auto& apply = Apply();
    shell->Pages().chrome.SelectPage(1);
    EXPECT_TRUE(apply.Visible());
    shell->Pages().chrome.SelectPage(0);
    EXPECT_FALSE(apply.Visible());
}

} // namespace
