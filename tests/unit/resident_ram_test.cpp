#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "resident/ram/RamCleaner.h"

namespace klarvo::resident {
namespace {

constexpr std::uint64_t MB = 1u << 20;

// A machine in miniature: free pages, pages of other programs and the file
// cache that the system writes out under pressure (they stay out after our
// block goes, which is the gain), and a commit limit.
class SimulatedMachine : public MemorySystem {
public:
    std::uint64_t total = 64 * MB;
    std::uint64_t free = 8 * MB;
    std::uint64_t reclaimable = 0;         // what pressure can move out
    std::uint64_t keepFree = 6 * MB;       // the system refills free pages up to this
    std::uint64_t outPerPass = ~0ull;      // how much it moves out per pass
    std::uint64_t commitLimit = ~0ull;     // our block never grows beyond
    std::uint64_t commitLeft = 1ull << 40; // the rest of the paging file
    std::uint64_t lowestCommit = ~0ull;
    std::uint64_t held = 0;
    std::uint64_t movedThisPass = 0;
    std::uint64_t lowestAvailable = ~0ull;
    int trims = 0;

    Status Measure() override { return {total, free, commitLeft}; }

    bool Grow(std::uint64_t bytes) override
    {
        if (held + bytes > commitLimit || bytes > free + reclaimable || bytes > commitLeft) {
            return false;
        }
        held += bytes;
        commitLeft -= bytes;
        lowestCommit = std::min(lowestCommit, commitLeft);
        const std::uint64_t fromFree = std::min(bytes, free);
        free -= fromFree;
        reclaimable -= bytes - fromFree;
        if (free < keepFree) {
            const std::uint64_t move =
                std::min({keepFree - free, reclaimable, outPerPass - std::min(outPerPass, movedThisPass)});
            reclaimable -= move;
            free += move;
            movedThisPass += move;
        }
        lowestAvailable = std::min(lowestAvailable, free);
        return true;
    }

    void ReleaseAll() override
    {
        free += held;
        commitLeft += held;
        held = 0;
        movedThisPass = 0;
    }

    void TrimWorkingSets() override { ++trims; }
};

struct Recorded {
    std::vector<int> percents;
    RamCleaner::Progress Sink()
    {
        return [this](int percent) { percents.push_back(percent); };
    }
};

void ExpectWellFormed(const std::vector<int>& percents)
{
    ASSERT_FALSE(percents.empty());
    EXPECT_EQ(percents.front(), 0);
    EXPECT_EQ(percents.back(), 100);
    for (std::size_t i = 1; i < percents.size(); ++i) {
        EXPECT_LT(percents[i - 1], percents[i]) << "at report " << i;
    }
}

class RamCleaning : public testing::Test {
protected:
    SimulatedMachine machine;
    RamCleaner cleaner{machine};
    Recorded recorded;
};

TEST_F(RamCleaning, FreesWhatPressureMovesOutInOnePass)
{
    machine.reclaimable = 40 * MB;
    const RamResult result = cleaner.FreeUp(10, 3, recorded.Sink());
    EXPECT_EQ(result.tries, 1);
    EXPECT_GE(result.freedKB, 10 * 1024);
    EXPECT_FALSE(result.stalled);
    EXPECT_EQ(machine.held, 0u);
    ExpectWellFormed(recorded.percents);
}

TEST_F(RamCleaning, NeverPressesBelowTheFloorAndStopsWhenNothingMoves)
{
    // Nothing reclaimable: every byte taken is a free one.
    machine.keepFree = 0;
    const RamResult result = cleaner.FreeUp(32, 5, recorded.Sink());
    EXPECT_GE(machine.lowestAvailable, RamCleaner::FloorBytes(machine.total));
    EXPECT_TRUE(result.reachedFloor);
    EXPECT_TRUE(result.stalled);
    EXPECT_EQ(result.tries, 1);
    EXPECT_EQ(result.freedKB, 0);
    EXPECT_EQ(machine.held, 0u);
    ExpectWellFormed(recorded.percents);
}

TEST_F(RamCleaning, LeavesCommitForOtherPrograms)
{
    machine.reclaimable = 40 * MB;
    machine.commitLeft = 12 * MB;
    const RamResult result = cleaner.FreeUp(30, 1);
    EXPECT_TRUE(result.reachedFloor);
    EXPECT_GE(machine.lowestCommit, RamCleaner::FloorBytes(machine.total));
    EXPECT_EQ(machine.commitLeft, 12 * MB);
}

TEST_F(RamCleaning, FloorGrowsWithTheMachine)
{
    EXPECT_EQ(RamCleaner::FloorBytes(16 * MB), 4 * MB);
    EXPECT_EQ(RamCleaner::FloorBytes(512 * MB), 32 * MB);

    machine.total = 512 * MB;
    machine.free = 100 * MB;
    machine.keepFree = 0;
    cleaner.FreeUp(200, 1);
    EXPECT_GE(machine.lowestAvailable, 32 * MB);
}

TEST_F(RamCleaning, MakesNoMorePassesThanAllowed)
{
    const struct {
        int maxTries;
        int tries;
        std::int64_t freedMB;
    } cases[] = {{1, 1, 4}, {3, 3, 12}, {5, 5, 20}, {0, 1, 4}};
    for (const auto& c : cases) {
        SimulatedMachine fresh;
        fresh.reclaimable = 60 * MB;
        fresh.outPerPass = 4 * MB;
        const RamResult result = RamCleaner(fresh).FreeUp(30, c.maxTries);
        EXPECT_EQ(result.tries, c.tries) << c.maxTries;
        EXPECT_EQ(result.freedKB, c.freedMB * 1024) << c.maxTries;
        EXPECT_FALSE(result.stalled) << c.maxTries;
    }
}

TEST_F(RamCleaning, StopsEarlyWhenAPassGainsNothingMore)
{
    machine.reclaimable = 3 * MB;
    const RamResult result = cleaner.FreeUp(30, 5, recorded.Sink());
    EXPECT_TRUE(result.stalled);
    EXPECT_EQ(result.tries, 2);
    EXPECT_EQ(result.freedKB, 3 * 1024);
    ExpectWellFormed(recorded.percents);
}

TEST_F(RamCleaning, ARefusedCommitEndsThePassAndReleasesEverything)
{
    machine.reclaimable = 40 * MB;
    machine.commitLimit = 5 * MB;
    const RamResult result = cleaner.FreeUp(30, 2);
    EXPECT_FALSE(result.reachedFloor);
    EXPECT_EQ(machine.held, 0u);
}

TEST_F(RamCleaning, StopsWhenAskedAndReleasesEverything)
{
    machine.reclaimable = 40 * MB;
    std::atomic<bool> stop{true};
    const RamResult result = cleaner.FreeUp(30, 5, recorded.Sink(), &stop);
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(result.tries, 1);
    EXPECT_EQ(machine.held, 0u);
    EXPECT_EQ(recorded.percents.back(), 100);
}

TEST_F(RamCleaning, FastTrimsThenMakesOneShortPass)
{
    machine.reclaimable = 40 * MB;
    const RamResult result = cleaner.Fast();
    EXPECT_EQ(machine.trims, 1);
    EXPECT_EQ(result.tries, 1);
    // It holds what was free plus a sixteenth of total memory, no more.
    EXPECT_GE(result.freedKB, 4 * 1024);
    EXPECT_LE(result.freedKB, 12 * 1024);
    EXPECT_EQ(machine.reclaimable, 30 * MB);
    EXPECT_EQ(machine.held, 0u);
}

} // namespace
} // namespace klarvo::resident
