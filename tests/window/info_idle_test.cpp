// What the refresh tick costs while nobody looks: a minute of ticks draws
// nothing that cannot be seen and allocates nothing, and the Info page is
// right the moment it shows again. Counted, never timed.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "framework/drawing/GdiCanvas.h"
#include "link/Notifications.h"
#include "shell_fixture.h"

namespace {

// Allocations through operator new while armed.
std::atomic<bool> countingAllocations{false};
std::atomic<unsigned> allocations{0};

} // namespace

void* operator new(std::size_t size)
{
    if (countingAllocations) {
        ++allocations;
    }
    if (void* p = std::malloc(size ? size : 1)) {
        return p;
    }
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

using namespace klarvo;
using namespace klarvo::test;

namespace {

constexpr int kTicksPerMinute = 120;
constexpr std::int32_t kTotalMB = 65;
constexpr std::int32_t kLowestFreeMB = 20;
// Free memory moves through this many figures, one per tick.
constexpr int kWander = 7;

class InfoIdleTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        Start("0").StopRefreshTimer();
        ShowShell();
        // The recording cleaner keeps every command: room for all of them.
        cleaner.commands.reserve(16 * kTicksPerMinute);
    }
    // One tick with the figure of tick `t` of a wandering machine, or with
    // memory left as it is.
    void Tick(int t, bool wander)
    {
        if (wander) {
            memory.Set(kTotalMB, kLowestFreeMB + t % kWander);
        }
        shell->tmrefreshTimer(nullptr);
    }
    // Drawing calls of a minute of ticks, with the window's messages
    // handled after each.
    std::uint64_t DrawnInAMinute(bool wander)
    {
        const std::uint64_t before = GdiCanvas::DrawCalls();
        for (int t = 0; t < kTicksPerMinute; ++t) {
            Tick(t, wander);
            Pump();
        }
        return GdiCanvas::DrawCalls() - before;
    }
    unsigned AllocatedInAMinute()
    {
        allocations = 0;
        countingAllocations = true;
        for (int t = 0; t < kTicksPerMinute; ++t) {
            Tick(t, true);
        }
        countingAllocations = false;
        Pump();
        return allocations;
    }
    void ShowPage(int page)
    {
        shell->Pages().chrome.SelectPage(page);
        Pump();
    }
};

TEST_F(InfoIdleTest, AMinuteOfTicksDrawsOnlyWhatCanBeSeen)
{
    // Moving memory on the Info page: the picture and the figures change.
    EXPECT_GT(DrawnInAMinute(true), static_cast<std::uint64_t>(kTicksPerMinute));
    // Steady memory: once the history holds nothing else, nothing changes.
    memory.Set(kTotalMB, kLowestFreeMB);
    DrawnInAMinute(false);
    EXPECT_EQ(DrawnInAMinute(false), 0u);

    for (int page = 1; page <= kLastPageIndex; ++page) {
        ShowPage(page);
        EXPECT_EQ(DrawnInAMinute(true), 0u) << "page " << page;
    }
    ShowPage(0);
    App().Minimize();
    Pump();
    ASSERT_TRUE(IsIconic(shell->Handle()));
    EXPECT_EQ(DrawnInAMinute(true), 0u) << "minimised";

    // Unseen, the tick still measured, told the figures and kept the history.
    // The last tick's 20 MB free of 65 MB: 30 % (whole percents, cut).
    EXPECT_EQ(shell->Values().freeRamHistory.Newest(), 20);
    EXPECT_EQ(Text("lbfree"), "20 MB");
    EXPECT_EQ(Get<ProgressBar>("pbfree").Position(), 30);

    // Shown again, the box shows the picture of the whole history at once.
    App().Restore();
    Pump();
    ASSERT_EQ(shell->Values().totalRamMB, kTotalMB);
    EXPECT_TRUE(PictureIsCurrent());
    const Bitmap& picture = Get<Image>("imfr").GetPicture().GetBitmap();
    auto& box = Get<PaintBox>("pbfr");
    HDC dc = GetDC(box.Parent()->Handle());
    int onScreen = 0;
    for (int y = 0; y < kGraphHeight; y += 3) {
        for (int x = 0; x < kGraphWidth; x += 3) {
            onScreen += static_cast<Color>(GetPixel(dc, box.Left() + x, box.Top() + y)) != picture.Pixel(x, y);
        }
    }
    ReleaseDC(box.Parent()->Handle(), dc);
    EXPECT_EQ(onScreen, 0);
}

TEST_F(InfoIdleTest, TheTickAllocatesNothingOnAnyPageOrMinimised)
{
    // The first minute settles what lasts (the picture's objects, the
    // labels' longest texts).
    AllocatedInAMinute();
    EXPECT_EQ(AllocatedInAMinute(), 0u) << "Info page";
    ShowPage(3);
    EXPECT_EQ(AllocatedInAMinute(), 0u) << "HDD page";
    ShowPage(0);
    App().Minimize();
    Pump();
    EXPECT_EQ(AllocatedInAMinute(), 0u) << "minimised";
    App().Restore();
    Pump();
}

} // namespace
