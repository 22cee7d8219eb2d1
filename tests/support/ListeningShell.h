#pragma once

// A window of the shell's class that records what the cleaner tells it.

#include <windows.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "win/MessageWindow.h"

namespace klarvo::test {

using Notification = std::pair<WPARAM, LPARAM>;

// Takes the shell's place: a hidden window of the shell's class in this
// process that records every notification posted to it. Other programs
// find it exactly as they find the real shell. Notifications arrive when
// this thread's messages are handled (Collect, WaitFor, Pump, WaitUntil).
class ListeningShell : private MessageWindow {
public:
    ListeningShell();
    ~ListeningShell();
    ListeningShell(const ListeningShell&) = delete;
    ListeningShell& operator=(const ListeningShell&) = delete;

    // Handles what arrived, so that it is in `received`.
    void Collect();
    // Collects until `done` holds or time runs out; `poke` runs between
    // rounds (to ask the sender again).
    bool WaitFor(const std::function<bool()>& done, DWORD milliseconds, const std::function<void()>& poke = {});

    // The last value of a code, or nothing.
    std::optional<LPARAM> Last(WPARAM code) const;
    std::size_t Count(WPARAM code) const;
    // Collects, and hands over everything received so far.
    std::vector<Notification> Take();
    // A condition for WaitFor: at least `count` notifications of the code.
    std::function<bool()> Has(WPARAM code, std::size_t count = 1) const;
    // A condition for WaitFor: this very notification arrived.
    std::function<bool()> Received(Notification wanted) const;
    // The values of a code in the order they came.
    std::vector<LPARAM> ValuesOf(WPARAM code) const;

    HWND Handle() const { return window_; }

    std::vector<Notification> received;

private:
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    // A record that cannot be kept is lost, like a notification to a busy
    // shell.
    void OnFailure() override {}

    HWND window_ = nullptr;
};

// Progress reports in percent: each larger than the one before, none past 100.
void ExpectRisingPercents(const std::vector<LPARAM>& percents);

} // namespace klarvo::test
