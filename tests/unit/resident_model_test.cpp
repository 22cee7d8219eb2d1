#include <gtest/gtest.h>

#include <limits>
#include <map>

#include "link/Messages.h"
#include "resident/window/Commands.h"
#include "resident/window/Effects.h"
#include "resident/work/ResidentSettings.h"
#include "settings/ConfFile.h"
#include "settings/ConfStr.h"
#include "settings/SlotTable.h"
#include "support/TempDir.h"

namespace klarvo::resident {
namespace {

TEST(DecodeCommand, AcceptsEachCommandOnlyWithinItsRange)
{
    const std::pair<std::uint64_t, std::int64_t> accepted[] = {
        {cmdReloadSettings, 0}, {cmdFastClean, 0},     {cmdReportStatus, 0},    {cmdFreeRam, 1},
        {cmdFreeRam, 4096},     {cmdClearHdd, hcTemp}, {cmdClearHdd, hcHistory}};
    for (const auto& [code, argument] : accepted) {
        const Command command = DecodeCommand(code, argument).value_or(Command{-1, -1});
        EXPECT_EQ(command.code, static_cast<int>(code)) << code << " " << argument;
        EXPECT_EQ(command.argument, argument) << code << " " << argument;
    }
    // 0x100000001 is a code whose low half is cmdReloadSettings.
    const std::pair<std::uint64_t, std::int64_t> refused[] = {{cmdReloadSettings, 1},
                                                              {cmdFastClean, -1},
                                                              {cmdReportStatus, 7},
                                                              {cmdFreeRam, 0},
                                                              {cmdFreeRam, -5},
                                                              {cmdFreeRam, 4097},
                                                              {cmdClearHdd, -1},
                                                              {cmdClearHdd, 5},
                                                              {0, 0},
                                                              {4, 0},
                                                              {7, 0},
                                                              {0x100000001ull, 0},
                                                              {cmdClearHdd, 0x100000000ll}};
    for (const auto& [code, argument] : refused) {
        EXPECT_FALSE(DecodeCommand(code, argument).has_value()) << code << " " << argument;
    }
}

// Whatever another program posts, it never reaches what only the tray
// offers; the tray's items reach it.
TEST(DecodeCommand, NeverReachesWhatOnlyTheTrayOffers)
{
    for (const CommandRow* row = CommandRowsBegin(); row != CommandRowsEnd(); ++row) {
        EXPECT_EQ(row->posted, row->code < trayFreeUp) << row->code;
    }
    const std::int64_t arguments[] = {0, 1, 2, 3, -1, 4096};
    for (std::uint64_t code = 0; code < 2000; ++code) {
        for (std::int64_t argument : arguments) {
            const std::optional<Command> command = DecodeCommand(code, argument);
            EXPECT_LT(command.value_or(Command{0, 0}).code, trayFreeUp) << code << " " << argument;
        }
    }
    const struct {
        unsigned menuId;
        int code;
    } tray[] = {
        {menuExit, trayExit}, {menuOpenShell, trayOpenShell}, {menuFreeUp3, trayFreeUp}, {menuFast, cmdFastClean}};
    for (const auto& item : tray) {
        EXPECT_EQ(DecodeMenuItem(item.menuId).value_or(Command{-1, 0}).code, item.code) << item.menuId;
    }
    EXPECT_FALSE(DecodeMenuItem(cmdFastClean));
}

TEST(Effects, ReportUnknownUntilTheFirstCleaningThenAccumulate)
{
    Effects effects;
    Effects::Figures figures = effects.At(5000);
    EXPECT_EQ(figures.lastKB, -1);
    EXPECT_EQ(figures.totalKB, -1);
    EXPECT_EQ(figures.secondsSince, -1);

    effects.Record(5120, 10'000);
    effects.Record(-300, 20'000); // a cleaning that lost ground frees nothing
    effects.Record(1000, 30'000);
    figures = effects.At(3'755'999);
    EXPECT_EQ(figures.lastKB, 1000);
    EXPECT_EQ(figures.totalKB, 6120);
    EXPECT_EQ(figures.secondsSince, 3725);

    effects.Record(std::numeric_limits<std::int32_t>::max(), 40'000);
    EXPECT_EQ(effects.At(40'000).totalKB, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(effects.At(39'000).secondsSince, 0);
}

// Conf.dat as a map of slots, ConfStr.dat as lines.
ResidentSettings Interpret(const std::map<std::int32_t, std::int32_t>& slots, std::vector<std::string> lines = {})
{
    return InterpretSettings(
        [&slots](std::int32_t slot) {
            const auto found = slots.find(slot);
            return found == slots.end() ? 0 : found->second;
        },
        lines);
}

TEST(InterpretSettings, AFreshMachineReadsAsAllZero)
{
    const ResidentSettings s = Interpret({});
    EXPECT_FALSE(s.autoClean);
    EXPECT_EQ(s.minPercent, 15);
    EXPECT_EQ(s.everyMinutes, 5);
    EXPECT_EQ(s.maxTries, 2);
    EXPECT_EQ(s.freeMB, 0);
    EXPECT_FALSE(s.openShellAtStart);
    EXPECT_FALSE(s.clearAtStart);
    EXPECT_EQ(s.hotFast, 0);
    for (const std::string& path : s.categoryPath) {
        EXPECT_EQ(path, "");
    }
}

TEST(InterpretSettings, ValuesOutsideTheControlsRangesFallBack)
{
    const struct {
        std::int32_t slot;
        std::int32_t value;
        std::int32_t ResidentSettings::*field;
        std::int32_t expected;
    } cases[] = {
        {slotMinProc, 40, &ResidentSettings::minPercent, 40},  {slotMinProc, 4, &ResidentSettings::minPercent, 15},
        {slotMinProc, 101, &ResidentSettings::minPercent, 15}, {slotEvery, 60, &ResidentSettings::everyMinutes, 60},
        {slotEvery, 0, &ResidentSettings::everyMinutes, 5},    {slotEvery, -1, &ResidentSettings::everyMinutes, 5},
        {slotMaxTry, 5, &ResidentSettings::maxTries, 5},       {slotMaxTry, 6, &ResidentSettings::maxTries, 2},
        {slotFree, 300, &ResidentSettings::freeMB, 300},       {slotFree, -300, &ResidentSettings::freeMB, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Interpret({{c.slot, c.value}}).*c.field, c.expected) << c.slot << " = " << c.value;
    }
}

TEST(InterpretSettings, FlagsCountOnlyAsOneAndHotKeysOnlyAsLetters)
{
    ResidentSettings s = Interpret(
        {{slotAuto, 2}, {slotRunShell, 1}, {slotTrayMem, 1}, {slotHot1, 'Q'}, {slotHot2, 'w'}, {slotHot3, 'S' + 256}});
    EXPECT_FALSE(s.autoClean);
    EXPECT_TRUE(s.openShellAtStart);
    EXPECT_TRUE(s.trayShowsFree);
    EXPECT_EQ(s.hotFast, 'Q');
    EXPECT_EQ(s.hotAutoOn, 0);
    EXPECT_EQ(s.hotAutoOff, 0);
}

TEST(InterpretSettings, CategoriesTakeTheirLines)
{
    const ResidentSettings s =
        Interpret({{slotSubdir, 1}}, {"C:\\ding.wav", "C:\\TEMP", "C:\\Cache", "C:\\Cookies", "C:\\Mine", "bg.jpg"});
    EXPECT_EQ(s.soundFile, "C:\\ding.wav");
    EXPECT_EQ(s.categoryPath[hcTemp], "C:\\TEMP");
    EXPECT_EQ(s.categoryPath[hcInternet], "C:\\Cache");
    EXPECT_EQ(s.categoryPath[hcCookies], "C:\\Cookies");
    EXPECT_EQ(s.categoryPath[hcDir], "C:\\Mine");
    EXPECT_EQ(s.categoryPath[hcHistory], ""); // line 6 missing
    EXPECT_TRUE(WithSubdirectories(s, hcDir));
    EXPECT_FALSE(WithSubdirectories(Interpret({}), hcDir));
    EXPECT_TRUE(WithSubdirectories(Interpret({}), hcTemp));
}

TEST(AutoCleaning, IsDueOnlyWhenOnAndFreeMemoryIsBelowTheShare)
{
    ResidentSettings s = Interpret({{slotAuto, 1}, {slotMinProc, 20}});
    constexpr std::uint64_t MB = 1u << 20;
    EXPECT_TRUE(AutoCleaningDue(s, 100 * MB, 19 * MB));
    EXPECT_FALSE(AutoCleaningDue(s, 100 * MB, 20 * MB));
    EXPECT_FALSE(AutoCleaningDue(s, 0, 0));
    // Beyond 32 bits the products must not wrap.
    EXPECT_TRUE(AutoCleaningDue(s, 4096 * MB, 800 * MB));
    EXPECT_FALSE(AutoCleaningDue(s, 4096 * MB, 900 * MB));
    s.autoClean = false;
    EXPECT_FALSE(AutoCleaningDue(s, 100 * MB, 1 * MB));
}

TEST(AutoCleaning, AmountsFallBackToSharesOfMemory)
{
    const ResidentSettings unset = Interpret({});
    EXPECT_EQ(AutoCleaningMegabytes(unset, 256), 76);
    EXPECT_EQ(PopupMegabytes(unset, 0, 256), 64);
    EXPECT_EQ(PopupMegabytes(unset, 1, 256), 128);
    EXPECT_EQ(PopupMegabytes(unset, 2, 256), 170);
    EXPECT_EQ(PopupMegabytes(unset, 0, 2), 1); // never a zero amount
    const ResidentSettings set = Interpret({{slotFree, 40}, {slotPopup1, 10}, {slotPopup2, 20}, {slotPopup3, 30}});
    EXPECT_EQ(AutoCleaningMegabytes(set, 256), 40);
    EXPECT_EQ(PopupMegabytes(set, 0, 256), 10);
    EXPECT_EQ(PopupMegabytes(set, 1, 256), 20);
    EXPECT_EQ(PopupMegabytes(set, 2, 256), 30);
}

TEST(LoadSettings, ReadsBothFilesOfTheDirectory)
{
    test::TempDir dir;
    WriteConf(dir.File("Conf.dat"), slotAuto, 1);
    WriteConf(dir.File("Conf.dat"), slotHot2, 'W');
    WriteConfStr(dir.File("ConfStr.dat"), {"", "C:\\T", "", "", "C:\\D", "", "C:\\H"});
    const ResidentSettings s = LoadSettings(dir.Path());
    EXPECT_TRUE(s.autoClean);
    EXPECT_EQ(s.hotAutoOn, 'W');
    EXPECT_EQ(s.categoryPath[hcTemp], "C:\\T");
    EXPECT_EQ(s.categoryPath[hcDir], "C:\\D");
    EXPECT_EQ(s.categoryPath[hcHistory], "C:\\H");
}

} // namespace
} // namespace klarvo::resident
