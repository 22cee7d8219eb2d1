#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "win/Gdi.h"
#include "shell_fixture.h"
#include "support/GdiCount.h"

using namespace klarvo;
using namespace klarvo::test;
using testing::ElementsAre;
using testing::Pair;

namespace {

std::string SystemTempLine()
{
    char path[MAX_PATH] = {};
    GetTempPathA(sizeof path, path);
    std::string line = path;
    line.pop_back();
    return line;
}

TEST_F(ShellTest, FirstStartWritesTheDefaultsForThisMachineAndOpensOnInfo)
{
    for (const bool withSound : {false, true}) {
        SCOPED_TRACE(withSound ? "default.wav beside the program" : "no default.wav");
        DeleteFileA(dir.File("Conf.dat").c_str());
        DeleteFileA(dir.File("ConfStr.dat").c_str());
        if (withSound) {
            WriteText(dir.File("default.wav"), "RIFF");
        }
        cleaner.commands.clear();
        Tfmshell& s = Start();

        for (const SlotInfo& info : SlotTable()) {
            EXPECT_EQ(ReadConf(dir.File("Conf.dat"), info.slot), FirstRunDefault(info, 65, withSound))
                << "slot " << info.slot << " (" << info.control << ")";
        }
        const std::string sound = withSound ? dir.File("default.wav") : "";
        EXPECT_EQ(ReadText(dir.File("ConfStr.dat")), sound + "\r\n" + SystemTempLine() + "\r\n\r\n\r\n\r\n\r\n\r\n");
        EXPECT_EQ(AutorunValue(), dir.File("Klarvo.exe"));
        EXPECT_THAT(cleaner.commands, ElementsAre(Pair(cmdReloadSettings, 0), Pair(cmdReportStatus, 0)));
        EXPECT_TRUE(messages.empty()) << (messages.empty() ? "" : messages.front());

        ExpectOnPage(0);
        EXPECT_FALSE(Apply().Enabled());
        EXPECT_FALSE(Apply().Visible());
        EXPECT_EQ(s.Height(), 328);
        EXPECT_EQ(s.Values().helpTopicCount, 5);
        EXPECT_EQ(App().Title(), "Klarvo ver 3.1  Shell");
        EXPECT_EQ(s.Caption(), "Klarvo ver 3.1  Shell");
        // An empty background line points the picture dialog at the
        // pictures beside the program.
        EXPECT_EQ(Text("fewall"), dir.Path() + "backgrounds\\");
    }
}

TEST_F(ShellTest, RunTimeGeometryOverridesTheStoredDesign)
{
    Tfmshell& s = Start();
    EXPECT_EQ(s.Height(), 328);
    EXPECT_EQ(Get<Control>("pc").Left(), -4);
    EXPECT_EQ(Get<Control>("pc").Top(), -30);
    EXPECT_EQ(Apply().Top(), 299);
    EXPECT_EQ(Get<Control>("imfr").Width(), 500);
    EXPECT_EQ(Get<Control>("imfr").Height(), 100);
    ForEachComponent(&s, [](Component* c) {
        if (auto* button = dynamic_cast<TGradBtn*>(c)) {
            EXPECT_EQ(button->TextStyle(), tsNormal) << button->Name();
        }
    });
}

TEST_F(ShellTest, EitherSettingsFileMissingRerunsTheFirstRun)
{
    for (const char* missing : {"ConfStr.dat", "Conf.dat"}) {
        SCOPED_TRACE(std::string("missing ") + missing);
        Start();
        shell.reset();
        WriteConf(dir.File("Conf.dat"), slotMinProc, 77);
        WriteConf(dir.File("Conf.dat"), 30, 5); // no setting of the shell
        DeleteFileA(dir.File(missing).c_str());
        cleaner.commands.clear();

        Start();
        EXPECT_EQ(ReadConf(dir.File("Conf.dat"), slotMinProc), 15) << "existing slots are overwritten";
        EXPECT_EQ(Position("udminproc"), 15);
        EXPECT_TRUE(FileExists(dir.File("ConfStr.dat")));
        EXPECT_EQ(cleaner.commands.front(), std::make_pair(std::int32_t{cmdReloadSettings}, 0));
        if (std::string(missing) == "ConfStr.dat") {
            EXPECT_EQ(ReadConf(dir.File("Conf.dat"), 30), 5) << "slots without a setting are left alone";
        }
    }
}

TEST_F(ShellTest, StartArgumentChoosesThePageAndNegativeMeansTheFirst)
{
    const std::pair<const char*, int> cases[] = {{"4", 4},   {"20", 6}, {"0", 0}, {"", 0},
                                                 {"abc", 0}, {"-3", 0}, {"2", 2}};
    for (const auto& [argument, page] : cases) {
        SCOPED_TRACE(std::string("argument \"") + argument + "\"");
        Tfmshell& s = Start(argument);
        EXPECT_EQ(s.StartPage(), page);
        ExpectOnPage(page);
        const bool settingsPage = page >= 1 && page <= 4;
        EXPECT_EQ(Apply().Visible(), settingsPage);
        EXPECT_FALSE(Apply().Enabled());
    }
}

// Every control a setting is stored from, each set away from its default,
// and what a fresh start shows of it: some settings do not come back as set.
struct Ticked {
    const char* name;
    bool on, loaded;
};
struct Positioned {
    const char* name;
    int value;
};
struct Written {
    const char* name;
    const char* text;
    const char* loaded;
};
constexpr Ticked kTicks[] = {
    {"cbauto", false, false},     {"rbfast", true, true},      {"cbautorun", false, false},
    {"cbnorunshell", true, true}, {"cbtraymem", false, false}, {"cbsound", true, true},
    {"cbtemp", false, false},     {"cbinternet", true, true},  {"cbcookies", false, false},
    {"cbdir", true, true},        {"cbsubdir", true, true},    {"cbclearselect", true, true},
    {"cbwall", true, true},       {"cbhistory", false, false}, {"cbhot1", true, false},
    {"cbhot2", true, true},       {"cbhot3", false, false},
};
constexpr Positioned kPositions[] = {
    {"udminproc", 45}, {"udfree", 30},   {"udevery", 17},  {"udmaxtry", 4},
    {"udpopup1", 11},  {"udpopup2", 22}, {"udpopup3", 33},
};
constexpr Written kTexts[] = {
    {"edhot1", "", ""}, // ticked but empty: no hot key
    {"edhot2", "W", "W"},
    {"edhot3", "S", ""}, // a letter without its box: none
    {"fesound", "C:\\sounds\\ding.wav", "C:\\sounds\\ding.wav"},
    {"dedir", "C:\\junk", "C:\\junk"},
    {"fewall", "C:\\pictures\\none.jpg", "C:\\pictures\\none.jpg"},
};

void SetEverySetting(Tfmshell& s)
{
    for (const Ticked& t : kTicks) {
        Need<TIACheckControl>(s, t.name).SetChecked(t.on);
    }
    for (const Positioned& p : kPositions) {
        Need<UpDown>(s, p.name).SetPosition(p.value);
    }
    Need<SpeedButton>(s, "sb7").SetDown(true);
    s.Pages().ram.sb1Click(&Need<SpeedButton>(s, "sb7"));
    for (const Written& w : kTexts) {
        Need<Control>(s, w.name).SetText(w.text);
    }
}

void ExpectEverySettingLoaded(Tfmshell& s)
{
    for (const Ticked& t : kTicks) {
        EXPECT_EQ(Need<TIACheckControl>(s, t.name).Checked(), t.loaded) << t.name;
    }
    EXPECT_FALSE(Need<TIACheckControl>(s, "rbfull").Checked());
    for (const Positioned& p : kPositions) {
        if (std::string(p.name) != "udfree") {
            EXPECT_EQ(Need<UpDown>(s, p.name).Position(), p.value) << p.name;
        }
    }
    EXPECT_EQ(Need<UpDown>(s, "udfree").Position(), 29) << "38 MB of 129 is 29 %";
    EXPECT_TRUE(Need<SpeedButton>(s, "sb7").Down());
    EXPECT_FALSE(Need<SpeedButton>(s, "sb5").Down());
    for (const Written& w : kTexts) {
        EXPECT_EQ(Need<Control>(s, w.name).Text(), w.loaded) << w.name;
    }
    EXPECT_FALSE(Need<Control>(s, "nbapply").Enabled());
}

TEST_F(ShellTest, ApplyWritesEverySlotAndLineAndLoadingBringsThemBack)
{
    memory.Set(129, 40);
    Tfmshell& s = Start();
    SetEverySetting(s);
    ASSERT_TRUE(Apply().Enabled());
    cleaner.commands.clear();

    s.nbapplyClick(nullptr);

    const std::pair<Slot, std::int32_t> stored[] = {
        {slotAuto, 0},        {slotMinProc, 45}, {slotFree, 38},   {slotFastOnly, 1},    {slotEvery, 17},
        {slotMaxTry, 4},      {slotPopup1, 11},  {slotPopup2, 22}, {slotPopup3, 33},     {slotAutorun, 0},
        {slotRunShell, 0},    {slotTrayMem, 0},  {slotHot1, 0},    {slotRamPercent, 70}, {slotSound, 1},
        {slotTemp, 0},        {slotInternet, 1}, {slotCookies, 0}, {slotDir, 1},         {slotSubdir, 1},
        {slotClearSelect, 1}, {slotWall, 1},     {slotHistory, 0}, {slotHot2, 87},       {slotHot3, 0},
    };
    ASSERT_EQ(std::size(stored), SlotTable().size());
    for (const auto& [slot, value] : stored) {
        EXPECT_EQ(ReadConf(dir.File("Conf.dat"), slot), value) << "slot " << slot;
    }
    const std::vector<std::string> lines = ReadConfStr(dir.File("ConfStr.dat"));
    EXPECT_THAT(
        lines, ElementsAre("C:\\sounds\\ding.wav", SystemTempLine(), "", "", "C:\\junk", "C:\\pictures\\none.jpg", ""));
    EXPECT_EQ(AutorunValue(), std::nullopt) << "autorun off deletes the value";
    EXPECT_THAT(cleaner.commands, ElementsAre(Pair(cmdReloadSettings, 0)));
    EXPECT_FALSE(Apply().Enabled());

    Start();
    EXPECT_EQ(shell->Values().ramPercent, 70);
    ExpectEverySettingLoaded(*shell);
}

TEST_F(ShellTest, LoadingOddStoredValues)
{
    Start();
    shell.reset();
    const std::string conf = dir.File("Conf.dat");
    WriteConf(conf, slotRamPercent, 5);    // no button stands for it
    WriteConf(conf, slotFastOnly, 7);      // neither method
    WriteConf(conf, slotHot1, 0x171);      // the low byte is the letter
    WriteConf(conf, slotFree, 2000000000); // a damaged amount must not crash the percent
    WriteConfStr(dir.File("ConfStr.dat"), {"C:\\a.wav", "", "", ""});
    Start();
    EXPECT_EQ(shell->Values().ramPercent, 5);
    EXPECT_TRUE(Get<SpeedButton>("sb5").Down()) << "the design's button stays down";
    EXPECT_FALSE(Get<TIACheckControl>("rbfast").Checked());
    EXPECT_FALSE(Get<TIACheckControl>("rbfull").Checked());
    EXPECT_TRUE(Get<TIACheckControl>("cbhot1").Checked());
    EXPECT_EQ(Text("edhot1"), "q");
    EXPECT_GE(Position("udfree"), 5) << "held to the arrows' range";
    EXPECT_LE(Position("udfree"), 100);
    EXPECT_EQ(Text("fesound"), "C:\\a.wav");
    EXPECT_EQ(Text("dedir"), "") << "a short file stops before the directory";
    EXPECT_EQ(Text("fewall"), dir.Path() + "backgrounds\\");
}

TEST_F(ShellTest, RefreshTickReportsToTheCleanerAndMeasuresMemory)
{
    Tfmshell& s = Start();
    const std::uint16_t before = s.Values().freeRamHistory.Newest();
    memory.Set(129, 64);
    cleaner.commands.clear();
    s.tmrefreshTimer(nullptr);
    EXPECT_THAT(cleaner.commands, ElementsAre(Pair(cmdReportStatus, 0)));
    const FreeRamHistory& history = s.Values().freeRamHistory;
    EXPECT_EQ(history.Newest(), 64);
    EXPECT_EQ(history[FreeRamHistory::kSamples - 2], before) << "the Info page took the figures once";
    EXPECT_EQ(Text("lball"), "129 MB");
    EXPECT_EQ(Text("lbfree"), "64 MB");
    EXPECT_EQ(Text("lbfree2"), "49 %");
    EXPECT_EQ(s.Values().totalRamMB, 129);

    s.StopRefreshTimer();
    EXPECT_FALSE(Get<Timer>("tmrefresh").Enabled());
}

TEST_F(ShellTest, ShowingTheWindowAsksForAReport)
{
    Start();
    cleaner.commands.clear();
    ShowShell();
    ASSERT_FALSE(cleaner.commands.empty());
    EXPECT_EQ(cleaner.commands.front(), std::make_pair(std::int32_t{cmdReportStatus}, 0));
}

TEST_F(ShellTest, ShowPageNotification)
{
    Tfmshell& s = Start("1");
    ShowShell();
    const std::pair<LPARAM, int> cases[] = {{9, 6}, {2, 2}, {-1, 2}, {0, 0}, {6, 6}};
    for (const auto& [value, page] : cases) {
        SCOPED_TRACE("page " + std::to_string(value));
        SendMessageA(s.Handle(), WM_SHELLNOTIFY, ntShowPage, value);
        ExpectOnPage(page);
    }

    ShowWindow(s.Handle(), SW_MINIMIZE);
    SendMessageA(s.Handle(), WM_SHELLNOTIFY, ntShowPage, -1);
    EXPECT_TRUE(IsIconic(s.Handle())) << "a negative page is ignored entirely";
    SendMessageA(s.Handle(), WM_SHELLNOTIFY, ntShowPage, 3);
    Pump();
    EXPECT_FALSE(IsIconic(s.Handle()));
    ExpectOnPage(3);
}

TEST_F(ShellTest, AutoChangedReplacesTheUnappliedSwitchWithTheStoredOne)
{
    Tfmshell& s = Start();
    WriteConf(dir.File("Conf.dat"), slotAuto, 0);
    Get<TIACheckControl>("cbauto").SetChecked(true);
    ASSERT_FALSE(Apply().Enabled());

    SendMessageA(s.Handle(), WM_SHELLNOTIFY, ntAutoChanged, 0);
    EXPECT_FALSE(Get<TIACheckControl>("cbauto").Checked());
    EXPECT_FALSE(Enabled("ndevery")) << "the page follows the switch";
    EXPECT_TRUE(Apply().Enabled());

    WriteConf(dir.File("Conf.dat"), slotAuto, 1);
    SendMessageA(s.Handle(), WM_SHELLNOTIFY, ntAutoChanged, 0);
    EXPECT_TRUE(Get<TIACheckControl>("cbauto").Checked());
    EXPECT_TRUE(Enabled("ndevery"));
}

TEST_F(ShellTest, OtherNotificationsGoToTheirPagesAndUnknownCodesNowhere)
{
    Tfmshell& s = Start();
    auto shown = [&] {
        return std::vector<std::string>{Text("lbcleanlast"), Text("lbcleanall"), Text("lbtime"),
                                        std::to_string(Get<ProgressBar>("pbram").Position())};
    };
    for (const auto& [code, value] : std::vector<std::pair<WPARAM, LPARAM>>{
             {ntLastEffect, 5120}, {ntTotalEffect, -1}, {ntTimeSince, 3725}, {ntRamProgress, 40}}) {
        SendMessageA(s.Handle(), WM_SHELLNOTIFY, code, value);
    }
    const std::vector<std::string> reported = {"5 MB (5120 KB)", "? ? ?", "1:02:05  ago", "40"};
    EXPECT_EQ(shown(), reported);
    for (WPARAM unknown : {7, 0}) {
        SendMessageA(s.Handle(), WM_SHELLNOTIFY, unknown, 1);
    }
    EXPECT_EQ(shown(), reported);
}

TEST_F(ShellTest, HelpIndexHasALabelPerTitle)
{
    Tfmshell& s = Start();
    EXPECT_EQ(s.Values().helpTopicCount, 5);
    auto& pc = Get<PageControl>("pc");
    auto* first = dynamic_cast<Control*>(pc.FindComponent("lbind0"));
    auto* last = dynamic_cast<Control*>(pc.FindComponent("lbind4"));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(first->Caption(), "What is Klarvo ?");
    EXPECT_EQ(first->Parent(), &Get<WinControl>("tshelp"));
    EXPECT_EQ(last->Left(), 20);
    EXPECT_EQ(last->Top(), 200);
    EXPECT_EQ(pc.FindComponent("lbind5"), nullptr);
}

TEST_F(ShellTest, HoursOfRefreshTicksKeepTheGdiCountFlat)
{
    Tfmshell& s = Start();
    s.StopRefreshTimer();
    ShowShell();
    constexpr int kTicksPerHour = 3600 * 2;
    ExpectGdiCountFlat({"three hours of the shell's refresh ticks",
                        [&] {
                            for (int i = 0; i < 20; ++i) {
                                s.tmrefreshTimer(nullptr);
                                s.Repaint();
                            }
                            Pump();
                        },
                        [&](int tick) {
                            s.tmrefreshTimer(nullptr);
                            if (tick % 200 == 0) {
                                s.Repaint();
                                Pump();
                            }
                        },
                        3 * kTicksPerHour});
}

} // namespace
