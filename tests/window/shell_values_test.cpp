#include <gtest/gtest.h>

#include <climits>

#include "app/Shell.h"
#include "app/SettingsValues.h"

using namespace klarvo;

namespace {

TEST(MemoryFiguresTest, MegabytesAndPercent)
{
    EXPECT_EQ(TotalRamMBFromBytes(0), 1);
    EXPECT_EQ(TotalRamMBFromBytes(64u << 20), 65);
    EXPECT_EQ(TotalRamMBFromBytes((64u << 20) - 1), 64);
    EXPECT_EQ(TotalRamMBFromBytes(0xFFFFFFFFu), 4096);
    EXPECT_EQ(FreeMBFromBytes((20u << 20) + 0xFFFFF), 20) << "no rounding up";
    EXPECT_EQ(FreePercent(64, 129), 49);
    EXPECT_EQ(FreePercent(0, 65), 0);
    EXPECT_EQ(FreePercent(65, 65), 100);
    EXPECT_EQ(FreePercent(5, 0), 0);
    EXPECT_EQ(FreePercent(1 << 29, -1), INT_MIN) << "the product wraps to INT_MIN: no quotient overflow";
}

TEST(FreeSlotTest, PercentToMegabytesAndBackRoundsToTheNearestPercent)
{
    struct Case {
        int percent, total, stored, loaded;
    };
    const Case cases[] = {
        {30, 129, 38, 29}, {30, 65, 19, 29},       {100, 129, 129, 100}, {5, 4096, 204, 5},
        {15, 1, 0, 0},     {100, 4096, 4096, 100}, {50, 64, 32, 50},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.percent) + "% of " + std::to_string(c.total));
        EXPECT_EQ(FreeSlotFromPercent(c.percent, c.total), c.stored);
        EXPECT_EQ(PercentFromFreeSlot(c.stored, c.total), c.loaded);
    }
    // A damaged slot wraps as 32-bit arithmetic does instead of being
    // undefined; a total of no size reads as nothing.
    EXPECT_EQ(PercentFromFreeSlot(INT32_MAX, 1), -99);
    EXPECT_EQ(PercentFromFreeSlot(38, 0), 0);
    EXPECT_EQ(Mul32(65536, 65536), 0);
    EXPECT_EQ(Mul32(-3, 7), -21);
}

TEST(HotKeyTest, StoredCodeAndEditText)
{
    EXPECT_EQ(HotKeySlot(true, "W"), 87);
    EXPECT_EQ(HotKeySlot(true, "Q"), 81);
    EXPECT_EQ(HotKeySlot(false, "W"), 0);
    EXPECT_EQ(HotKeySlot(true, ""), 0);
    EXPECT_EQ(HotKeySlot(true, "WW"), 0);
    EXPECT_EQ(HotKeySlot(true, "\xE9"), 0xE9) << "a code above 127 stays positive";
    EXPECT_EQ(HotKeyText(0), "");
    EXPECT_EQ(HotKeyText(87), "W");
    EXPECT_EQ(HotKeyText(0x100 + 'S'), "S");
}

TEST(TempDirLineTest, TrailingBackslashGoesAndFailuresGiveNothing)
{
    using namespace std::string_literals;
    EXPECT_EQ(TempDirLine("C:\\WINDOWS\\TEMP\\\0garbage"s, 16), "C:\\WINDOWS\\TEMP");
    EXPECT_EQ(TempDirLine("C:\\WINDOWS\\TEMP\\", 0), "") << "the call failed";
    EXPECT_EQ(TempDirLine(std::string(127, 'x'), 127), std::string(126, 'x'));
    EXPECT_EQ(TempDirLine("C:\\", 200), "") << "a path longer than the room asked for";
    EXPECT_EQ(TempDirLine("\0"s, 1), "");

    // Without TMP and TEMP, Windows 9x names the current directory: no line.
    char tmp[MAX_PATH] = {}, temp[MAX_PATH] = {};
    GetEnvironmentVariableA("TMP", tmp, MAX_PATH);
    GetEnvironmentVariableA("TEMP", temp, MAX_PATH);
    ASSERT_NE(SystemTempDirLine(), "");
    SetEnvironmentVariableA("TMP", nullptr);
    SetEnvironmentVariableA("TEMP", nullptr);
    EXPECT_EQ(SystemTempDirLine(), "");
    SetEnvironmentVariableA("TEMP", temp);
    EXPECT_NE(SystemTempDirLine(), "");
    SetEnvironmentVariableA("TMP", tmp[0] ? tmp : nullptr);
    SetEnvironmentVariableA("TEMP", temp[0] ? temp : nullptr);
}

TEST(StartPageTest, ArgumentToPage)
{
    const std::pair<const char*, int> cases[] = {{"4", 4},   {"20", 6}, {"6", 6},           {"0", 0},    {"", 0},
                                                 {"abc", 0}, {"-1", 0}, {"-2147483648", 0}, {nullptr, 0}};
    for (const auto& [argument, page] : cases) {
        EXPECT_EQ(StartPageFor(argument), page) << (argument ? argument : "(none)");
    }
}

} // namespace
