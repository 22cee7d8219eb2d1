#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/SingleInstance.h"
#include "link/Messages.h"
#include "support/Desktop.h"
#include "support/ListeningShell.h"
#include "support/Patience.h"
#include "support/Process.h"
#include "support/Pump.h"
#include "support/ShellPlaces.h"
#include "support/TempDir.h"

using namespace klarvo;
using namespace klarvo::test;

namespace {

constexpr DWORD kQuickExitMs = 10000;

// Stands in for a running shell: owns the mutex and a window of the shell's
// class that records what is posted to it.
class FakeRunningShell {
public:
    FakeRunningShell() : mutex_(CreateMutexA(nullptr, TRUE, kShellMutexName)) {}
    ~FakeRunningShell()
    {
        ReleaseMutex(mutex_);
        CloseHandle(mutex_);
    }

    // The notifications that arrived since the last call.
    std::vector<Notification> TakeNotifications() { return window_.Take(); }

private:
    HANDLE mutex_;
    ListeningShell window_;
};

struct WindowSearch {
    DWORD processId;
    bool found;
};

BOOL CALLBACK FindVisibleWindowOf(HWND window, LPARAM context)
{
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window)) {
        search->found = true;
    }
    return TRUE;
}

BOOL CALLBACK CountShellWindows(HWND window, LPARAM context)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) == kShellWindowClass) {
        ++*reinterpret_cast<int*>(context);
    }
    return TRUE;
}

class SingleInstanceTest : public testing::Test {
protected:
    void SetUp() override
    {
        previousAutorun = AutorunValue();
        const std::string built = FileArgument("shell");
        ASSERT_FALSE(built.empty()) << "run with --shell=<path of KlarvoShell.exe>";
        shell = CopyInto(built, dir.Path());
        // A first instance starts the resident cleaner and ends when it
        // cannot: the recording stand-in plays it.
        const std::string standin = FileArgument("standin");
        ASSERT_FALSE(standin.empty()) << "run with --standin=<path of KlarvoStandin.exe>";
        ASSERT_TRUE(CopyFileA(standin.c_str(), (dir.Path() + "Klarvo.exe").c_str(), FALSE));
    }

    // Runs a second instance to its end, watching that it shows no window.
    void RunSecondInstance(const std::string& arguments)
    {
        Process second(shell, arguments, dir.Path());
        WindowSearch search{second.Id(), false};
        WaitUntil(
            [&] {
                EnumWindows(FindVisibleWindowOf, reinterpret_cast<LPARAM>(&search));
                return second.WaitForExit(0);
            },
            kQuickExitMs);
        ASSERT_TRUE(second.WaitForExit(0)) << "the second instance must end at once";
        EXPECT_EQ(second.ExitCode(), 0u);
        EXPECT_FALSE(search.found) << "a second instance never shows a window";
    }

    void TearDown() override
    {
        // Whatever the test started ends, by force if it stays; the stand-in
        // outlives the shell, as the real cleaner does. A first run writes
        // the autorun value, which is put back as it was.
        EndProgramOfWindow(kShellWindowClass, kEndPatienceMs);
        EndProgramOfWindow(kCleanerWindowClass, kEndPatienceMs);
        RestoreAutorun(previousAutorun);
    }

    TempDir dir;
    std::string shell;
    std::optional<std::string> previousAutorun;
};

TEST_F(SingleInstanceTest, SecondInstancePostsItsPageOnceAndEnds)
{
    FakeRunningShell running;
    const std::pair<const char*, LPARAM> cases[] = {
        {"3", 3}, {"", 0}, {"\"\"", 0}, {"abc", 0}, {"12", 12}, {"-1", -1}, {"99999999999", 0}, {"6 extra", 6},
    };
    for (const auto& [arguments, page] : cases) {
        SCOPED_TRACE(std::string("arguments: ") + arguments);
        RunSecondInstance(arguments);
        const auto received = running.TakeNotifications();
        ASSERT_EQ(received.size(), 1u);
        EXPECT_EQ(received[0].first, WPARAM{ntShowPage});
        EXPECT_EQ(received[0].second, page);
    }
}

// With no shell window there is nothing a post could reach: what shows is
// that it ends at once, with code 0 and without a window of its own.
TEST_F(SingleInstanceTest, SecondInstanceWithoutAShellWindowEndsAtOnceAndShowsNothing)
{
    HANDLE mutex = CreateMutexA(nullptr, TRUE, kShellMutexName);
    RunSecondInstance("2");
    ReleaseMutex(mutex);
    CloseHandle(mutex);
}

TEST_F(SingleInstanceTest, FirstInstanceOpensTheShellAndStaysTheOnlyOne)
{
    Process first(shell, "", dir.Path());
    HWND window = WaitForWindow(kShellWindowClass, kQuickExitMs);
    ASSERT_NE(window, nullptr);
    // The class is found as soon as the window exists, before it is shown.
    WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, kQuickExitMs);
    RECT bounds;
    GetWindowRect(window, &bounds);
    EXPECT_EQ(bounds.right - bounds.left, 527);
    EXPECT_EQ(bounds.bottom - bounds.top, 328);
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & WS_CAPTION, 0) << "the shell is frameless";
    EXPECT_TRUE(IsWindowVisible(window));

    RunSecondInstance("3");
    int shells = 0;
    EnumWindows(CountShellWindows, reinterpret_cast<LPARAM>(&shells));
    EXPECT_EQ(shells, 1);
    EXPECT_FALSE(first.WaitForExit(0)) << "the first instance keeps running";

    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(first.WaitForExit(kQuickExitMs));
    EXPECT_EQ(first.ExitCode(), 0u);
}

} // namespace
