#pragma once

// The real shell and the real resident cleaner side by side in a fresh
// directory, for the tests that run both programs.

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "link/Messages.h"
#include "settings/System.h"
#include "support/Desktop.h"
#include "support/Patience.h"
#include "support/Process.h"
#include "support/ShellPlaces.h"
#include "support/Pump.h"
#include "support/TempDir.h"

namespace klarvo::test {

// The two real programs side by side in a fresh directory; the shell starts
// the cleaner itself. Trees to clean lie in a directory of their own, since
// the cleaner refuses its program's directory.
class Suite : public testing::Test {
protected:
    void SetUp() override
    {
        const std::string shellBuilt = FileArgument("shell");
        const std::string cleanerBuilt = FileArgument("cleaner");
        ASSERT_FALSE(TestArgument("shell").empty() || TestArgument("cleaner").empty())
            << "run with --shell=... --cleaner=...";
        ASSERT_EQ(FindWindowA(kCleanerWindowClass, nullptr), nullptr) << "a cleaner left over from elsewhere";
        shellExe = CopyInto(shellBuilt, dir.Path());
        CopyInto(cleanerBuilt, dir.Path());
        previousAutorun = AutorunValue();
    }

    void TearDown() override
    {
        // What the test started ends, also when it failed half-way: asked
        // first, by force when it stays, so that the next set-up meets a
        // clean desktop. The cleaner outlives the shell by design.
        if (shell) {
            CloseBoxesOf(shell->Id());
            EndProgramOfWindow(kShellWindowClass, kEndPatienceMs);
            shell.reset();
        }
        EndProgramOfWindow(kCleanerWindowClass, kCleaningPatienceMs);
        RestoreAutorun(previousAutorun);
    }

    // Starts the shell and waits for its window to show; nullptr if it never does.
    HWND OpenShell(const std::string& page = "")
    {
        shell = std::make_unique<Process>(shellExe, page, dir.Path());
        HWND window = nullptr;
        WaitUntil(
            [&] {
                window = FindWindowA(kShellWindowClass, nullptr);
                return window != nullptr && IsWindowVisible(window);
            },
            kStartPatienceMs);
        return window;
    }

    void CloseShell()
    {
        HWND window = FindWindowA(kShellWindowClass, nullptr);
        ASSERT_NE(window, nullptr);
        PostMessageA(window, WM_CLOSE, 0, 0);
        ASSERT_TRUE(shell->WaitForExit(kEndPatienceMs));
        EXPECT_EQ(shell->ExitCode(), 0u);
        shell.reset();
    }

    // The first start, closed again once the cleaner runs: the settings
    // files and the cleaner are then in place.
    HWND FirstStart()
    {
        if (!OpenShell()) {
            return nullptr;
        }
        HWND cleaner = WaitForWindow(kCleanerWindowClass, kStartPatienceMs);
        CloseShell();
        return cleaner;
    }

    std::string Conf() const { return dir.File("Conf.dat"); }

    TempDir dir;
    std::string shellExe;
    std::unique_ptr<Process> shell;
    std::optional<std::string> previousAutorun;
};

} // namespace klarvo::test
