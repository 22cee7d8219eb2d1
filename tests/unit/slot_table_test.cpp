#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <vector>

#include "settings/SlotTable.h"

using namespace klarvo;

namespace {

TEST(SlotTable, HoldsEachSettingOnceInApplyOrder)
{
    std::set<int> seen;
    std::vector<int> order;
    for (const SlotInfo& info : SlotTable()) {
        order.push_back(info.slot);
        EXPECT_TRUE(seen.insert(info.slot).second);
        // The shell finds both controls of these kinds by name.
        const bool needsPartner = info.kind == SlotKind::HotKey;
        EXPECT_TRUE(!needsPartner || info.partner) << "slot " << info.slot;
        EXPECT_NE(info.control, nullptr);
    }
    // The hot keys are written last, after 26.
    EXPECT_EQ(order, (std::vector<int>{1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 15,
                                       16, 17, 18, 19, 20, 21, 22, 23, 26, 13, 27, 28}));
    EXPECT_EQ(seen, (std::set<int>{1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13,
                                   15, 16, 17, 18, 19, 20, 21, 22, 23, 26, 27, 28}));
    EXPECT_EQ(FindSlot(14), nullptr);
    EXPECT_EQ(FindSlot(-1), nullptr);
    ASSERT_NE(FindSlot(slotRunShell), nullptr);
    EXPECT_STREQ(FindSlot(slotRunShell)->control, "cbnorunshell");
}

TEST(SlotTable, FirstRunDefaultsFollowTheMachine)
{
    struct Case {
        Slot slot;
        std::int32_t totalRamMB;
        bool wav;
        std::int32_t expected;
    };
    const Case cases[] = {
        {slotAuto, 64, false, 1},      {slotMinProc, 64, false, 15},    {slotFree, 65, false, 19},
        {slotFree, 4096, false, 1228}, {slotFree, 1, false, 0},         {slotFastOnly, 64, false, 0},
        {slotEvery, 64, false, 5},     {slotMaxTry, 64, false, 2},      {slotPopup1, 65, false, 16},
        {slotPopup2, 65, false, 32},   {slotPopup3, 65, false, 43},     {slotPopup3, 4096, false, 2730},
        {slotAutorun, 64, false, 1},   {slotRunShell, 64, false, 0},    {slotTrayMem, 64, false, 1},
        {slotHot1, 64, false, 0},      {slotRamPercent, 64, false, 50}, {slotSound, 64, false, 0},
        {slotSound, 64, true, 1},      {slotTemp, 64, false, 1},        {slotDir, 64, false, 0},
        {slotSubdir, 64, false, 0},    {slotWall, 64, false, 0},        {slotHistory, 64, false, 1},
        {slotHot3, 64, false, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FirstRunDefault(*FindSlot(c.slot), c.totalRamMB, c.wav), c.expected)
            << "slot " << c.slot << " with " << c.totalRamMB << " MB";
    }
}

TEST(SlotTable, TheCleanerTakesEveryFirstRunValueAsItIs)
{
    for (const SlotInfo& info : SlotTable()) {
        for (const bool wav : {false, true}) {
            const std::int32_t stored = FirstRunDefault(info, 256, wav);
            EXPECT_EQ(ValidOrFallback(info, stored), stored) << "slot " << info.slot;
        }
    }
    // Outside its range a value counts as the row's fallback, both ends kept.
    const SlotInfo& every = *FindSlot(slotEvery);
    EXPECT_EQ(ValidOrFallback(every, 1), 1);
    EXPECT_EQ(ValidOrFallback(every, 60), 60);
    EXPECT_EQ(ValidOrFallback(every, 61), 5);
    EXPECT_EQ(ValidOrFallback(*FindSlot(slotHot1), 'a'), 0);
}

TEST(SlotTable, EachKindConvertsBetweenControlAndSlot)
{
    struct Case {
        Slot slot;
        std::int32_t totalRamMB;
        std::int32_t shown;
        std::int32_t stored;
        std::int32_t loaded; // what loading the stored value shows
    };
    const Case cases[] = {
        {slotAuto, 64, 1, 1, 1},           {slotAuto, 64, 0, 0, 0},          {slotRunShell, 64, 1, 0, 1},
        {slotRunShell, 64, 0, 1, 0},       {slotFree, 65, 30, 19, 29},       {slotFree, 4096, 30, 1228, 30},
        {slotPopup1, 4096, 700, 700, 700}, {slotRamPercent, 64, 70, 70, 70}, {slotHot2, 64, 'W', 'W', 'W'},
    };
    for (const Case& c : cases) {
        const SlotInfo& row = *FindSlot(c.slot);
        EXPECT_EQ(StoredFromShown(row, c.shown, c.totalRamMB), c.stored) << "slot " << c.slot;
        EXPECT_EQ(ShownFromStored(row, c.stored, c.totalRamMB), c.loaded) << "slot " << c.slot;
    }
    // A flag shows ticked for exactly 1, whatever else a file holds.
    EXPECT_EQ(ShownFromStored(*FindSlot(slotTemp), 2, 64), 0);
    EXPECT_EQ(ShownFromStored(*FindSlot(slotRunShell), 2, 64), 0);
    // And stores as 0 or 1 whatever the control reports.
    EXPECT_EQ(StoredFromShown(*FindSlot(slotRunShell), INT32_MIN, 64), 1);
    EXPECT_EQ(StoredFromShown(*FindSlot(slotRunShell), 2, 64), 1);
}

} // namespace
