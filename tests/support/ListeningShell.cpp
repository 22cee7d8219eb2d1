#include "support/ListeningShell.h"

#include <algorithm>

#include "link/Messages.h"

namespace klarvo::test {

ListeningShell::ListeningShell()
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kShellWindowClass;
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, kShellWindowClass, "listener", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              windowClass.hInstance, nullptr);
}

ListeningShell::~ListeningShell()
{
    DestroyWindow(window_);
    UnregisterClassA(kShellWindowClass, GetModuleHandleA(nullptr));
}

void ListeningShell::Collect()
{
    MSG message;
    while (PeekMessageA(&message, window_, 0, 0, PM_REMOVE))
        if (message.message == WM_SHELLNOTIFY)
            received.emplace_back(message.wParam, message.lParam);
}

bool ListeningShell::WaitFor(const std::function<bool()>& done, DWORD milliseconds, const std::function<void()>& poke)
{
    const DWORD start = GetTickCount();
    for (;;) {
        Collect();
        if (done())
            return true;
        if (GetTickCount() - start >= milliseconds)
            return false;
        if (poke)
            poke();
        Sleep(20);
    }
}

std::optional<LPARAM> ListeningShell::Last(WPARAM code) const
{
    for (auto it = received.rbegin(); it != received.rend(); ++it)
        if (it->first == code)
            return it->second;
    return std::nullopt;
}

std::size_t ListeningShell::Count(WPARAM code) const
{
    return static_cast<std::size_t>(
        std::count_if(received.begin(), received.end(), [code](const Notification& n) { return n.first == code; }));
}

std::function<bool()> ListeningShell::Has(WPARAM code, std::size_t count) const
{
    return [this, code, count] { return Count(code) >= count; };
}

} // namespace klarvo::test
