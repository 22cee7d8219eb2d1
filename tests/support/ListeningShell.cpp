#include "support/ListeningShell.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "link/Messages.h"
#include "support/Pump.h"

namespace klarvo::test {

LRESULT ListeningShell::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Recorded whichever loop dispatches it.
    if (message == WM_SHELLNOTIFY) {
        received.emplace_back(wParam, lParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

ListeningShell::ListeningShell()
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Procedure<>;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kShellWindowClass;
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, kShellWindowClass, "listener", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              windowClass.hInstance, static_cast<MessageWindow*>(this));
}

ListeningShell::~ListeningShell()
{
    DestroyWindow(window_);
    UnregisterClassA(kShellWindowClass, GetModuleHandleA(nullptr));
}

void ListeningShell::Collect()
{
    Pump();
}

bool ListeningShell::WaitFor(const std::function<bool()>& done, DWORD milliseconds, const std::function<void()>& poke)
{
    return WaitUntil(
        [&] {
            if (done()) {
                return true;
            }
            if (poke) {
                poke();
            }
            return false;
        },
        milliseconds);
}

std::vector<Notification> ListeningShell::Take()
{
    Collect();
    return std::exchange(received, {});
}

std::optional<LPARAM> ListeningShell::Last(WPARAM code) const
{
    for (auto it = received.rbegin(); it != received.rend(); ++it) {
        if (it->first == code) {
            return it->second;
        }
    }
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

std::function<bool()> ListeningShell::Received(Notification wanted) const
{
    return [this, wanted] { return std::find(received.begin(), received.end(), wanted) != received.end(); };
}

std::vector<LPARAM> ListeningShell::ValuesOf(WPARAM code) const
{
    std::vector<LPARAM> values;
    for (const Notification& n : received) {
        if (n.first == code) {
            values.push_back(n.second);
        }
    }
    return values;
}

void ExpectRisingPercents(const std::vector<LPARAM>& percents)
{
    LPARAM previous = -1;
    for (LPARAM percent : percents) {
        EXPECT_GT(percent, previous) << "progress only grows";
        EXPECT_GE(percent, 0);
        EXPECT_LE(percent, 100);
        previous = percent;
    }
}

} // namespace klarvo::test
