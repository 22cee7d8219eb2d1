#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "shell_fixture.h"

using namespace klarvo;
using namespace klarvo::test;

namespace {

// The end of the application cannot be taken back within a process, so
// this is a program of its own.
TEST_F(ShellTest, CloseButtonEndsAtOnceWithoutSavingOrAsking)
{
    Start();
    ShowShell();
    const auto conf = ReadBytes(dir.File("Conf.dat"));
    const auto confStr = ReadBytes(dir.File("ConfStr.dat"));
    Get<TIACheckControl>("cbauto").SetChecked(false);
    Get<TGradBtn>("nbapply").SetEnabled(true);
    cleaner.commands.clear();

    SetForegroundWindow(shell->Handle());
    Click("nbclose");

    EXPECT_TRUE(App().Terminated());
    EXPECT_FALSE(IsWindowVisible(shell->Handle()));
    EXPECT_TRUE(QuitIsWaiting());
    EXPECT_EQ(ReadBytes(dir.File("Conf.dat")), conf);
    EXPECT_EQ(ReadBytes(dir.File("ConfStr.dat")), confStr);
    EXPECT_TRUE(messages.empty());
    for (const auto& [command, argument] : cleaner.commands) {
        EXPECT_NE(command, cmdReloadSettings);
    }
}

} // namespace
