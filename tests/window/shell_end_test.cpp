// The fatal paths of the cleaner link on the real window and application:
// once the end is pending, later boxes close by themselves, so a handler
// that meets the failure more than once shows the person one box. Its own
// program, because the end cannot be taken back within a process.

#include <gmock/gmock.h>

#include "shell_fixture.h"

using namespace klarvo;
using namespace klarvo::test;
using testing::ElementsAre;

namespace {

// A resident cleaner that cannot be had: the program is missing, or (once
// `present`) it starts but its window never appears.
class UnavailableCleaner final : public CleanerSystem {
public:
    WindowHandle FindCleanerWindow() override { return nullptr; }
    bool FileExists(const std::string&) override { return present; }
    std::intptr_t RunFile(const std::string&, const std::string&, const std::string&, int) override { return 42; }
    void Sleep(unsigned) override {}
    void PostCommand(WindowHandle, std::int32_t, std::int32_t) override {}
    bool present = false;
};

// The person at the screen: a box that is still up a moment after it came
// is read and confirmed with the Enter key. A box that Enter does not close
// is closed for them, so that a failure cannot hang the run.
struct Person {
    std::vector<std::string> seen;
    HWND confirmed = nullptr;
    bool neededRescue = false;
    HWND lastLook = nullptr;
} g_person;

BOOL CALLBACK FindBox(HWND window, LPARAM found)
{
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) == "#32770" && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK LookAtTheScreen(HWND, UINT, UINT_PTR, DWORD)
{
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
    const HWND previous = std::exchange(g_person.lastLook, box);
    if (!box || box != previous) {
        return;
    }
    if (box == g_person.confirmed) {
        g_person.neededRescue = true;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        return;
    }
    char text[256] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    g_person.seen.push_back(text);
    g_person.confirmed = box;
    SetForegroundWindow(box);
    SendBareKey(VK_RETURN);
}

TEST_F(ShellTest, FailuresWhileTheEndIsPendingShowThePersonNoFurtherBox)
{
    Tfmshell& s = Start();
    s.StopRefreshTimer();
    ShowShell();
    std::vector<std::string> shown;
    App().SetMessageBoxFunction([&](HWND owner, const std::string& text, const std::string& caption, UINT flags) {
        shown.push_back(text);
        return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
    });
    UnavailableCleaner unavailable;
    ScopedCleanerSystem scope(unavailable);
    const UINT_PTR person = SetTimer(nullptr, 0, 250, LookAtTheScreen);

    // A handler that sends two commands (Fast cleaning: 2, then 3) meets the
    // missing program twice; a later tick finds it present but never up.
    s.SendToCleaner(cmdFastClean, 0);
    s.SendToCleaner(cmdReportStatus, 0);
    unavailable.present = true;
    s.SendToCleaner(cmdReportStatus, 0);
    KillTimer(nullptr, person);

    EXPECT_THAT(shown, ElementsAre(kCleanerMissingMessage, kCleanerMissingMessage, kCleanerNotStartedMessage));
    EXPECT_THAT(g_person.seen, ElementsAre(kCleanerMissingMessage));
    EXPECT_FALSE(g_person.neededRescue) << "Enter did not confirm the box";
    EXPECT_TRUE(App().Terminated());
    EXPECT_TRUE(QuitIsWaiting());
}

} // namespace
