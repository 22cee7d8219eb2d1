#include "framework/window/OnScreen.h"

#include "framework/drawing/Types.h"
#include "win/SystemFunction.h"

namespace klarvo {

namespace {

// The innermost guard: a dialog may open a message box. Dialogs run only on
// the user-interface thread.
KeepDialogsOnScreen* g_current = nullptr;

// The monitor functions' types, which the Windows 95 headers this program is
// built against do not declare.
struct MonitorInfo {
    DWORD size;
    RECT monitor;
    RECT work;
    DWORD flags;
};
constexpr DWORD kNearestMonitor = 2; // MONITOR_DEFAULTTONEAREST

} // namespace

RECT WorkAreaAround(HWND window)
{
    using FromWindow = HANDLE(WINAPI*)(HWND, DWORD);
    using Info = BOOL(WINAPI*)(HANDLE, MonitorInfo*);
    const auto monitorFromWindow = SystemFunction<FromWindow>("user32.dll", "MonitorFromWindow");
    const auto getMonitorInfo = SystemFunction<Info>("user32.dll", "GetMonitorInfoA");
    if (monitorFromWindow && getMonitorInfo) {
        MonitorInfo info{};
        info.size = sizeof info;
        if (HANDLE monitor = monitorFromWindow(window, kNearestMonitor); monitor && getMonitorInfo(monitor, &info)) {
            return info.work;
        }
    }
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

KeepDialogsOnScreen::KeepDialogsOnScreen(HWND owner) : owner_(owner), outer_(g_current)
{
    hook_ = SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId());
    g_current = this;
}

KeepDialogsOnScreen::~KeepDialogsOnScreen()
{
    g_current = outer_;
    if (hook_) {
        UnhookWindowsHookEx(hook_);
    }
}

LRESULT CALLBACK KeepDialogsOnScreen::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    // By its first activation a dialog has taken its size and place.
    if (code == HCBT_ACTIVATE && g_current) {
        g_current->Place(reinterpret_cast<HWND>(wParam));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void KeepDialogsOnScreen::Place(HWND window)
{
    if (window == owner_ || !placed_.insert(window).second) {
        return; // a window the person may have moved since is left where it is
    }
    MoveIntoWorkArea(window, owner_);
}

void MoveIntoWorkArea(HWND window, HWND reference)
{
    RECT r{};
    if (!GetWindowRect(window, &r)) {
        return;
    }
    const RECT area = WorkAreaAround(reference ? reference : window);
    const Rect kept =
        KeptInside(Rect{r.left, r.top, r.right, r.bottom}, Rect{area.left, area.top, area.right, area.bottom});
    if (kept.left != r.left || kept.top != r.top) {
        SetWindowPos(window, nullptr, kept.left, kept.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

} // namespace klarvo
