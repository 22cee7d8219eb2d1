// The framework's ways around what a first Windows 95 lacks, run where the
// newer functions exist by asking for the old way directly.

#include "framework/window/CommonControls.h"
#include "support/Pump.h"
#include "support/RealInput.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

using namespace klarvo;
using namespace klarvo::test;

int g_leaves = 0, g_looks = 0, g_beats = 0;
constexpr UINT_PTR kBeatTimer = 1;

LRESULT CALLBACK CountLeaves(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_MOUSELEAVE) {
        ++g_leaves;
    }
    if (msg == WM_TIMER && LeaveTimerFired(window, wParam)) {
        ++g_looks;
        return 0;
    }
    if (msg == WM_TIMER && wParam == kBeatTimer) {
        ++g_beats;
        return 0;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

// Without TrackMouseEvent the framework watches the pointer itself: the
// leave must come once the pointer is over another window, and only once.
TEST(OldestWindows, EmulatedLeaveTrackingReportsThePointerLeavingOnce)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = CountLeaves;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "KlarvoLeaveProbe";
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 100, 100, 120, 80,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    SetForegroundWindow(window);
    g_leaves = 0;

    MoveTo(window, 40, 40);
    ASSERT_TRUE(TrackMouseLeave(window, LeaveTracking::Emulated));
    MoveTo(window, 60, 50);
    const int looked = g_looks;
    ASSERT_TRUE(WaitUntil([&] { return g_looks >= looked + 3; }, 3000)) << "the emulation looks at the pointer";
    EXPECT_EQ(g_leaves, 0) << "still inside: nothing yet";

    MoveToScreen(POINT{500, 500});
    EXPECT_TRUE(WaitUntil([] { return g_leaves > 0; }, 3000));
    // A timer as quick as the emulation's beating on: it would have looked again.
    const int looksAtLeave = g_looks;
    SetTimer(window, kBeatTimer, 100, nullptr);
    ASSERT_TRUE(WaitUntil([] { return g_beats >= 3; }, 3000));
    EXPECT_EQ(g_leaves, 1);
    EXPECT_EQ(g_looks, looksAtLeave) << "the watching ends with the leave";

    DestroyWindow(window);
    UnregisterClassA(wc.lpszClassName, wc.hInstance);
}

} // namespace
