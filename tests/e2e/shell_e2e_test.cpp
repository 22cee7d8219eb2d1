#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "link/Messages.h"
#include "settings/ConfFile.h"
#include "settings/SlotTable.h"
#include "settings/System.h"
#include "standin/Standin.h"
#include "support/Desktop.h"
#include "support/Patience.h"
#include "support/Process.h"
#include "support/Pump.h"
#include "support/ShellPlaces.h"
#include "support/TempDir.h"

using namespace klarvo;
using namespace klarvo::test;
using testing::Contains;
using testing::Not;

namespace {

constexpr DWORD kPatienceMs = 15000;

// The real programs in a fresh directory: the shell and the recording
// stand-in as Klarvo.exe.
class ShellEndToEnd : public testing::Test {
protected:
    void SetUp() override
    {
        const std::string built = FileArgument("shell");
        const std::string standin = FileArgument("standin");
        ASSERT_FALSE(built.empty() || standin.empty()) << "run with --shell=... --standin=...";
        shell = CopyInto(built, dir.Path());
        ASSERT_TRUE(CopyFileA(standin.c_str(), dir.File("Klarvo.exe").c_str(), FALSE));
        previousAutorun = AutorunValue();
    }
    void TearDown() override
    {
        // What the test started ends, by force if it stays.
        EndProgramOfWindow(kShellWindowClass, kEndPatienceMs);
        EndProgramOfWindow(kCleanerWindowClass, kEndPatienceMs);
        RestoreAutorun(previousAutorun);
    }

    // Starts the shell and waits until its window shows.
    HWND Open(Process& process)
    {
        (void)process;
        HWND window = nullptr;
        WaitUntil(
            [&] {
                window = FindWindowA(kShellWindowClass, nullptr);
                return window && IsWindowVisible(window);
            },
            kPatienceMs);
        return window && IsWindowVisible(window) ? window : nullptr;
    }
    void Close(Process& process, HWND window)
    {
        PostMessageA(window, WM_CLOSE, 0, 0);
        ASSERT_TRUE(process.WaitForExit(kPatienceMs));
        EXPECT_EQ(process.ExitCode(), 0u);
    }

    std::vector<std::string> Log() const { return ReadLines(dir.File(kStandinLog)); }

    TempDir dir;
    std::string shell;
    std::optional<std::string> previousAutorun;
};

TEST_F(ShellEndToEnd, FirstStartWritesDefaultsStartsTheCleanerAndClosingWritesNothingMore)
{
    MEMORYSTATUS status{};
    status.dwLength = sizeof status;
    GlobalMemoryStatus(&status);
    const std::int32_t totalRamMB = static_cast<std::int32_t>(status.dwTotalPhys >> 20) + 1;
    {
        Process first(shell, "", dir.Path());
        HWND window = Open(first);
        ASSERT_NE(window, nullptr);
        RECT bounds;
        GetWindowRect(window, &bounds);
        EXPECT_EQ(bounds.right - bounds.left, 527);
        EXPECT_EQ(bounds.bottom - bounds.top, 328);
        EXPECT_EQ(bounds.left, (GetSystemMetrics(SM_CXSCREEN) - 527) / 2);
        EXPECT_EQ(bounds.top, (GetSystemMetrics(SM_CYSCREEN) - 328) / 2) << "centred at its final height";
        EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & WS_CAPTION, 0) << "the shell is frameless";
        char title[64] = {};
        GetWindowTextA(window, title, sizeof title);
        EXPECT_STREQ(title, "Klarvo ver 3.1  Shell");
        Close(first, window);
    }
    for (const SlotInfo& info : SlotTable()) {
        EXPECT_EQ(ReadConf(dir.File("Conf.dat"), info.slot), FirstRunDefault(info, totalRamMB, false))
            << "slot " << info.slot;
    }
    const std::string lines = ReadText(dir.File("ConfStr.dat"));
    EXPECT_EQ(LinesOf(lines).size(), 7u) << lines;
    EXPECT_EQ(AutorunValue(), dir.File("Klarvo.exe"));
    const std::vector<std::string> firstLog = Log();
    ASSERT_GE(firstLog.size(), 3u);
    EXPECT_EQ(firstLog[0], "started");
    EXPECT_EQ(firstLog[1], "command 1 0") << "the settings are written before the cleaner is told";
    EXPECT_EQ(firstLog[2], "command 3 0");

    const auto conf = ReadBytes(dir.File("Conf.dat"));
    const auto confStr = ReadBytes(dir.File("ConfStr.dat"));
    {
        Process second(shell, "4", dir.Path());
        HWND window = Open(second);
        ASSERT_NE(window, nullptr);
        Close(second, window);
    }
    EXPECT_EQ(ReadBytes(dir.File("Conf.dat")), conf);
    EXPECT_EQ(ReadBytes(dir.File("ConfStr.dat")), confStr);
    const std::vector<std::string> log = Log();
    EXPECT_THAT(std::vector<std::string>(log.begin() + static_cast<long>(firstLog.size()), log.end()),
                Not(Contains("command 1 0")))
        << "a run without Apply never asks the cleaner to reload";
}

} // namespace
