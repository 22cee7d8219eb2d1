#include <gtest/gtest.h>

#include "framework/window/Application.h"
#include "framework/window/Form.h"
#include "framework/window/Timer.h"
#include "support/Pump.h"

#include <windows.h>

using namespace klarvo;

namespace {

// Closes a box that stayed open, so that a failure cannot hang the run.
bool g_neededRescue = false;
void CALLBACK Rescue(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    if (HWND box = FindWindowA("#32770", nullptr)) {
        g_neededRescue = true;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
}

// Ends a run that would never end, so the test fails instead of hanging.
bool g_gaveUp = false;
void CALLBACK GiveUp(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    g_gaveUp = true;
    PostQuitMessage(1);
}

// Each case runs in a program of its own: the end cannot be taken back.
TEST(Run, ShowsTheMainFormAndReturnsWhenItIsClosed)
{
    Form form(nullptr, "TRunTestForm");
    App().SetMainForm(&form);
    Timer closer(nullptr);
    closer.SetInterval(20);
    bool wasShown = false;
    closer.OnTimer = [&](Component*) {
        wasShown = IsWindowVisible(form.Handle()) != FALSE;
        closer.SetEnabled(false);
        PostMessageA(form.Handle(), WM_CLOSE, 0, 0);
    };
    UINT_PTR guard = SetTimer(nullptr, 0, 8000, GiveUp);
    App().Run();
    KillTimer(nullptr, guard);
    EXPECT_FALSE(g_gaveUp);
    EXPECT_TRUE(wasShown);
    EXPECT_TRUE(App().Terminated());
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
}

TEST(PendingEnd, MessageBoxesCloseByThemselvesAndTheQuitRequestStays)
{
    App().SetTitle("Klarvo Shell");
    App().Terminate();
    EXPECT_TRUE(App().Terminated());
    SetTimer(nullptr, 0, 8000, Rescue);

    EXPECT_EQ(App().ShowMessage("Don't run \"Klarvo.exe\" !"), IDOK);
    EXPECT_EQ(App().ShowMessage("second"), IDOK);
    EXPECT_FALSE(g_neededRescue);

    // The quit request is still waiting for the message loop.
    EXPECT_TRUE(test::QuitIsWaiting());
}

} // namespace
