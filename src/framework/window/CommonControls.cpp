#include "framework/window/CommonControls.h"

#include "win/SystemFunction.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>

namespace klarvo {

namespace {

// The emulated tracking's timer on the window it watches; an id no other
// timer of a framework window uses. It has no callback: the application's
// loop drops every WM_TIMER that names a function, since one from another
// program would name any address it liked.
constexpr UINT_PTR kLeaveTimerId = 0x4B4C;
// How often the emulation looks at the pointer; the platform's own
// tracking reacts within a mouse move, so this is about as quick as a
// person notices.
constexpr UINT kLeavePollMs = 100;

short Short(int v)
{
    return static_cast<short>(std::clamp(v, SHRT_MIN, SHRT_MAX));
}

} // namespace

void InitCommonControlClasses()
{
    using InitEx = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    // InitCommonControls is imported, so the library is loaded already.
    InitCommonControls();
    if (const auto initEx = SystemFunction<InitEx>("comctl32.dll", "InitCommonControlsEx")) {
        const INITCOMMONCONTROLSEX icc{sizeof icc, ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS | ICC_TAB_CLASSES};
        initEx(&icc);
    }
}

bool TrackMouseLeave(HWND window, LeaveTracking how)
{
    using Track = BOOL(WINAPI*)(TRACKMOUSEEVENT*);
    if (how == LeaveTracking::Best) {
        static const Track track = [] {
            const auto own = SystemFunction<Track>("user32.dll", "TrackMouseEvent");
            return own ? own : SystemFunction<Track>("comctl32.dll", "_TrackMouseEvent");
        }();
        if (track) {
            TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, window, 0};
            return track(&tme) != FALSE;
        }
    }
    return SetTimer(window, kLeaveTimerId, kLeavePollMs, nullptr) != 0;
}

bool LeaveTimerFired(HWND window, WPARAM timerId)
{
    if (timerId != kLeaveTimerId) {
        return false;
    }
    POINT p;
    if (!GetCursorPos(&p) || WindowFromPoint(p) != window) {
        KillTimer(window, kLeaveTimerId);
        PostMessageA(window, WM_MOUSELEAVE, 0, 0);
    }
    return true;
}

void SetUpDownRange(HWND updown, int min, int max)
{
    SendMessageA(updown, UDM_SETRANGE, 0, MAKELPARAM(Short(max), Short(min)));
    SendMessageA(updown, UDM_SETRANGE32, static_cast<WPARAM>(min), max);
}

void SetProgressRange(HWND progress, int min, int max)
{
    SendMessageA(progress, PBM_SETRANGE, 0, MAKELPARAM(Short(min), Short(max)));
    SendMessageA(progress, PBM_SETRANGE32, static_cast<WPARAM>(min), max);
}

} // namespace klarvo
