// The Fast cleaning lock and the manual cleaning's progress display, run on
// simulated time: a clock that fires its timers when they fall due, the way
// the window's timer components do.

#include <gtest/gtest.h>

#include "pages/FreeRamPages.h"
#include "pages/InfoFigures.h"

#include <functional>
#include <vector>

using namespace klarvo;

namespace {

class SimulatedClock {
public:
    class SimTimer : public RestartableTimer {
    public:
        SimTimer(SimulatedClock& clock, unsigned interval) : clock_(clock), interval_(interval) {}
        void Restart() override
        {
            running_ = true;
            due_ = clock_.now + interval_;
        }
        void Stop() override { running_ = false; }
        bool Running() const { return running_; }
        std::function<void()> onTimer;

    private:
        friend class SimulatedClock;
        SimulatedClock& clock_;
        unsigned interval_;
        unsigned due_ = 0;
        bool running_ = false;
    };

    unsigned now = 0;

    SimTimer& AddTimer(unsigned interval)
    {
        timers_.push_back(std::make_unique<SimTimer>(*this, interval));
        return *timers_.back();
    }

    // Moves time forward a millisecond at a time; a timer that is still
    // running after its handler is due again one interval later.
    void AdvanceTo(unsigned t)
    {
        while (now < t) {
            ++now;
            for (auto& timer : timers_) {
                if (timer->running_ && timer->due_ == now) {
                    timer->due_ = now + timer->interval_;
                    if (timer->onTimer) {
                        timer->onTimer();
                    }
                }
            }
        }
    }

private:
    std::vector<std::unique_ptr<SimTimer>> timers_;
};

TEST(FastCleaning, ASecondPressWithinThreeSecondsDoesNothing)
{
    SimulatedClock clock;
    auto& tmlock = clock.AddTimer(FastCleaningLock::kLockMs);
    FastCleaningLock lock(tmlock);
    int fires = 0;
    tmlock.onTimer = [&] {
        ++fires;
        lock.TimerFired();
    };
    int cleanings = 0;
    auto press = [&] {
        if (lock.Press()) {
            ++cleanings;
        }
    };

    press();
    EXPECT_FALSE(lock.ButtonEnabled());
    clock.AdvanceTo(1000);
    press();
    clock.AdvanceTo(2999);
    press();
    EXPECT_EQ(cleanings, 1);
    EXPECT_FALSE(lock.ButtonEnabled());

    clock.AdvanceTo(3000);
    EXPECT_TRUE(lock.ButtonEnabled());
    EXPECT_FALSE(tmlock.Running());
    clock.AdvanceTo(3500);
    press(); // a new three seconds from this press
    EXPECT_EQ(cleanings, 2);
    clock.AdvanceTo(6499);
    EXPECT_FALSE(lock.ButtonEnabled());
    clock.AdvanceTo(20000);
    EXPECT_TRUE(lock.ButtonEnabled());
    EXPECT_EQ(fires, 2); // the timer stops each time it unlocks
}

struct ProgressFixture : testing::Test {
    SimulatedClock clock;
    SimulatedClock::SimTimer& tmhide = clock.AddTimer(RamProgressDisplay::kHideMs);
    RamProgressDisplay display{tmhide};
    int activePage = RamProgressDisplay::kRamPageIndex;
    std::vector<unsigned> returnsToInfo;
    int fires = 0;

    void SetUp() override
    {
        tmhide.onTimer = [&] {
            ++fires;
            if (display.TimerFired(activePage)) {
                returnsToInfo.push_back(clock.now);
            }
        };
    }
};

TEST_F(ProgressFixture, StartReturnsOnlyOneAndAHalfSecondsAfterTheLastReport)
{
    EXPECT_TRUE(display.StartEnabled());
    display.Report(40);
    EXPECT_FALSE(display.StartEnabled());
    EXPECT_EQ(display.Bar(), 40);
    clock.AdvanceTo(1000);
    display.Report(80);
    clock.AdvanceTo(2499); // 1.5 s after the first report has passed
    EXPECT_FALSE(display.StartEnabled());
    EXPECT_EQ(display.Bar(), 80);
    EXPECT_EQ(fires, 0);

    clock.AdvanceTo(2500);
    EXPECT_TRUE(display.StartEnabled());
    EXPECT_EQ(display.Bar(), 0);
    EXPECT_EQ(returnsToInfo, (std::vector<unsigned>{2500}));
    clock.AdvanceTo(10000);
    EXPECT_EQ(fires, 1);
}

TEST_F(ProgressFixture, OnAnotherPageThePageStaysButStartAndBarAreReset)
{
    display.Report(100);
    clock.AdvanceTo(700);
    activePage = 4; // the user went to the Options page
    clock.AdvanceTo(1500);
    EXPECT_TRUE(display.StartEnabled());
    EXPECT_EQ(display.Bar(), 0);
    EXPECT_TRUE(returnsToInfo.empty());
    EXPECT_FALSE(tmhide.Running());
}

TEST_F(ProgressFixture, StrayPercentsStayOnTheBar)
{
    display.Report(250);
    EXPECT_EQ(display.Bar(), 100);
    display.Report(-3);
    EXPECT_EQ(display.Bar(), 0);
    EXPECT_FALSE(display.StartEnabled());
}

} // namespace
