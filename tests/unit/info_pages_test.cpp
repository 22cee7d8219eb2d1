#include <gtest/gtest.h>

#include "pages/FreeRamPages.h"
#include "settings/SlotTable.h"

#include <string>

using namespace klarvo;

namespace {

TEST(RamPages, MegabyteLabelsFromPercentAndTotal)
{
    EXPECT_EQ(PercentMBLabel(15, 65), "%  (9 MB)");
    EXPECT_EQ(PercentMBLabel(30, 65), "%  (19 MB)");
    EXPECT_EQ(PercentMBLabel(100, 129), "%  (129 MB)");
    EXPECT_EQ(PercentMBLabel(5, 1), "%  (0 MB)");
    EXPECT_EQ(PercentMBLabel(100, 4096), "%  (4096 MB)");

    EXPECT_EQ(FreeUpLabel(50, 65), " = 32 MB");
    EXPECT_EQ(FreeUpLabel(10, 65), " = 6 MB");
    EXPECT_EQ(FreeUpLabel(100, 4096), " = 4096 MB");
    EXPECT_EQ(PercentOfTotalMB(50, 65), 32); // what "Start !" asks to free
}

TEST(RamPages, PercentButtonsSetTheShareAndNoButtonKeepsIt)
{
    EXPECT_EQ(RamPercentAfterClick(1, 50), 10);
    EXPECT_EQ(RamPercentAfterClick(10, 50), 100);
    EXPECT_EQ(RamPercentAfterClick(5, 50), 50); // the button already down
    EXPECT_EQ(RamPercentAfterClick(-1, 70), 70);
}

TEST(RamPages, PopupMaximumIsTheDesignValueUntilTheRamPageIsShown)
{
    EXPECT_EQ(PopupMaximum(false, 4096), 2000);
    EXPECT_EQ(PopupMaximum(false, 65), 2000);
    EXPECT_EQ(PopupMaximum(true, 65), 65);
    EXPECT_EQ(PopupMaximum(true, 4096), 4096);
}

TEST(RamPages, DefaultSettingsForSmallAndLargeMachines)
{
    // What the pages' "Default setting" buttons put into the controls.
    auto shown = [](Slot slot, std::int32_t totalRamMB) { return ShownDefault(*FindSlot(slot), {totalRamMB, false}); };
    const struct {
        std::int32_t totalRamMB, popup1, popup2, popup3;
    } machines[] = {{65, 16, 32, 43}, {4096, 1024, 2048, 2730}, {1, 0, 0, 0}};
    for (const auto& m : machines) {
        EXPECT_EQ(shown(slotPopup1, m.totalRamMB), m.popup1);
        EXPECT_EQ(shown(slotPopup2, m.totalRamMB), m.popup2);
        EXPECT_EQ(shown(slotPopup3, m.totalRamMB), m.popup3);
        EXPECT_EQ(shown(slotMaxTry, m.totalRamMB), 2);
        EXPECT_EQ(shown(slotRamPercent, m.totalRamMB), 50);
    }

    // The auto page's defaults do not depend on the machine.
    for (std::int32_t total : {65, 4096}) {
        EXPECT_EQ(shown(slotAuto, total), 1);
        EXPECT_EQ(shown(slotFastOnly, total), 0) << "rbfull, \"Fast & usual; try free up\"";
        EXPECT_EQ(shown(slotMinProc, total), 15);
        EXPECT_EQ(shown(slotEvery, total), 5);
        EXPECT_EQ(shown(slotFree, total), 30);
    }
    EXPECT_EQ(PercentMBLabel(shown(slotMinProc, 65), 65), "%  (9 MB)");
    EXPECT_EQ(PercentMBLabel(shown(slotFree, 4096), 4096), "%  (1228 MB)");
}

// Every control of the auto page, in page order, with whether it is a frame
// and whether it can be used with automatic cleaning off or on, with the
// fast or the full method chosen: the switch, its panel, the frames and the
// defaults button stay usable; the amount only with the full method.
struct AutoPageRow {
    const char* name;
    bool bevel;
    bool offFast, offFull, onFast, onFull;
};
const AutoPageRow kAutoPageControls[] = {
    {"pb2", false, true, true, true, true},         {"Bevel2", true, true, true, true, true},
    {"Bevel6", true, true, true, true, true},       {"Bevel7", true, true, true, true, true},
    {"cbauto", false, true, true, true, true},      {"Label3", false, false, false, true, true},
    {"lbper1", false, false, false, true, true},    {"ndevery", false, false, false, true, true},
    {"udevery", false, false, false, true, true},   {"lbper2", false, false, false, true, true},
    {"ndminproc", false, false, false, true, true}, {"udminproc", false, false, false, true, true},
    {"lbminmb", false, false, false, true, true},   {"Label4", false, false, false, true, true},
    {"rbfull", false, false, false, true, true},    {"ndfree", false, false, false, false, true},
    {"udfree", false, false, false, false, true},   {"lbfr", false, false, false, false, true},
    {"rbfast", false, false, false, true, true},    {"nbdeffastram", false, true, true, true, true},
};

TEST(AutoRamPage, GreyingForEverySwitchAndMethod)
{
    for (const AutoPageRow& c : kAutoPageControls) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(AutoPageControlEnabled(c.name, c.bevel, false, false), c.offFast);
        EXPECT_EQ(AutoPageControlEnabled(c.name, c.bevel, false, true), c.offFull);
        EXPECT_EQ(AutoPageControlEnabled(c.name, c.bevel, true, false), c.onFast);
        EXPECT_EQ(AutoPageControlEnabled(c.name, c.bevel, true, true), c.onFull);
    }
    const struct {
        bool autoOn, full, conditions, amount;
    } kSwitches[] = {{false, false, false, false},
                     {false, true, false, false},
                     {true, false, true, false},
                     {true, true, true, true}};
    for (const auto& w : kSwitches) {
        const AutoPageEnabling e = AutoPageEnablingFor(w.autoOn, w.full);
        EXPECT_EQ(e.conditions, w.conditions);
        EXPECT_EQ(e.amount, w.amount);
    }
}

TEST(AutoRamPage, OnlyTheNamedControlsAndFramesAreLeftAlone)
{
    EXPECT_FALSE(FollowsAutoSwitch("cbauto", false));
    EXPECT_FALSE(FollowsAutoSwitch("Bevel9", true));
    EXPECT_TRUE(FollowsAutoSwitch("Bevel9", false)); // a name alone does not make a frame
    EXPECT_TRUE(FollowsAutoSwitch("cbauto2", false));
    EXPECT_TRUE(IsAmountControl("lbfr"));
    EXPECT_FALSE(IsAmountControl("lbfree"));
}

} // namespace
