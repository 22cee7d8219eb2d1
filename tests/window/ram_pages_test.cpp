#include <gtest/gtest.h>

#include "controls/NDigitEdit.h"
#include "framework/window/Messages.h"
#include "shell_fixture.h"

using namespace klarvo;
using namespace klarvo::test;

namespace {

class RamPagesTest : public ShellTest {
protected:
    void StartOn(int page, std::int32_t totalRamMB)
    {
        memory.Set(totalRamMB, totalRamMB / 2);
        Start(std::to_string(page));
        ShowShell();
        cleaner.commands.clear();
    }
};

TEST_F(RamPagesTest, EveryHandlerOfTheDescriptionIsBound)
{
    // A name that no page has stops the window as it loads.
    EXPECT_NO_THROW(StartOn(0, 65));
    ShellOptions options;
    options.memory = &memory;
    options.formText = FormResource("SHELL_FORM");
    options.formText.replace(options.formText.find("= nbapplyClick"), 14, "= nbapplyClack");
    EXPECT_THROW(Tfmshell{options}, FormError);
}

TEST_F(RamPagesTest, DefaultSettingFollowsTheMachinesMemory)
{
    const struct {
        std::int32_t total;
        const char* minMB;
        const char* freeMB;
        int popup1, popup2, popup3;
        const char* freeUp;
    } machines[] = {
        {65, "%  (9 MB)", "%  (19 MB)", 16, 32, 43, " = 32 MB"},
        {4096, "%  (614 MB)", "%  (1228 MB)", 1024, 2048, 2730, " = 2048 MB"},
    };
    for (const auto& m : machines) {
        SCOPED_TRACE(m.total);
        StartOn(2, m.total); // the RAM page shown: popup maxima follow the memory
        Get<TIACheckControl>("cbauto").SetChecked(false);
        Get<TIACheckControl>("rbfast").SetChecked(true);
        Get<UpDown>("udminproc").SetPosition(50);
        Get<UpDown>("udfree").SetPosition(50);
        Get<SpeedButton>("sb1").Click();
        Apply().SetEnabled(false);

        Get<TGradBtn>("nbdeffastram").Click();
        EXPECT_TRUE(Get<TIACheckControl>("cbauto").Checked());
        EXPECT_TRUE(Get<TIACheckControl>("rbfull").Checked());
        EXPECT_FALSE(Get<TIACheckControl>("rbfast").Checked());
        EXPECT_EQ(Position("udevery"), 5);
        EXPECT_EQ(Position("udminproc"), 15);
        EXPECT_EQ(Position("udfree"), 30);
        EXPECT_EQ(Text("lbminmb"), m.minMB);
        EXPECT_EQ(Text("lbfr"), m.freeMB);
        for (const char* name : {"ndfree", "udfree", "lbfr", "ndevery", "rbfast"}) {
            EXPECT_TRUE(Enabled(name)) << name;
        }

        Get<TGradBtn>("nbdefram").Click();
        EXPECT_EQ(Position("udpopup1"), m.popup1);
        EXPECT_EQ(Position("udpopup2"), m.popup2);
        EXPECT_EQ(Position("udpopup3"), m.popup3);
        EXPECT_EQ(Position("udmaxtry"), 2);
        EXPECT_TRUE(Get<SpeedButton>("sb5").Down());
        EXPECT_FALSE(Get<SpeedButton>("sb1").Down());
        EXPECT_EQ(shell->Values().ramPercent, 50);
        EXPECT_EQ(Text("lbfreemb"), m.freeUp);
        EXPECT_TRUE(Apply().Enabled());
    }
}

TEST_F(RamPagesTest, MegabyteLabelsFollowTheirPercentages)
{
    StartOn(1, 129);
    const struct {
        const char* updown;
        const char* label;
        int percent;
        const char* text;
    } cases[] = {
        {"udfree", "lbfr", 100, "%  (129 MB)"},
        {"udfree", "lbfr", 5, "%  (6 MB)"},
        {"udminproc", "lbminmb", 100, "%  (129 MB)"},
        {"udminproc", "lbminmb", 35, "%  (45 MB)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Get<UpDown>(c.updown).SetPosition(c.percent);
        EXPECT_EQ(Text(c.label), c.text);
    }
}

TEST_F(RamPagesTest, ShowingTheRamPageSetsThePopupMaximaAndKeepsApply)
{
    StartOn(0, 65);
    Get<UpDown>("udpopup3").SetPosition(1500);
    EXPECT_EQ(Position("udpopup3"), 1500); // the design maximum until shown
    shell->Pages().chrome.SelectPage(2);
    for (const char* name : {"udpopup1", "udpopup2", "udpopup3"}) {
        EXPECT_EQ(Get<UpDown>(name).Max(), 65) << name;
    }
    EXPECT_EQ(Position("udpopup3"), 65);
    EXPECT_EQ(Text("lbfreemb"), " = 32 MB");
    EXPECT_FALSE(Apply().Enabled());
    EXPECT_TRUE(Apply().Visible());
}

TEST_F(RamPagesTest, StartSendsTheChosenShareOfMemory)
{
    StartOn(2, 65);
    auto& start = Get<TGradBtn>("nbramstart");
    start.Click();
    Get<SpeedButton>("sb1").Click();
    start.Click();
    Get<SpeedButton>("sb10").Click();
    start.Click();
    const std::vector<std::pair<std::int32_t, std::int32_t>> expected = {
        {cmdFreeRam, 32}, {cmdFreeRam, 6}, {cmdFreeRam, 65}};
    EXPECT_EQ(cleaner.commands, expected);
    // Starting does not disable the button; a progress report does.
    EXPECT_TRUE(start.Enabled());
}

TEST_F(RamPagesTest, ProgressEndsWithTheTimerAndReturnsToInfoOnlyFromTheRamPage)
{
    for (int page : {2, 4}) {
        SCOPED_TRACE(page);
        StartOn(2, 65);
        auto& start = Get<TGradBtn>("nbramstart");
        auto& bar = Get<ProgressBar>("pbram");
        auto& hide = Get<Timer>("tmhide");

        Notify(ntRamProgress, 30);
        EXPECT_FALSE(start.Enabled());
        EXPECT_EQ(bar.Position(), 30);
        EXPECT_TRUE(hide.Enabled());
        Notify(ntRamProgress, 70);
        EXPECT_FALSE(start.Enabled());
        EXPECT_EQ(bar.Position(), 70);
        EXPECT_TRUE(hide.Enabled());
        // Reports never reach the effect labels.
        EXPECT_EQ(Text("lbcleanlast"), "? ? ?");

        shell->Pages().chrome.SelectPage(page);
        hide.Fire();
        EXPECT_TRUE(start.Enabled());
        EXPECT_EQ(bar.Position(), 0);
        EXPECT_FALSE(hide.Enabled());
        EXPECT_EQ(ActivePage(), page == 2 ? 0 : page);
        EXPECT_TRUE(Get<TGradBtn>(page == 2 ? "nb1" : "nb5").DownLock());
    }
}

TEST_F(RamPagesTest, OnlyThePercentButtonUnderThePointerLooksRaised)
{
    StartOn(2, 65);
    for (const char* name : {"sb2", "sb3", "sb7"}) {
        Get<SpeedButton>(name).Perform(CM_MOUSEENTER, 0, 0);
    }
    auto& under = Get<SpeedButton>("sb3");
    ASSERT_TRUE(under.OnMouseMove);
    under.OnMouseMove(&under, ShiftState{}, 4, 4);
    for (int n = 1; n <= 10; ++n) {
        const std::string name = "sb" + std::to_string(n);
        EXPECT_EQ(Get<SpeedButton>(name).MouseInControl(), n == 3) << name;
    }
}

TEST_F(RamPagesTest, AutoPageGreyingFollowsTheSwitchAndTheMethod)
{
    StartOn(1, 65);
    const char* conditions[] = {"lbper1",  "lbper2",    "lbminmb",   "Label3", "Label4", "ndevery",
                                "udevery", "ndminproc", "udminproc", "rbfull", "rbfast"};
    const char* amount[] = {"ndfree", "udfree", "lbfr"};
    const char* always[] = {"cbauto", "nbdeffastram"};
    for (bool ticked : {false, true}) {
        for (bool full : {false, true}) {
            SCOPED_TRACE(testing::Message() << "auto " << ticked << " full " << full);
            Get<TIACheckControl>(full ? "rbfull" : "rbfast").SetChecked(true);
            Get<TIACheckControl>("cbauto").SetChecked(ticked);
            Apply().SetEnabled(false);
            shell->Pages().chrome.SelectPage(0);
            shell->Pages().chrome.SelectPage(1);
            for (const char* name : conditions) {
                EXPECT_EQ(Enabled(name), ticked) << name;
            }
            for (const char* name : amount) {
                EXPECT_EQ(Enabled(name), ticked && full) << name;
            }
            for (const char* name : always) {
                EXPECT_TRUE(Enabled(name)) << name;
            }
            EXPECT_FALSE(Apply().Enabled());
        }
    }
}

TEST_F(RamPagesTest, LaterRunShowsTheMegabytesOfTheLoadedPercentages)
{
    StartOn(0, 65); // the first run writes the defaults
    StartOn(1, 65); // this one loads them, equal to the built-in values
    EXPECT_EQ(Text("lbminmb"), "%  (9 MB)");
    // The amount is stored in megabytes: 30 % of 65 MB is 19 MB, which
    // reads back as 29 %, and 29 % of 65 MB is 18 MB.
    EXPECT_EQ(Get<TNDigitEdit>("ndfree").Value(), 29);
    EXPECT_EQ(Text("lbfr"), "%  (18 MB)");
}

} // namespace
