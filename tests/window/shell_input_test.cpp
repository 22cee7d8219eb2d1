#include <gtest/gtest.h>

#include "pages_fixture.h"

using namespace klarvo;
using namespace klarvo::test;

namespace {

// The real window driven only through the platform's input queue.
class ShellInputTest : public PagesTest {
protected:
    void SetUp() override
    {
        PagesTest::SetUp();
        StartReal();
        SetForegroundWindow(shell->Handle());
    }
    void ShowPage(int page) { Click("nb" + std::to_string(page + 1)); }
    void ClickArrow(const std::string& updown, bool up)
    {
        Click(updown, -1, Get<Control>(updown).Height() * (up ? 1 : 3) / 4);
    }
    // Lets the platform's repeat timer run if it still does.
    static void Idle(DWORD ms)
    {
        WaitUntil([] { return false; }, ms);
    }
};

TEST_F(ShellInputTest, OneClickOnAnArrowIsOneStepAndApplyStoresIt)
{
    ShowPage(1);
    ASSERT_EQ(Position("udminproc"), 15);
    ClickArrow("udminproc", true);
    EXPECT_EQ(Position("udminproc"), 20);
    // An up-down repeats on a timer of its own, which no message can queue
    // behind: a bounded wait past its first repeat (500 ms) is the proof.
    Idle(800);
    EXPECT_EQ(Position("udminproc"), 20) << "no repeat after the release";
    ClickArrow("udminproc", false);
    ClickArrow("udminproc", false);
    Idle(800);
    EXPECT_EQ(Position("udminproc"), 10);
    Click("nbapply");
    EXPECT_EQ(ReadConf(slotMinProc), 10);
}

int boxStep = 0;
// Inside a message box's loop: the button goes up, then the box closes.
void CALLBACK ReleaseThenCloseTheBox(HWND, UINT, UINT_PTR, DWORD)
{
    if (boxStep++ == 0) {
        INPUT up{};
        up.type = INPUT_MOUSE;
        up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(1, &up, sizeof up);
    } else if (HWND box = FindWindowA("#32770", "box")) {
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
}

TEST_F(ShellInputTest, AHeldArrowRepeatsAndStopsAtTheRelease)
{
    ShowPage(1);
    auto& updown = Get<UpDown>("udevery");
    const HWND window = shell->Handle();
    RECT frame{};
    GetWindowRect(window, &frame);
    // Released over the arrow, after the pointer left the window, after
    // another window took the focus, and while a message box is up.
    for (int way = 0; way < 4; ++way) {
        SCOPED_TRACE(way);
        updown.SetPosition(5);
        PointAt("udevery", -1, updown.Height() / 4);
        PressLeft();
        EXPECT_EQ(Position("udevery"), 6);
        ASSERT_TRUE(WaitUntil([&] { return Position("udevery") >= 8; }, 3000)) << "a held arrow repeats";
        HWND other = nullptr;
        if (way == 1) {
            MoveToScreen(POINT{frame.right + 30, frame.bottom + 30});
        } else if (way == 2) {
            other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, frame.right + 10, 0, 50, 50, nullptr,
                                    nullptr, nullptr, nullptr);
            SetForegroundWindow(other);
        } else if (way == 3) {
            boxStep = 0;
            const UINT_PTR timer = SetTimer(nullptr, 0, 100, ReleaseThenCloseTheBox);
            MessageBoxA(window, "held", "box", MB_OK);
            KillTimer(nullptr, timer);
        }
        if (way != 3) {
            ReleaseLeft();
        }
        const int released = Position("udevery");
        // Past the up-down's own repeat interval: nothing to wait behind.
        Idle(600);
        EXPECT_EQ(Position("udevery"), released);
        EXPECT_LT(released, 60);
        if (other) {
            DestroyWindow(other);
            SetForegroundWindow(window);
        }
    }
}

TEST_F(ShellInputTest, AnArrowAtTheEndOfItsRangeStillMarksAChange)
{
    ShowPage(1);
    Get<UpDown>("udminproc").SetPosition(100);
    Click("nbapply");
    ASSERT_FALSE(Apply().Enabled());
    ClickArrow("udminproc", true);
    EXPECT_EQ(Position("udminproc"), 100);
    EXPECT_TRUE(Apply().Enabled());
}

TEST_F(ShellInputTest, BrowseButtonsGreyAndGoDeafWithTheirFields)
{
    const struct {
        int page;
        const char* box;
        const char* field;
    } cases[] = {{3, "cbdir", "dedir"}, {4, "cbsound", "fesound"}, {4, "cbwall", "fewall"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        ShowPage(c.page);
        const HWND button = Get<BrowseEdit>(c.field).ButtonHandle();
        auto dialogsOpened = [&] { return dialogs.folderDialogs + static_cast<int>(dialogs.filters.size()); };
        for (bool on : {!Checked(c.box), Checked(c.box)}) {
            Click(c.box);
            ASSERT_EQ(Checked(c.box), on);
            EXPECT_EQ(Enabled(c.field), on);
            EXPECT_EQ(IsWindowEnabled(button) != FALSE, on);
            const int before = dialogsOpened();
            RECT r{};
            GetClientRect(button, &r);
            ClickAt(button, r.right / 2, r.bottom / 2);
            EXPECT_EQ(dialogsOpened(), before + (on ? 1 : 0));
        }
    }
}

TEST_F(ShellInputTest, CtrlTabTurnsThePagesAndTheButtonRowFollows)
{
    ShowPage(3);
    Click("dedir"); // the focus on the page that goes away
    // Unseen, ticks leave the Info page's picture behind.
    memory.Set(65, 60);
    TickPastTheRightEdge();
    auto& pc = Get<PageControl>("pc");
    TapKey(VK_TAB, {VK_CONTROL});
    ExpectOnPage(4);
    TapKey(VK_TAB, {VK_CONTROL, VK_SHIFT});
    TapKey(VK_TAB, {VK_CONTROL, VK_SHIFT});
    ExpectOnPage(2);
    EXPECT_FALSE(PictureIsCurrent()) << "no picture drawn for other pages";
    for (int i = 0; i < 2; ++i) {
        TapKey(VK_TAB, {VK_CONTROL, VK_SHIFT});
    }
    ExpectOnPage(0);
    EXPECT_TRUE(PictureIsCurrent()) << "the Info page's picture is drawn when it is turned to";
    TapKey(VK_TAB, {VK_CONTROL, VK_SHIFT});
    ExpectOnPage(pc.PageCount() - 1);
    TapKey(VK_TAB);
    EXPECT_EQ(pc.ActivePageIndex(), pc.PageCount() - 1) << "Tab alone moves the focus only";
}

TEST_F(ShellInputTest, TheSpaceBarOnABoxIsFollowedAsAClickIs)
{
    const struct {
        int page;
        const char* box;
        const char* follower;
        std::int32_t slot;
    } cases[] = {
        {1, "cbauto", "ndminproc", slotAuto}, {3, "cbdir", "dedir", slotDir}, {4, "cbsound", "fesound", slotSound}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box);
        ShowPage(c.page);
        Click(c.box); // the focus on the box
        for (int press = 0; press < 2; ++press) {
            const bool on = !Checked(c.box);
            Apply().SetEnabled(false);
            TapKey(VK_SPACE);
            ASSERT_EQ(Checked(c.box), on);
            EXPECT_EQ(Enabled(c.follower), on);
            EXPECT_TRUE(Apply().Enabled());
        }
        Click("nbapply");
        EXPECT_EQ(ReadConf(c.slot) != 0, Checked(c.box));
    }
    // A radio button: its group follows.
    ShowPage(1);
    if (!Checked("cbauto")) {
        Click("cbauto");
    }
    Click("rbfast");
    ASSERT_FALSE(Enabled("ndfree"));
    Get<TIACheckControl>("rbfull").SetFocus();
    TapKey(VK_SPACE);
    EXPECT_TRUE(Checked("rbfull"));
    EXPECT_TRUE(Enabled("ndfree"));
}

TEST_F(ShellInputTest, OneClickOnEachKindOfControlDoesWhatOneClickDoes)
{
    // A page button shows its page and stays down.
    ShowPage(2);
    EXPECT_EQ(Get<PageControl>("pc").ActivePageIndex(), 2);
    EXPECT_TRUE(Get<TGradBtn>("nb3").DownLock());

    // A speed button of the RAM page: Apply stores its share.
    Apply().SetEnabled(false);
    Click("sb3");
    EXPECT_TRUE(Get<SpeedButton>("sb3").Down());
    EXPECT_TRUE(Apply().Enabled());
    Click("nbapply");
    EXPECT_FALSE(Apply().Enabled());
    EXPECT_EQ(ReadConf(slotRamPercent), 30);

    // A Clear button sends its category once.
    ShowPage(3);
    cleaner.commands.clear();
    Click("nbtemp");
    EXPECT_EQ(cleaner.commands, (std::vector<std::pair<std::int32_t, std::int32_t>>{{cmdClearHdd, hcTemp}}));

    // An edit takes what is typed into it.
    ShowPage(4);
    if (!Checked("cbhot1")) {
        Click("cbhot1");
    }
    Click("edhot1");
    TapKey(VK_END);
    TapKey(VK_BACK);
    TapKey('K');
    EXPECT_EQ(Text("edhot1"), "K");
    Click("nbapply");
    EXPECT_EQ(ReadConf(slotHot1), 'K');

    // The minimise button.
    Click("nbminimize");
    EXPECT_TRUE(IsIconic(shell->Handle()));
    EXPECT_TRUE(messages.empty());
}

bool dragged = false;
// Moves the held pointer by (40, 30) and releases the button. Sent bare: the
// move loop must be the one that takes these events from the queue.
void CALLBACK DragOnward(HWND, UINT, UINT_PTR, DWORD)
{
    if (dragged) {
        return;
    }
    dragged = true;
    POINT p{};
    GetCursorPos(&p);
    INPUT in[2]{PointerMoveEvent(POINT{p.x + 40, p.y + 30})};
    in[1].type = INPUT_MOUSE;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof in[0]);
}

TEST_F(ShellInputTest, DraggingTheTitlePictureMovesTheWindow)
{
    RECT before{};
    GetWindowRect(shell->Handle(), &before);
    PointAt("imcap", 100, 8);
    // The platform's move loop holds this thread from the press to the
    // release: a timer of the thread moves the pointer and lets go.
    dragged = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, DragOnward);
    PressLeft();
    WaitUntil([] { return dragged; }, 3000);
    SettleInput();
    KillTimer(nullptr, timer);
    RECT after{};
    GetWindowRect(shell->Handle(), &after);
    EXPECT_EQ(after.left - before.left, 40);
    EXPECT_EQ(after.top - before.top, 30);
}

} // namespace
