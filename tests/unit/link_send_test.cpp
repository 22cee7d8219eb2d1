#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "link/CleanerLink.h"
#include "link/Messages.h"
#include "support/FakeShell.h"
#include "settings/ExeDir.h"
#include "support/TempDir.h"

using namespace klarvo;
using klarvo::test::FakeShell;
using testing::ElementsAre;
using testing::IsEmpty;

namespace {

const std::string kMissing = std::string("message ") + kCleanerMissingMessage;
const std::string kNotStarted = std::string("message ") + kCleanerNotStartedMessage;

// A machine on a virtual clock: sleeping advances it, and the cleaner's
// window appears a chosen time after the program was started.
class FakeSystem final : public CleanerSystem {
public:
    WindowHandle FindCleanerWindow() override
    {
        ++finds;
        const bool started = startedAt && appearsAfter && clock - *startedAt >= *appearsAfter;
        return running || started ? window : nullptr;
    }
    bool FileExists(const std::string& path) override
    {
        events.push_back("exists " + path);
        return programPresent && path == CleanerProgramPath();
    }
    std::intptr_t RunFile(const std::string& file, const std::string& parameters, const std::string& directory,
                          int showCommand) override
    {
        events.push_back("run " + file + "|" + parameters + "|" + directory + "|" + std::to_string(showCommand));
        startedAt = clock;
        return runResult;
    }
    void Sleep(unsigned milliseconds) override
    {
        events.push_back("sleeping");
        ++sleeps;
        sleepTotal += milliseconds;
        clock += milliseconds;
        EXPECT_EQ(milliseconds, kCleanerPollMs);
    }
    void PostCommand(WindowHandle target, std::int32_t command, std::int32_t argument) override
    {
        events.push_back("post " + std::to_string(command) + " " + std::to_string(argument));
        EXPECT_EQ(target, window);
    }

    // Events without the repeated sleeps: what was done in which order.
    std::vector<std::string> Order() const
    {
        std::vector<std::string> order;
        for (const auto& event : events) {
            if (order.empty() || order.back() != event) {
                order.push_back(event);
            }
        }
        return order;
    }

    bool running = false;
    bool programPresent = true;
    std::optional<unsigned> appearsAfter;
    std::intptr_t runResult = 42;
    WindowHandle window = reinterpret_cast<WindowHandle>(0x1234);

    unsigned clock = 0;
    std::optional<unsigned> startedAt;
    int finds = 0;
    int sleeps = 0;
    unsigned sleepTotal = 0;
    std::vector<std::string> events;
};

class SendToCleanerTest : public testing::Test {
protected:
    void SetUp() override
    {
        originalExeDir = ExeDir();
        OverrideExeDir("C:\\Program Files\\Klarvo\\");
    }
    void TearDown() override { OverrideExeDir(originalExeDir); }

    std::string RunLine() const { return "run C:\\Program Files\\Klarvo\\Klarvo.exe|||1"; }

    std::string originalExeDir;
    FakeSystem system;
    FakeShell shell;
};

TEST_F(SendToCleanerTest, RunningCleanerGetsExactlyOnePostAndNothingIsStarted)
{
    const std::pair<std::int32_t, std::int32_t> commands[] = {
        {cmdReportStatus, 0}, {cmdReloadSettings, 0}, {cmdFreeRam, 1536}, {cmdClearHdd, hcHistory},
        {cmdFreeRam, -1},     {cmdFastClean, 0},      {INT_MAX, INT_MIN},
    };
    system.running = true;
    for (const auto& [command, argument] : commands) {
        system.events.clear();
        SendToCleaner(shell, system, command, argument);
        EXPECT_THAT(system.events, ElementsAre("post " + std::to_string(command) + " " + std::to_string(argument)));
    }
    EXPECT_EQ(system.sleeps, 0);
    EXPECT_THAT(shell.calls, IsEmpty());
}

TEST_F(SendToCleanerTest, StartedCleanerGetsTheCommandOnThePollThatFindsItsWindow)
{
    struct Case {
        unsigned appearsAfter;
        int polls;
    };
    // The window that appears 0.8 s after the start is found on the 8th
    // look when it is there on the dot and on the 9th when it is a little late.
    const Case cases[] = {{0, 1}, {100, 1}, {101, 2}, {800, 8}, {850, 9}, {4999, 50}, {5000, 50}};
    for (const Case& c : cases) {
        SCOPED_TRACE("window after " + std::to_string(c.appearsAfter) + " ms");
        FakeSystem fresh;
        fresh.appearsAfter = c.appearsAfter;
        SendToCleaner(shell, fresh, cmdReportStatus, 0);
        EXPECT_THAT(fresh.Order(),
                    ElementsAre("exists C:\\Program Files\\Klarvo\\Klarvo.exe", RunLine(), "sleeping", "post 3 0"));
        EXPECT_EQ(fresh.sleeps, c.polls);
        EXPECT_EQ(fresh.finds, 1 + c.polls) << "one look before the start, one after each sleep";
    }
    EXPECT_THAT(shell.calls, IsEmpty());
}

TEST_F(SendToCleanerTest, MissingProgramEndsTheShellAtOnceWithoutStartingOrWaiting)
{
    system.programPresent = false;
    SendToCleaner(shell, system, cmdReloadSettings, 0);
    EXPECT_THAT(system.events, ElementsAre("exists C:\\Program Files\\Klarvo\\Klarvo.exe"));
    EXPECT_THAT(shell.calls, ElementsAre("stop timer", kMissing, "end"));
}

TEST_F(SendToCleanerTest, WindowThatNeverAppearsEndsTheShellAfterFiftyPolls)
{
    const std::pair<const char*, std::intptr_t> starts[] = {{"started", 42}, {"start failed", 2}, {"no result", 0}};
    for (const auto& [what, result] : starts) {
        SCOPED_TRACE(what);
        FakeSystem fresh;
        FakeShell freshShell;
        fresh.runResult = result;
        SendToCleaner(freshShell, fresh, cmdFastClean, 0);
        EXPECT_THAT(fresh.Order(), ElementsAre("exists C:\\Program Files\\Klarvo\\Klarvo.exe", RunLine(), "sleeping"));
        EXPECT_EQ(fresh.sleeps, kCleanerPolls);
        EXPECT_EQ(fresh.sleepTotal, 5000u);
        EXPECT_EQ(fresh.finds, 1 + kCleanerPolls);
        EXPECT_THAT(freshShell.calls, ElementsAre("stop timer", kNotStarted, "end"));
    }
}

TEST_F(SendToCleanerTest, FailuresWhileTheEndIsPendingShowNoFurtherBox)
{
    // A handler that sends two commands (Fast cleaning: 2, then 3) meets the
    // failure twice and asks for the box and the end each time; the
    // application closes the later boxes (shell_end_test.cpp).
    system.programPresent = false;
    SendToCleaner(shell, system, cmdFastClean, 0);
    SendToCleaner(shell, system, cmdReportStatus, 0);
    EXPECT_THAT(shell.calls, ElementsAre("stop timer", kMissing, "end", "stop timer", kMissing, "end"));

    FakeShell other;
    FakeSystem silent;
    SendToCleaner(other, silent, cmdReportStatus, 0);
    silent.programPresent = false;
    SendToCleaner(other, silent, cmdReportStatus, 0);
    EXPECT_THAT(other.calls, ElementsAre("stop timer", kNotStarted, "end", "stop timer", kMissing, "end"));
}

TEST_F(SendToCleanerTest, CallsWithoutASystemUseTheScopedOne)
{
    system.running = true;
    {
        ScopedCleanerSystem scoped(system);
        EXPECT_EQ(&CurrentCleanerSystem(), &system);
        SendToCleaner(shell, cmdClearHdd, hcCookies);
    }
    EXPECT_EQ(&CurrentCleanerSystem(), &Win32CleanerSystem());
    EXPECT_THAT(system.events, ElementsAre("post 6 2"));
}

TEST(Win32CleanerSystemTest, OnlyAFileCountsAsTheProgram)
{
    klarvo::test::TempDir dir;
    CleanerSystem& system = Win32CleanerSystem();
    EXPECT_FALSE(system.FileExists(dir.File("Klarvo.exe")));
    ASSERT_TRUE(CreateDirectoryA(dir.File("Klarvo.exe").c_str(), nullptr));
    EXPECT_FALSE(system.FileExists(dir.File("Klarvo.exe"))) << "a directory of that name cannot be started";
    klarvo::test::WriteText(dir.File("Other.exe"), "MZ");
    EXPECT_TRUE(system.FileExists(dir.File("Other.exe")));
}

TEST(RunFileTest, RefusesTextItWouldHaveToCut)
{
    klarvo::test::TempDir dir;
    const std::string longName = dir.Path() + std::string(kRunFileMaxText, 'a') + ".exe";
    EXPECT_EQ(RunFile(longName, "", "", kShowNormal), 0);
    EXPECT_EQ(RunFile("notepad.exe", std::string(kRunFileMaxText + 1, 'x'), "", kShowNormal), 0);
    EXPECT_EQ(RunFile("notepad.exe", "", std::string("C:\\\0D:\\", 7), kShowNormal), 0);
    // A name the shell cannot find is its own failure, not a success.
    const std::intptr_t missing = RunFile(dir.File("missing.exe"), "", "", kShowNormal);
    EXPECT_GE(missing, 0);
    EXPECT_LE(missing, 32);
}

} // namespace
