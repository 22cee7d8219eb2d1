#include "app/ShellWindow.h"

#include "link/Messages.h"

namespace klarvo {
namespace {

// The frameless main window's client size.
constexpr int kShellWidth = 527;
constexpr int kShellHeight = 328;

LRESULT CALLBACK ShellWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_NCHITTEST: {
        // Frameless: the whole window drags until the caption strip exists.
        const LRESULT hit = DefWindowProcA(window, message, wParam, lParam);
        return hit == HTCLIENT ? HTCAPTION : hit;
    }
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

bool RegisterShellClass(HINSTANCE instance)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ShellWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kShellWindowClass;
    return RegisterClassA(&windowClass) != 0;
}

HWND CreateShellWindow(HINSTANCE instance)
{
    const int left = (GetSystemMetrics(SM_CXSCREEN) - kShellWidth) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - kShellHeight) / 2;
    return CreateWindowExA(0, kShellWindowClass, kStartTitle, WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX, left, top,
                           kShellWidth, kShellHeight, nullptr, nullptr, instance, nullptr);
}

} // namespace

int RunShell(HINSTANCE instance, int showCommand)
{
    if (!RegisterShellClass(instance))
        return 1;
    HWND window = CreateShellWindow(instance);
    if (!window)
        return 1;
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

} // namespace klarvo
