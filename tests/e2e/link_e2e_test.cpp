#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "link/CleanerLink.h"
#include "link/Messages.h"
#include "settings/ExeDir.h"
#include "standin/Standin.h"
#include "support/Desktop.h"
#include "support/FakeShell.h"
#include "support/ListeningShell.h"
#include "support/Patience.h"
#include "support/Process.h"
#include "support/Pump.h"
#include "support/ShellPlaces.h"
#include "support/TempDir.h"

using namespace klarvo;
using namespace klarvo::test;
using testing::ElementsAre;
using testing::IsEmpty;

namespace {

constexpr DWORD kPatienceMs = 10000;

// The notifications once `count` have arrived, or whatever came in the time.
std::vector<Notification> Take(ListeningShell& window, size_t count)
{
    window.WaitFor([&] { return window.received.size() >= count; }, kPatienceMs);
    return window.Take();
}

class LinkEndToEndTest : public testing::Test {
protected:
    void SetUp() override
    {
        const std::string built = FileArgument("standin");
        ASSERT_FALSE(built.empty()) << "run with --standin=<path of KlarvoStandin.exe>";
        ASSERT_EQ(FindWindowA(kCleanerWindowClass, nullptr), nullptr) << "a cleaner window is left from elsewhere";
        ASSERT_TRUE(CopyFileA(built.c_str(), dir.File("Klarvo.exe").c_str(), FALSE));
        originalExeDir = ExeDir();
        OverrideExeDir(dir.Path());
    }
    void TearDown() override
    {
        OverrideExeDir(originalExeDir);
        // The stand-in a test started ends, by force if it stays.
        EndProgramOfWindow(kCleanerWindowClass, kEndPatienceMs);
    }

    void Configure(const std::string& settings) { WriteText(dir.File(kStandinIni), "[standin]\r\n" + settings); }

    std::vector<std::string> Log() const { return ReadLines(dir.File(kStandinLog)); }

    // Every line the commands sent so far left: a marker command posted
    // behind them is handled after them, so once its line is in the log no
    // line of theirs is still on its way. The marker's line is left out.
    std::vector<std::string> LogSoFar()
    {
        constexpr WPARAM kMarker = 999;
        const std::string markerLine = "command " + std::to_string(kMarker) + " 0";
        PostMessageA(FindWindowA(kCleanerWindowClass, nullptr), WM_CLEANERCMD, kMarker, 0);
        ++markersSent;
        std::vector<std::string> log;
        WaitUntil(
            [&] {
                log = Log();
                return std::count(log.begin(), log.end(), markerLine) == markersSent;
            },
            kPatienceMs);
        log.erase(std::remove(log.begin(), log.end(), markerLine), log.end());
        return log;
    }

    TempDir dir;
    std::string originalExeDir;
    FakeShell shell;
    std::ptrdiff_t markersSent = 0;
};

TEST_F(LinkEndToEndTest, CleanerStartedThroughTheShellVerbReceivesTheCommands)
{
    Configure("delay=0\r\n");
    SendToCleaner(shell, cmdReportStatus, 0);
    EXPECT_THAT(shell.calls, IsEmpty());
    EXPECT_NE(FindWindowA(kCleanerWindowClass, nullptr), nullptr);
    EXPECT_THAT(LogSoFar(), ElementsAre("started", "command 3 0"));

    // Now it runs: later commands go straight to it, one post each.
    SendToCleaner(shell, cmdFreeRam, -1);
    SendToCleaner(shell, cmdClearHdd, hcHistory);
    EXPECT_THAT(LogSoFar(), ElementsAre("started", "command 3 0", "command 5 -1", "command 6 4"));
    EXPECT_THAT(shell.calls, IsEmpty());
}

TEST_F(LinkEndToEndTest, CleanerWhoseWindowIsLateIsWaitedFor)
{
    Configure("delay=800\r\n");
    CountingCleaner system;
    SendToCleaner(shell, system, cmdReloadSettings, 0);
    EXPECT_THAT(shell.calls, IsEmpty());
    EXPECT_GT(system.runResult, 32);
    EXPECT_GE(system.sleeps, 8) << "the window cannot be there before 0.8 s";
    EXPECT_LT(system.sleeps, kCleanerPolls);
    RecordProperty("polls", system.sleeps);
    EXPECT_THAT(LogSoFar(), ElementsAre("started", "command 1 0"));
}

TEST_F(LinkEndToEndTest, MissingProgramEndsTheShellWithoutStartingAnything)
{
    ASSERT_TRUE(DeleteFileA(dir.File("Klarvo.exe").c_str()));
    CountingCleaner system;
    SendToCleaner(shell, system, cmdReportStatus, 0);
    EXPECT_THAT(shell.calls, ElementsAre("stop timer", std::string("message ") + kCleanerMissingMessage, "end"));
    EXPECT_EQ(system.sleeps, 0);
    EXPECT_EQ(system.runResult, -1) << "nothing was started";
}

TEST_F(LinkEndToEndTest, StandInReportsToTheShellWindow)
{
    ListeningShell shellWindow;
    Process standin(dir.File("Klarvo.exe"), "--notify=6,0 --report=5120,-1,3725", dir.Path());
    HWND cleaner = WaitForWindow(kCleanerWindowClass, kPatienceMs);
    ASSERT_NE(cleaner, nullptr);
    EXPECT_THAT(Take(shellWindow, 1), ElementsAre(std::pair<WPARAM, LPARAM>(ntAutoChanged, 0)));

    PostMessageA(cleaner, kStandinNotifyRequest, ntRamProgress, 40);
    EXPECT_THAT(Take(shellWindow, 1), ElementsAre(std::pair<WPARAM, LPARAM>(ntRamProgress, 40)));

    SendToCleaner(shell, cmdReportStatus, 0);
    EXPECT_THAT(Take(shellWindow, 3),
                ElementsAre(std::pair<WPARAM, LPARAM>(ntLastEffect, 5120), std::pair<WPARAM, LPARAM>(ntTotalEffect, -1),
                            std::pair<WPARAM, LPARAM>(ntTimeSince, 3725)));

    PostMessageA(cleaner, WM_CLOSE, 0, 0);
    EXPECT_TRUE(standin.WaitForExit(kPatienceMs));
    EXPECT_THAT(Log(), ElementsAre("started", "command 3 0"));
}

} // namespace
