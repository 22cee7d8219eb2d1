// The floor of the idle benchmark: the least a window program can do that
// shows a 500 x 100 picture renewed twice a second. It copies one prepared
// bitmap onto its window on every tick of a 500 ms timer and nothing more.
//
// With the argument "exchange" it is instead the least a shell can do
// between ticks under the cleaner link's rules, and draws nothing: each
// tick looks the cleaner's window up, posts it the status request, reads
// the memory status, and its window (of the shell's class, so that the
// cleaner answers it) takes the three replies.

#include <windows.h>

#include <cstring>

#include "link/Messages.h"
#include "win/Gdi.h"

namespace {

constexpr int kPictureWidth = 500;
constexpr int kPictureHeight = 100;
constexpr UINT kTickMs = 500;
constexpr UINT_PTR kTickTimer = 1;
constexpr char kFloorClass[] = "KlarvoIdleFloor";

HDC pictureDc = nullptr;
bool exchange = false;

void AskCleaner()
{
    if (HWND cleaner = FindWindowA(klarvo::kCleanerWindowClass, nullptr)) {
        PostMessageA(cleaner, klarvo::WM_CLEANERCMD, klarvo::cmdReportStatus, 0);
    }
    MEMORYSTATUS status{};
    status.dwLength = sizeof status;
    GlobalMemoryStatus(&status);
}

void CopyPicture(HWND window)
{
    if (HDC dc = GetDC(window)) {
        BitBlt(dc, 0, 0, kPictureWidth, kPictureHeight, pictureDc, 0, 0, SRCCOPY);
        ReleaseDC(window, dc);
    }
}

LRESULT CALLBACK FloorProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_TIMER:
        if (exchange) {
            AskCleaner();
        } else {
            CopyPicture(window);
        }
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(window, &ps);
        BitBlt(ps.hdc, 0, 0, kPictureWidth, kPictureHeight, pictureDc, 0, 0, SRCCOPY);
        EndPaint(window, &ps);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, msg, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    exchange = std::strstr(commandLine, "exchange") != nullptr;
    WNDCLASSA wc{};
    wc.lpfnWndProc = FloorProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = exchange ? klarvo::kShellWindowClass : kFloorClass;
    RegisterClassA(&wc);

    const klarvo::WindowDc screen(nullptr);
    const klarvo::MemoryDc memory(screen.Get());
    const klarvo::BitmapHandle picture(CreateCompatibleBitmap(screen.Get(), kPictureWidth, kPictureHeight));
    const klarvo::Selection selected(memory.Get(), picture.Get());
    pictureDc = memory.Get();
    RECT all{0, 0, kPictureWidth, kPictureHeight};
    FillRect(pictureDc, &all, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));

    HWND window = CreateWindowExA(0, wc.lpszClassName, "Idle floor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                  kPictureWidth + 40, kPictureHeight + 60, nullptr, nullptr, instance, nullptr);
    SetTimer(window, kTickTimer, kTickMs, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        DispatchMessageA(&msg);
    }
    return 0;
}
