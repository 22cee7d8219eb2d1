#include "shell_fixture.h"

#include "support/Png.h"
#include "support/Process.h"

#include <cstdio>

namespace klarvo::test {
namespace {

constexpr int kPageCount = 7;

// Each page of the real window as a person sees it after a minute of use:
// a free-memory history with ups and downs, then the page shown through the
// same notification a second start sends.
TEST_F(ShellTest, RendersEveryPageOfTheRealWindow)
{
    Tfmshell& s = Start();
    ShowShell();
    const int freeMB[] = {20, 22, 23, 23, 23, 40, 41, 41, 41, 41, 38, 30, 30, 30, 45, 46, 46, 46, 46, 46};
    for (int mb : freeMB) {
        memory.Set(65, mb);
        s.tmrefreshTimer(nullptr);
    }
    Pump();
    const std::string dir = ScreensDir("screens");
    for (int page = 0; page < kPageCount; ++page) {
        SendMessageA(s.Handle(), WM_SHELLNOTIFY, ntShowPage, page);
        RedrawWindow(s.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Pump();
        RECT r;
        GetWindowRect(s.Handle(), &r);
        HDC screen = GetDC(nullptr);
        const std::string path = dir + "page-" + std::to_string(page) + ".png";
        SaveDcToPng(screen, r.left, r.top, r.right - r.left, r.bottom - r.top, path);
        ReleaseDC(nullptr, screen);
        EXPECT_TRUE(FileExists(path)) << path;
    }
    EXPECT_TRUE(messages.empty());
}

} // namespace
} // namespace klarvo::test
