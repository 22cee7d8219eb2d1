#include <gtest/gtest.h>

#include "framework/Application.h"

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

// Kept in a program of its own: the pending end cannot be taken back.
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
    MSG msg;
    bool quit = false;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quit = true;
            break;
        }
    }
    EXPECT_TRUE(quit);
}

} // namespace
