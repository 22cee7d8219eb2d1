// A picture of the open dialog for pictures with its preview pane, opened on
// the shipped backgrounds with marble.jpg chosen: build/screens/
// picture-dialog.png. Run by `make screens`; takes --out=<directory>.

#include "framework/standard/StdWindows.h"
#include "support/Png.h"
#include "support/ScreenProgram.h"
#include "support/Process.h"

#include <windows.h>

#include <cstdio>
#include <exception>
#include <string>
#include <thread>

using namespace klarvo;

namespace {

BOOL CALLBACK FirstVisible(HWND w, LPARAM out)
{
    if (IsWindowVisible(w)) {
        *reinterpret_cast<HWND*>(out) = w;
        return FALSE;
    }
    return TRUE;
}

int Run()
{
    const std::string path = test::ScreensDir("screens") + "picture-dialog.png";
    const std::string backgrounds = test::WindowsPathOf(KLARVO_BACKGROUNDS) + "\\";

    const DWORD thread = GetCurrentThreadId();
    std::thread photographer([&] {
        HWND dialog = nullptr;
        for (int i = 0; i < 250 && !dialog; ++i) {
            Sleep(20);
            EnumThreadWindows(thread, FirstVisible, reinterpret_cast<LPARAM>(&dialog));
        }
        if (!dialog) {
            return;
        }
        Sleep(1000); // the folder's list and the picture are drawn
        RECT r{};
        GetWindowRect(dialog, &r);
        HDC screen = GetDC(nullptr);
        test::SaveDcToPng(screen, r.left, r.top, r.right - r.left, r.bottom - r.top, path);
        ReleaseDC(nullptr, screen);
        std::printf("%s\n", path.c_str());
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    std::string chosen;
    BrowseDialogs().OpenPicture(nullptr, "jpg, bmp|*.jpg; *.bmp", backgrounds, backgrounds + "marble.jpg", chosen);
    photographer.join();
    return 0;
}

} // namespace

int main()
{
    return klarvo::test::RunScreenProgram("picture_dialog_screens", Run);
}
