#include "framework/Timer.h"

#include "framework/Application.h"

#include <windows.h>

namespace klarvo {

Timer::Timer(Component* owner) : Component(owner)
{
    Update();
}

Timer::~Timer()
{
    if (id_) {
        KillTimer(App().UtilityWindow(), id_);
    }
}

void Timer::SetEnabled(bool enabled)
{
    if (enabled != enabled_) {
        enabled_ = enabled;
        Update();
    }
}

void Timer::SetInterval(unsigned ms)
{
    if (ms != interval_) {
        interval_ = ms;
        Update();
    }
}

void Timer::Update()
{
    HWND w = App().UtilityWindow();
    if (id_) {
        KillTimer(w, id_);
        id_ = 0;
    }
    if (enabled_ && interval_ > 0) {
        // The timer's own address is its id: unique while it lives.
        id_ = SetTimer(w, reinterpret_cast<UINT_PTR>(this), interval_, nullptr);
    }
}

void Timer::Fire()
{
    if (enabled_ && OnTimer) {
        OnTimer(this);
    }
}

} // namespace klarvo
