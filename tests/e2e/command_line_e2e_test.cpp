#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <tuple>

#include "link/Messages.h"
#include "link/Notifications.h"
#include "resident/disk/DiskFunctions.h"
#include "resident/work/WorkLocks.h"
#include "settings/ConfFile.h"
#include "settings/ConfStr.h"
#include "settings/SlotTable.h"
#include "support/Desktop.h"
#include "support/ListeningShell.h"
#include "support/Patience.h"
#include "support/Process.h"
#include "support/Pump.h"
#include "support/RealInput.h"
#include "support/Scoped.h"
#include "support/TempDir.h"
#include "support/Trees.h"
#include "win/Handles.h"
#include "win/SystemFunction.h"

using namespace klarvo;
using namespace klarvo::test;

namespace {

// The real cleaner in a directory of its own, started with switches; trees
// to clean lie elsewhere. Run with --line=9x, every cleaner started takes
// the path of Windows 95 and 98.
class CommandLineRun : public testing::Test {
protected:
    void SetUp() override
    {
        exe = CopyInto(FileArgument("cleaner"), program.Path());
        SetEnvironmentVariableA(kMissingFunctionsVariable,
                                TestArgument("line") == "9x" ? resident::kWindows9xLacks : nullptr);
    }
    void TearDown() override { SetEnvironmentVariableA(kMissingFunctionsVariable, nullptr); }

    std::unique_ptr<Process> Run(const std::string& arguments)
    {
        return std::make_unique<Process>(exe, arguments, program.Path());
    }
    std::string Log() const { return ReadTextIfAny(program.File("Klarvo.log")); }

    TempDir program;
    TempDir trees;
    std::string exe;
};

// A command line cleaning the temporary folder, then the chosen directory
// while the test holds that category's lock; a resident cleaner started
// meanwhile and told to clean it too: the resident starts as ever, and once
// the lock is let go the two clean one after the other, each logging what
// it left.
TEST_F(CommandLineRun, CleansBesideAResidentCleanerStartedMeanwhileNeverAtOnce)
{
    const std::string temp = MakeTree(trees, "temp");
    const std::string chosen = trees.File("chosen");
    MakeWideTree(chosen, 10, 50);
    const std::string kept = chosen + "\\kept.txt";
    WriteText(kept, "keep");
    SetFileAttributesA(kept.c_str(), FILE_ATTRIBUTE_READONLY);
    WriteConfStr(program.File("ConfStr.dat"), {"", temp, "", "", chosen, "", ""});
    WriteConf(program.File("Conf.dat"), slotSubdir, 1);

    KernelHandle busy(CreateMutexA(nullptr, TRUE, resident::CategoryLockName(hcDir)));
    ASSERT_TRUE(busy);
    // The temporary folder is the system's own for the cleaners started here.
    std::optional<ScopedVariable> tmp(std::in_place, "TMP", temp.c_str());
    const auto once = Run("/clear:temp,dir");
    // Its last folder gone, the command line is past the temporary folder
    // and at the chosen one.
    const bool tempCleaned = WaitUntil([&] { return !FileExists(temp + "\\sub"); }, kCleaningPatienceMs);
    tmp.reset();
    ASSERT_TRUE(tempCleaned) << Log();
    Process residentCleaner(exe, "", program.Path());
    const HWND window = WaitForWindow(kCleanerWindowClass, kStartPatienceMs);
    ASSERT_NE(window, nullptr) << "a command line under way kept the resident cleaner from starting";
    EXPECT_EQ(ProcessOf(window), residentCleaner.Id());
    // Nothing is cleaned while the lock is held, whoever asks: the answer
    // to a status request posted behind the Clear shows the resident took
    // the Clear on. Its worker's wait at the lock shows nothing outside.
    ListeningShell listener;
    PostMessageA(window, WM_CLEANERCMD, cmdClearHdd, hcDir);
    PostMessageA(window, WM_CLEANERCMD, cmdReportStatus, 0);
    ASSERT_TRUE(listener.WaitFor(listener.Has(ntTimeSince), kAnswerPatienceMs));
    EXPECT_FALSE(once->WaitForExit(0));
    EXPECT_TRUE(FileExists(chosen + "\\dir0\\file0.tmp"));
    ReleaseMutex(busy.Get());

    ASSERT_TRUE(once->WaitForExit(kCleaningPatienceMs));
    EXPECT_EQ(once->ExitCode(), 1u) << "the read-only file was left" << Log();
    const std::string leftLine = "Left in " + chosen + ": read-only or system 1";
    ASSERT_TRUE(WaitUntil([&] { return Occurrences(Log(), leftLine) == 2; }, kCleaningPatienceMs)) << Log();
    // One deleted everything; the other, after it, found nothing more.
    EXPECT_EQ(Occurrences(Log(), "files deleted 500"), 1u) << Log();
    EXPECT_EQ(Occurrences(Log(), "files deleted"), 1u) << Log();
    EXPECT_TRUE(FileExists(kept));
    EXPECT_EQ(FindWindowA(kCleanerWindowClass, nullptr), window) << "the shell must still find its cleaner";
    EXPECT_TRUE(MessageBoxesOf(residentCleaner.Id()).empty());
    SetFileAttributesA(kept.c_str(), FILE_ATTRIBUTE_NORMAL);
}

struct ExitCase {
    const char* arguments;
    bool box; // the help box shows, and is closed as a person would
    DWORD exitCode;
    const char* boxSays;
};

// Fonts lies in the Windows directory: a place no category may clean.
class ExitCodes : public CommandLineRun, public testing::WithParamInterface<ExitCase> {};

TEST_P(ExitCodes, SayHowItWentAndNoCleanerStays)
{
    const ExitCase& c = GetParam();
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string fonts = std::string(windows) + "\\Fonts";
    WriteConfStr(program.File("ConfStr.dat"), {"", "", "", "", fonts, "", ""});

    const auto run = Run(c.arguments);
    if (c.box) {
        ASSERT_TRUE(WaitUntil([&] { return MessageBoxesOf(run->Id()).size() == 1; }, kAnswerPatienceMs));
        const HWND box = MessageBoxesOf(run->Id())[0];
        EXPECT_NE(TextOf(box).find(c.boxSays), std::string::npos) << TextOf(box);
        EXPECT_NE(TextOf(box).find("/clear:temp,cache"), std::string::npos) << "the example";
        SetForegroundWindow(box);
        TapKey(VK_RETURN);
    }
    ASSERT_TRUE(run->WaitForExit(kCleaningPatienceMs)) << DescribeBoxesOf(run->Id());
    EXPECT_EQ(run->ExitCode(), c.exitCode) << c.arguments;
    EXPECT_EQ(FindWindowA(kCleanerWindowClass, nullptr), nullptr);
    if (c.exitCode == 1) {
        EXPECT_NE(Log().find("Not cleaned: " + fonts), std::string::npos) << Log();
    } else {
        EXPECT_EQ(Log(), "");
    }
}

// A preview into a named file, for a script: the report says what a Clear
// would do and why not, nothing is opened, deleted or logged.
TEST_F(CommandLineRun, PreviewsIntoTheFileNamedAndDeletesNothing)
{
    const std::string chosen = MakeTree(trees, "chosen");
    const std::string report = program.File("report.txt");
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    for (const auto& [place, exitCode, says] :
         {std::tuple{chosen, 0u, "Would be cleaned"}, std::tuple{std::string(windows) + "\\Fonts", 1u, "Refused"}}) {
        WriteConfStr(program.File("ConfStr.dat"), {"", "", "", "", place, "", ""});
        const auto run = Run("/preview:dir:\"" + report + "\"");
        ASSERT_TRUE(run->WaitForExit(kCleaningPatienceMs)) << DescribeBoxesOf(run->Id());
        EXPECT_EQ(run->ExitCode(), exitCode) << place;
        EXPECT_NE(ReadTextIfAny(report).find(says), std::string::npos) << ReadTextIfAny(report);
    }
    EXPECT_TRUE(FileExists(chosen + "\\top.tmp"));
    EXPECT_EQ(Log(), "");
}

INSTANTIATE_TEST_SUITE_P(Switches, ExitCodes,
                         testing::Values(ExitCase{"/clear:dir", false, 1, ""},
                                         // The chosen directory is not ticked.
                                         ExitCase{"/clear", false, 0, ""},
                                         ExitCase{"/quiet", true, 2, "/quiet: unknown switch"},
                                         ExitCase{"/ram:0", true, 2, "/ram:0"}, ExitCase{"/?", true, 0, "/ram:MB"},
                                         ExitCase{"/ram:8", false, 0, ""}));

} // namespace
