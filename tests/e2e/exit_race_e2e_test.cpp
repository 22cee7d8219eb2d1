#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <random>
#include <string>

#include "link/Messages.h"
#include "support/Desktop.h"
#include "resident/window/Commands.h"
#include "support/Process.h"
#include "support/Pump.h"
#include "suite_fixture.h"

using namespace klarvo;
using namespace klarvo::test;

namespace {

// One round: as many closes as a neighbour might send in a burst.
constexpr int kClosesPerRound = 15;
// The gap after a close before the next look, drawn anew each time: short
// enough to catch a cleaner that is still ending or just starting.
constexpr DWORD kShortestGapMs = 100;
constexpr DWORD kLongestGapMs = 900;

int Rounds()
{
    const std::string rounds = TestArgument("rounds");
    return rounds.empty() ? 1 : std::stoi(rounds);
}

// The gaps come from one seed, printed, so that a failing run can be run
// again with --seed=N.
std::mt19937::result_type Seed()
{
    const std::string seed = TestArgument("seed");
    return seed.empty() ? std::random_device{}() : static_cast<std::mt19937::result_type>(std::stoul(seed));
}

void Close(HWND cleaner, int close)
{
    if (close % 2 == 0) {
        PostMessageA(cleaner, WM_CLOSE, 0, 0);
    } else {
        PostMessageA(cleaner, WM_COMMAND, resident::menuExit, 0);
    }
}

// The shell's tick starts a cleaner whenever it finds none; closed fast and
// often, by the tray's Exit or a neighbour, a cleaner must come back every
// time, and the shell must never give up on it.
TEST_F(Suite, ACleanerClosedFastAndOftenIsStartedAgainEveryTime)
{
    ASSERT_NE(OpenShell(), nullptr);
    const auto seed = Seed();
    RecordProperty("seed", std::to_string(seed));
    std::printf("exit race seed: %lu (repeat with --seed=%lu)\n", static_cast<unsigned long>(seed),
                static_cast<unsigned long>(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<DWORD> gap(kShortestGapMs, kLongestGapMs);
    const int closes = Rounds() * kClosesPerRound;
    HWND cleaner = WaitForWindow(kCleanerWindowClass, kStartPatienceMs);
    for (int close = 0; close < closes; ++close) {
        ASSERT_NE(cleaner, nullptr) << "no cleaner before close " << close;
        const DWORD ended = ProcessOf(cleaner);
        Close(cleaner, close);
        Sleep(gap(random));
        ASSERT_TRUE(WaitUntil(
            [&] {
                cleaner = FindWindowA(kCleanerWindowClass, nullptr);
                return (cleaner && ProcessOf(cleaner) != ended) || !MessageBoxesOf(shell->Id()).empty() ||
                       shell->WaitForExit(0);
            },
            kStartPatienceMs))
            << "no cleaner came back after close " << close + 1 << " of " << closes;
        ASSERT_EQ(MessageBoxesOf(shell->Id()).size(), 0u)
            << "after close " << close + 1 << " of " << closes << ": " << DescribeBoxesOf(shell->Id());
        ASSERT_FALSE(shell->WaitForExit(0)) << "the shell ended after close " << close + 1;
    }
}

} // namespace
