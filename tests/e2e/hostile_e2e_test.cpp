#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "hostile.h"

using namespace klarvo;
using namespace klarvo::test;

// Another program on the machine finds both programs' windows and posts them
// whatever it likes. These tests are that program.
namespace {

BOOL CALLBACK PostControlNotifications(HWND control, LPARAM)
{
    for (UINT notification : {0xBC00u + WM_NOTIFY, 0xBC00u + WM_COMMAND, 0xBC00u + WM_VSCROLL}) {
        PostMessageA(control, notification, 0x1234, 0x1234);
    }
    return TRUE;
}

TEST_F(Neighbours, PostedTimersAndControlNotificationsLeaveTheShellRunning)
{
    HWND window = OpenShell();
    ASSERT_NE(window, nullptr);
    HWND utility = UtilityOfShell();
    ASSERT_NE(utility, nullptr);
    for (HWND target : {utility, window}) {
        for (WPARAM id : {WPARAM{1}, WPARAM{2}, WPARAM{3}, WPARAM{0x12345678}, ~WPARAM{0}}) {
            PostMessageA(target, WM_TIMER, id, 0);
        }
        PostMessageA(target, WM_TIMER, 0x12345678, 0x12345678);
    }
    ASSERT_TRUE(HandledWhatWasPosted(window, kAnswerPatienceMs)) << "exit code " << shell->ExitCode();
    EXPECT_FALSE(shell->WaitForExit(0)) << "exit code " << shell->ExitCode();
    EXPECT_TRUE(Answers(window, 5000));

    // The framework's own notifications of a control, with a pointer that
    // points nowhere, posted to every control.
    EnumChildWindows(window, PostControlNotifications, 0);
    ASSERT_TRUE(HandledWhatWasPosted(window, kAnswerPatienceMs)) << "exit code " << shell->ExitCode();
    EXPECT_FALSE(shell->WaitForExit(0)) << "exit code " << shell->ExitCode();
    EXPECT_TRUE(Answers(window, 5000));
}

TEST_F(Neighbours, PostedEndSessionEndsTheCleanerWholeAndTheShellStartsItAgain)
{
    ASSERT_NE(OpenShell(), nullptr);
    HWND first = WaitForWindow(kCleanerWindowClass, kStartPatienceMs);
    ASSERT_NE(first, nullptr);
    const DWORD firstId = ProcessOf(first);
    PostMessageA(first, WM_ENDSESSION, 1, 0);
    EXPECT_TRUE(WaitForProcessEnd(firstId, kEndPatienceMs)) << "the cleaner stayed, its work stopped";
    HWND again = nullptr;
    EXPECT_TRUE(WaitUntil(
        [&] {
            again = FindWindowA(kCleanerWindowClass, nullptr);
            return again && ProcessOf(again) != firstId;
        },
        kStartPatienceMs));
    EXPECT_FALSE(shell->WaitForExit(0));
    EXPECT_EQ(MessageBoxesOf(shell->Id()).size(), 0u);
}

TEST_F(Neighbours, PostedCompletionMessagesRecordNothing)
{
    HWND cleaner = FirstStart();
    ASSERT_NE(cleaner, nullptr);
    ListeningShell listener;
    for (UINT message = kCleanerPrivateFirst + 1; message <= kCleanerPrivateFirst + 3; ++message) {
        for (WPARAM w : {WPARAM{0}, WPARAM{1}, WPARAM{2}, WPARAM{50}}) {
            PostMessageA(cleaner, message, w, 123456);
        }
    }
    PostMessageA(cleaner, WM_CLEANERCMD, cmdReportStatus, 0);
    ASSERT_TRUE(listener.WaitFor(listener.Has(ntTimeSince), kAnswerPatienceMs));
    EXPECT_EQ(listener.Last(ntLastEffect), -1) << "a result that no cleaning produced";
    EXPECT_EQ(listener.Last(ntTimeSince), -1);
    EXPECT_EQ(listener.Count(ntRamProgress), 0u);
}

TEST_F(Neighbours, PostedFirstAndLastMessagesLeaveTheCleanerWhole)
{
    HWND cleaner = FirstStart();
    ASSERT_NE(cleaner, nullptr);
    ListeningShell listener;
    PostMessageA(cleaner, WM_NCDESTROY, 0, 0);
    PostMessageA(cleaner, WM_NCCREATE, 0, 0x1234);
    PostMessageA(cleaner, WM_CLEANERCMD, cmdReportStatus, 0);
    EXPECT_TRUE(listener.WaitFor(listener.Has(ntTimeSince), kAnswerPatienceMs)) << "the cleaner no longer answers";
    EXPECT_EQ(FindWindowA(kCleanerWindowClass, nullptr), cleaner);
}

TEST_F(Neighbours, TrayDoubleClicksOpenOneShellAtATime)
{
    HWND cleaner = FirstStart();
    ASSERT_NE(cleaner, nullptr);
    // A Clear of the chosen directory posted behind the clicks empties it
    // only once they were handled: every shell they start has been started
    // by then. Shells are counted until then and until the one opened shows.
    std::vector<std::string> lines = ReadConfStr(dir.File("ConfStr.dat"));
    lines.at(lineDir) = MakeTree(trees, "barrier");
    WriteConfStr(dir.File("ConfStr.dat"), lines);
    PostMessageA(cleaner, WM_CLEANERCMD, cmdReloadSettings, 0);
    const std::string barrier = lines[lineDir] + "\\barrier.tmp";
    WriteText(barrier, "x");
    for (int i = 0; i < 10; ++i) {
        PostMessageA(cleaner, kTrayCallback, 0, WM_LBUTTONDBLCLK);
        PostMessageA(cleaner, WM_COMMAND, kMenuOpenShell, 0);
    }
    PostMessageA(cleaner, WM_CLEANERCMD, cmdClearHdd, hcDir);
    std::size_t most = 0;
    HWND opened = nullptr;
    EXPECT_TRUE(WaitUntil(
        [&] {
            most = std::max(most, ProcessesNamed("KlarvoShell.exe"));
            opened = FindWindowA(kShellWindowClass, nullptr);
            return !FileExists(barrier) && opened && IsWindowVisible(opened);
        },
        kStartPatienceMs + kCleaningPatienceMs));
    EXPECT_EQ(most, 1u);
    ASSERT_NE(opened, nullptr);
    const DWORD id = ProcessOf(opened);
    PostMessageA(opened, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitForProcessEnd(id, kEndPatienceMs));
}

// A few seconds of it here; tests/bench/hostile_bench.cpp soaks both
// programs in a million.
TEST_F(Neighbours, AFloodOfForgedMessagesLeavesBothProgramsWhole)
{
    const FloodFigures figures = Flood(10000);
    EXPECT_EQ(figures.sent, 10000u);
    std::printf("%u messages to each program posted in %lu ms, handled %lu ms later\n",
                static_cast<unsigned>(figures.sent), static_cast<unsigned long>(figures.milliseconds),
                static_cast<unsigned long>(figures.settleMilliseconds));
}

} // namespace
