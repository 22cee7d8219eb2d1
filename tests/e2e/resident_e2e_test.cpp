#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "link/Messages.h"
#include "resident/window/Resident.h"
#include "settings/ConfFile.h"
#include "settings/ConfStr.h"
#include "settings/SlotTable.h"
#include "support/Desktop.h"
#include "support/ListeningShell.h"
#include "support/Patience.h"
#include "support/Process.h"
#include "support/TempDir.h"

using namespace klarvo;
using namespace klarvo::test;

namespace {

// The real cleaner, started from a directory of its own with the settings
// a test gives it.
class Cleaner {
public:
    explicit Cleaner(const TempDir& dir) : dir_(dir) { exe_ = CopyInto(FileArgument("cleaner"), dir.Path()); }

    void Start()
    {
        process_ = std::make_unique<Process>(exe_, "", dir_.Path());
        window_ = WaitForWindow(kCleanerWindowClass, kStartPatienceMs);
    }

    HWND Window() const { return window_; }
    Process& Program() { return *process_; }
    const std::string& Exe() const { return exe_; }

    void Post(WPARAM command, LPARAM argument) const { PostMessageA(window_, WM_CLEANERCMD, command, argument); }

private:
    const TempDir& dir_;
    std::string exe_;
    std::unique_ptr<Process> process_;
    HWND window_ = nullptr;
};

TEST(ResidentCleaner, KeepsOneInstanceWithItsWindow)
{
    TempDir dir;
    Cleaner cleaner(dir);
    cleaner.Start();
    ASSERT_NE(cleaner.Window(), nullptr) << "no window of class " << kCleanerWindowClass;
    EXPECT_FALSE(IsWindowVisible(cleaner.Window()));

    Process second(cleaner.Exe(), "", dir.Path());
    ASSERT_TRUE(second.WaitForExit(kEndPatienceMs)) << "a second start must end at once";
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_EQ(FindWindowA(kCleanerWindowClass, nullptr), cleaner.Window());
    EXPECT_FALSE(cleaner.Program().WaitForExit(0));
}

TEST(ResidentCleaner, ReportsUnknownFiguresUntilItCleansAndIgnoresBadCommands)
{
    TempDir dir;
    ListeningShell shell;
    Cleaner cleaner(dir);
    cleaner.Start();
    ASSERT_NE(cleaner.Window(), nullptr);

    // None of these may start anything.
    cleaner.Post(4, 0);
    cleaner.Post(99, 0);
    cleaner.Post(0, 0);
    cleaner.Post(cmdFreeRam, 0);
    cleaner.Post(cmdFreeRam, -8);
    cleaner.Post(cmdFreeRam, 100000);
    cleaner.Post(cmdFastClean, 1);
    cleaner.Post(cmdClearHdd, 7);
    cleaner.Post(cmdClearHdd, -1);
    cleaner.Post(cmdReportStatus, 0);
    ASSERT_TRUE(shell.WaitFor(shell.Has(ntTimeSince), kAnswerPatienceMs));
    EXPECT_EQ(shell.Last(ntLastEffect), -1);
    EXPECT_EQ(shell.Last(ntTotalEffect), -1);
    EXPECT_EQ(shell.Last(ntTimeSince), -1);
    EXPECT_EQ(shell.Count(ntRamProgress), 0u);

    // A fast cleaning makes the figures known; it reports no progress.
    cleaner.Post(cmdFastClean, 0);
    ASSERT_TRUE(
        shell.WaitFor([&] { return shell.Last(ntTimeSince) >= 0; }, 30000, [&] { cleaner.Post(cmdReportStatus, 0); }));
    EXPECT_GE(shell.Last(ntLastEffect), 0);
    EXPECT_GE(shell.Last(ntTotalEffect), shell.Last(ntLastEffect));
    EXPECT_EQ(shell.Count(ntRamProgress), 0u);
    EXPECT_FALSE(cleaner.Program().WaitForExit(0));
}

// Requests that arrive while it runs are dropped: its progress runs once
// from 0 to 100, and no second cleaning follows it.
TEST(ResidentCleaner, ReportsTheProgressOfAManualCleaningInWholePercents)
{
    TempDir dir;
    WriteConf(dir.File("Conf.dat"), slotMaxTry, 1);
    ListeningShell shell;
    Cleaner cleaner(dir);
    cleaner.Start();
    ASSERT_NE(cleaner.Window(), nullptr);

    cleaner.Post(cmdFreeRam, 8);
    cleaner.Post(cmdFreeRam, 8);
    cleaner.Post(cmdFastClean, 0);
    ASSERT_TRUE(shell.WaitFor(shell.Received({ntRamProgress, 100}), 60000));
    ExpectRisingPercents(shell.ValuesOf(ntRamProgress));
    EXPECT_EQ(shell.received.front(), Notification(ntRamProgress, 0));
    // The figures follow once it is done.
    ASSERT_TRUE(shell.WaitFor(shell.Has(ntTimeSince), kAnswerPatienceMs));
    EXPECT_GE(shell.Last(ntLastEffect), 0);
    // A second, queued cleaning would have announced its start before the
    // cleaner answers a status request posted after the first one's end.
    cleaner.Post(cmdReportStatus, 0);
    ASSERT_TRUE(shell.WaitFor(shell.Has(ntTimeSince, 2), kAnswerPatienceMs));
    EXPECT_EQ(std::count(shell.received.begin(), shell.received.end(), Notification(ntRamProgress, 0)), 1)
        << "one cleaning started";
    EXPECT_EQ(shell.Count(ntTimeSince), 2u) << "one cleaning, one report of its figures, one answer";
}

TEST(ResidentCleaner, TrayMenuFreesItsAmountAndExitsEvenWhileCleaning)
{
    TempDir dir;
    WriteConf(dir.File("Conf.dat"), slotPopup1, 4);
    WriteConf(dir.File("Conf.dat"), slotMaxTry, 5);
    ListeningShell shell;
    Cleaner cleaner(dir);
    cleaner.Start();
    ASSERT_NE(cleaner.Window(), nullptr);

    PostMessageA(cleaner.Window(), WM_COMMAND, resident::menuFreeUp1, 0);
    ASSERT_TRUE(shell.WaitFor(shell.Has(ntRamProgress), 10000));
    PostMessageA(cleaner.Window(), WM_COMMAND, resident::menuExit, 0);
    ASSERT_TRUE(cleaner.Program().WaitForExit(kEndPatienceMs)) << "the cleaner must stop its work and end";
    EXPECT_EQ(cleaner.Program().ExitCode(), 0u);
    EXPECT_EQ(FindWindowA(kCleanerWindowClass, nullptr), nullptr);
}

// A cleaner that is ending holds the mutex after its window is gone; one
// started in that moment waits for it instead of ending at once.
TEST(ResidentCleaner, AStartingCleanerWaitsForAnEndingOneToLetGo)
{
    TempDir dir;
    Cleaner cleaner(dir);
    HANDLE ending = CreateMutexA(nullptr, TRUE, resident::kResidentMutexName);
    ASSERT_NE(ending, nullptr);
    ASSERT_NE(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    Process second(cleaner.Exe(), "", dir.Path());
    ReleaseMutex(ending);
    CloseHandle(ending);
    HWND window = WaitForWindow(kCleanerWindowClass, kStartPatienceMs);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ProcessOf(window), second.Id()) << "it ended while the mutex was held";
    PostMessageA(window, WM_COMMAND, resident::menuExit, 0);
    EXPECT_TRUE(second.WaitForExit(kEndPatienceMs));
}

TEST(ResidentCleaner, HotKeysSwitchAutoCleaningAfterAReload)
{
    TempDir dir;
    const std::string conf = dir.File("Conf.dat");
    WriteConf(conf, slotAuto, 1);
    ListeningShell shell;
    Cleaner cleaner(dir);
    cleaner.Start();
    ASSERT_NE(cleaner.Window(), nullptr);

    // No hot keys yet: typing changes nothing. Wine puts a hot key into its
    // window's queue as it takes the keys in, so a status request posted
    // after them is answered only after the hot key was handled.
    TypeAlt('S');
    cleaner.Post(cmdReportStatus, 0);
    ASSERT_TRUE(shell.WaitFor(shell.Has(ntTimeSince), kAnswerPatienceMs));
    EXPECT_EQ(shell.Count(ntAutoChanged), 0u);
    EXPECT_EQ(ReadConf(conf, slotAuto), 1);

    WriteConf(conf, slotHot2, 'W');
    WriteConf(conf, slotHot3, 'S');
    cleaner.Post(cmdReloadSettings, 0);
    cleaner.Post(cmdReportStatus, 0); // answered only after the reload
    ASSERT_TRUE(shell.WaitFor(shell.Has(ntTimeSince, 2), kAnswerPatienceMs));

    TypeAlt('S');
    ASSERT_TRUE(shell.WaitFor(shell.Has(ntAutoChanged), kAnswerPatienceMs));
    EXPECT_EQ(ReadConf(conf, slotAuto), 0);
    EXPECT_EQ(shell.Last(ntAutoChanged), 0);
    TypeAlt('W');
    ASSERT_TRUE(shell.WaitFor(shell.Has(ntAutoChanged, 2), kAnswerPatienceMs));
    EXPECT_EQ(ReadConf(conf, slotAuto), 1);
    // Slot 1 is the only one it wrote.
    EXPECT_EQ(ReadConf(conf, slotHot2), 'W');
    EXPECT_EQ(ReadConf(conf, slotHot3), 'S');
    EXPECT_EQ(ReadBytes(conf).size(), 4u * (slotHot3 + 1));
}

} // namespace
