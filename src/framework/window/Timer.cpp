#include "framework/window/Timer.h"

#include "framework/window/Application.h"

#include <windows.h>

#include <map>

namespace klarvo {

namespace {

// Every live timer by its id. A WM_TIMER names its timer only by a number
// that any program can post, so the number is looked up, never trusted.
std::map<std::uintptr_t, Timer*>& LiveTimers()
{
    static std::map<std::uintptr_t, Timer*> timers;
    return timers;
}

// Below are the application's own timers of the utility window.
constexpr std::uintptr_t kFirstTimerId = 0x100;

std::uintptr_t NextTimerId()
{
    static std::uintptr_t next = kFirstTimerId;
    return next++;
}

} // namespace

Timer::Timer(Component* owner) : Component(owner), ownId_(NextTimerId())
{
    LiveTimers()[ownId_] = this;
    Update();
}

Timer::~Timer()
{
    LiveTimers().erase(ownId_);
    if (id_) {
        KillTimer(App().UtilityWindow(), id_);
    }
}

bool Timer::FireById(std::uintptr_t id)
{
    const auto found = LiveTimers().find(id);
    if (found == LiveTimers().end() || !found->second->id_) {
        return false;
    }
    found->second->Fire();
    return true;
}

void Timer::Update()
{
    HWND w = App().UtilityWindow();
    if (id_) {
        KillTimer(w, id_);
        id_ = 0;
    }
    if (enabled_ && interval_ > 0) {
        id_ = SetTimer(w, ownId_, interval_, nullptr) ? ownId_ : 0;
    }
}

void Timer::Fire()
{
    if (enabled_ && OnTimer) {
        OnTimer(this);
    }
}

} // namespace klarvo
