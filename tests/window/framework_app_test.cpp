#include <gtest/gtest.h>

#include "framework/window/HintWindow.h"
#include "framework/window/Timer.h"
#include "framework_support.h"
#include "support/RealInput.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

using namespace klarvo;
using namespace klarvo::test;

namespace {

// A generous limit, so that a broken build fails instead of hanging.
constexpr DWORD kPatienceMs = 10000;

using AppTest = FormTest;

TEST_F(AppTest, ShowMessageUsesTheTitleAsCaptionAndOneOkButton)
{
    std::string caption, text;
    UINT flags = 99;
    App().SetMessageBoxFunction([&](HWND, const std::string& t, const std::string& c, UINT f) {
        text = t;
        caption = c;
        flags = f;
        return IDOK;
    });
    App().SetTitle("Klarvo Shell");
    EXPECT_EQ(App().ShowMessage("File \"Klarvo.exe\" not found!"), IDOK);
    EXPECT_EQ(caption, "Klarvo Shell");
    EXPECT_EQ(text, "File \"Klarvo.exe\" not found!");
    EXPECT_EQ(flags, static_cast<UINT>(MB_OK));
}

TEST_F(AppTest, TimerFiresThroughTheLoopUntilDisabled)
{
    Timer timer(nullptr);
    timer.SetInterval(10);
    int fired = 0;
    timer.OnTimer = [&](Component* sender) {
        EXPECT_EQ(sender, &timer);
        ++fired;
    };
    ASSERT_TRUE(WaitUntil([&] { return fired >= 3; }, kPatienceMs));
    timer.SetEnabled(false);
    const int at = fired;
    // A timer of the same interval beating on shows the loop ran long enough.
    Timer barrier(nullptr);
    barrier.SetInterval(10);
    int beats = 0;
    barrier.OnTimer = [&](Component*) { ++beats; };
    ASSERT_TRUE(WaitUntil([&] { return beats >= 10; }, kPatienceMs));
    EXPECT_EQ(fired, at);
}

TEST_F(AppTest, AFailureFromATimerGoesToTheErrorBox)
{
    const std::pair<void (*)(), const char*> failures[] = {
        {[] { throw std::runtime_error("cannot read Conf.dat"); }, "cannot read Conf.dat"},
        {[] { throw 7; }, "Unexpected failure."},
    };
    for (const auto& [fail, text] : failures) {
        std::vector<std::string> boxes;
        App().SetMessageBoxFunction([&](HWND, const std::string& t, const std::string&, UINT) {
            boxes.push_back(t);
            return IDOK;
        });
        Timer timer(nullptr);
        timer.SetInterval(10);
        timer.OnTimer = [&, fail = fail](Component*) {
            timer.SetEnabled(false);
            fail();
        };
        ASSERT_TRUE(WaitUntil([&] { return !boxes.empty(); }, kPatienceMs));
        EXPECT_EQ(boxes.front(), text);
    }
}

// Any program can post WM_TIMER to the utility window: only the id of a
// running timer fires anything, and a callback address in lParam is never
// called.
TEST_F(AppTest, PostedTimerMessagesFireOnlyRunningTimers)
{
    Timer timer(nullptr);
    timer.SetInterval(60000);
    int fired = 0;
    timer.OnTimer = [&](Component*) { ++fired; };
    HWND utility = App().UtilityWindow();
    // The system alone sends a window its last message.
    PostMessageA(utility, WM_NCDESTROY, 0, 0);
    for (WPARAM id : {WPARAM{3}, WPARAM{0x100 - 1}, WPARAM{0x12345678}, ~WPARAM{0}, reinterpret_cast<WPARAM>(&timer)}) {
        PostMessageA(utility, WM_TIMER, id, 0);
    }
    PostMessageA(utility, WM_TIMER, 0x12345678, 0x1234);
    Pump();
    EXPECT_EQ(fired, 0);

    Timer stopped(nullptr);
    stopped.SetEnabled(false);
    int stoppedFired = 0;
    stopped.OnTimer = [&](Component*) { ++stoppedFired; };
    // Ids are consecutive: the neighbours of one that runs are tried too.
    for (WPARAM id = 0; id < 0x2000; ++id) {
        PostMessageA(utility, WM_TIMER, id, 0);
        if (id % 0x100 == 0) {
            Pump();
        }
    }
    Pump();
    EXPECT_EQ(fired, 1) << "the running timer's own id fires it";
    EXPECT_EQ(stoppedFired, 0);
}

// A failure that comes back with every message, while the box's own loop
// handles messages, shows one box and not one inside another.
TEST_F(AppTest, ErrorBoxesDoNotNest)
{
    int open = 0, deepest = 0, shown = 0;
    App().SetMessageBoxFunction([&](HWND, const std::string&, const std::string&, UINT flags) {
        ++shown;
        deepest = std::max(deepest, ++open);
        // What a modal box's loop does.
        if (flags & MB_ICONERROR) {
            WaitUntil([] { return false; }, 300);
        }
        --open;
        return IDOK;
    });
    Timer timer(nullptr);
    timer.SetInterval(10);
    timer.OnTimer = [&](Component*) { throw std::runtime_error("cannot read Conf.dat"); };
    ASSERT_TRUE(WaitUntil([&] { return shown >= 2; }, kPatienceMs));
    timer.SetEnabled(false);
    EXPECT_EQ(deepest, 1);
    // Other boxes are not error boxes and still show.
    App().ShowMessage("text");
    EXPECT_EQ(deepest, 1);
}

TEST_F(AppTest, MinimizeAndRestoreTheMainForm)
{
    Form* before = App().MainForm();
    App().SetMainForm(form.get());
    App().Minimize();
    EXPECT_TRUE(IsIconic(Hwnd()));
    App().Restore();
    EXPECT_FALSE(IsIconic(Hwnd()));
    App().SetMainForm(before);
}

// A hint window that records its activations.
struct Recorded {
    int made = 0;
    std::vector<std::pair<Rect, std::string>> shown;
};
Recorded g_recorded;

class RecordingHint : public HintWindow {
public:
    RecordingHint() { ++g_recorded.made; }
    void ActivateHint(Rect r, const std::string& text) override
    {
        g_recorded.shown.emplace_back(r, text);
        HintWindow::ActivateHint(r, text);
    }
};

TEST_F(AppTest, HintShowsInTheInstalledHintWindowClassAfterThePause)
{
    g_recorded = {};
    HintWindowClass before = App().GetHintWindowClass();
    App().SetShowHint(false);
    App().SetHintWindowClass([]() -> std::unique_ptr<HintWindow> { return std::make_unique<RecordingHint>(); });
    EXPECT_EQ(g_recorded.made, 0);
    App().SetShowHint(true); // switching hints on makes one of the class in force
    EXPECT_EQ(g_recorded.made, 1);
    App().SetHintPause(1);

    auto* c = Add<GraphicControl>(10, 10, 50, 20);
    c->SetHint("Free RAM");
    c->SetShowHint(true);
    // The real pointer: one that an earlier test left elsewhere would end
    // the hover through leave tracking before the pause was over.
    SetForegroundWindow(Hwnd());
    MoveTo(Hwnd(), 20, 15);
    ASSERT_TRUE(WaitUntil([&] { return !g_recorded.shown.empty(); }, kPatienceMs));

    HintWindow* w = App().CurrentHintWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(g_recorded.shown.front().second, "Free RAM");
    Rect asked = g_recorded.shown.front().first;
    RECT actual{};
    GetWindowRect(w->Handle(), &actual);
    EXPECT_TRUE(IsWindowVisible(w->Handle()));
    EXPECT_EQ(actual.bottom - actual.top, asked.Height() + 4);
    EXPECT_EQ(actual.right - actual.left, asked.Width());
    EXPECT_EQ(GetWindowLongA(w->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, WS_EX_TOPMOST);

    // Leaving the control hides the hint by destroying its window.
    MoveTo(Hwnd(), 200, 150);
    EXPECT_TRUE(WaitUntil([&] { return !w->HandleAllocated(); }, kPatienceMs));

    App().SetShowHint(false);
    App().SetHintWindowClass(before);
    App().SetShowHint(true);
    App().SetHintPause(500);
}

} // namespace
