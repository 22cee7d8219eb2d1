#include <gtest/gtest.h>

#include "framework/window/Form.h"
#include "framework/window/OnScreen.h"
#include "pages_fixture.h"
#include "win/SystemFunction.h"

#include <functional>

using namespace klarvo;
using namespace klarvo::test;

namespace {

TEST(KeptInside, MovesAWindowTheLeastWayIntoTheArea)
{
    const Rect area{0, 0, 640, 452};
    const struct {
        Rect window, kept;
    } cases[] = {
        {{10, 10, 100, 100}, {10, 10, 100, 100}},     // inside: stays
        {{567, 349, 1157, 598}, {50, 203, 640, 452}}, // past the right and bottom edges
        {{-20, -5, 80, 95}, {0, 0, 100, 100}},        // past the left and top edges
        {{100, 10, 800, 100}, {0, 10, 700, 100}},     // wider than the area: its left edge shows
        {{10, 300, 100, 900}, {10, 0, 100, 600}},     // taller: its top edge shows
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeptInside(c.window, area), c.kept) << c.window.left << "," << c.window.top;
    }
}

// The real window driven by keys alone, through the platform's input queue.
class ShellKeyboardTest : public PagesTest {
protected:
    void SetUp() override
    {
        PagesTest::SetUp();
        StartReal();
        SetForegroundWindow(shell->Handle());
        SettleInput();
    }

    static WinControl* FocusedControl()
    {
        for (HWND h = GetFocus(); h; h = GetParent(h)) {
            if (WinControl* c = WinControl::FromHandle(h)) {
                return c;
            }
        }
        return nullptr;
    }
    bool HasFocus(const std::string& name) { return FocusedControl() == &Get<WinControl>(name); }
    // Tab until the control has the focus, as a person would.
    void TabTo(const std::string& name)
    {
        for (int presses = 0; presses < 60 && !HasFocus(name); ++presses) {
            TapKey(VK_TAB);
        }
        ASSERT_TRUE(HasFocus(name)) << name << " is not in the tab ring";
    }
    bool FocusOnActivePage()
    {
        const HWND page = Get<PageControl>("pc").ActivePage()->Handle();
        return IsChild(page, GetFocus()) != FALSE;
    }
    // Ctrl+Tab to the page; the focus lands on its first control.
    void TurnTo(int page)
    {
        for (int turns = 0; turns < 7 && ActivePage() != page; ++turns) {
            TapKey(VK_TAB, {VK_CONTROL});
            EXPECT_TRUE(FocusOnActivePage()) << "page " << ActivePage();
        }
        ASSERT_EQ(ActivePage(), page);
    }
    // Apply by its button; the focus must go on from the disabled button.
    void ApplyByKeys()
    {
        TabTo("nbapply");
        TapKey(VK_RETURN);
        ASSERT_FALSE(Apply().Enabled());
        WinControl* next = FocusedControl();
        ASSERT_NE(next, nullptr) << "the focus was lost with Apply";
        EXPECT_TRUE(next->CanFocus() && next->TabStop());
        TapKey(VK_TAB);
        EXPECT_NE(FocusedControl(), next) << "Tab goes on after Apply";
    }
    void ToggleByKeys(const std::string& box)
    {
        TabTo(box);
        const bool was = Checked(box);
        TapKey(VK_SPACE);
        ASSERT_NE(Checked(box), was);
    }
    // A box switched by Space and applied by keys: its slot follows.
    void ToggleAndApplyByKeys(const std::string& box, Slot slot)
    {
        ToggleByKeys(box);
        const bool on = Checked(box);
        ApplyByKeys();
        EXPECT_EQ(ReadConf(slot), on ? 1 : 0) << box;
    }

    // Auto RAM cleaning: a number field steps by its up-down's increment
    // within its limits, its label follows and Apply stores it.
    void WorkAutoRamPage()
    {
        TurnTo(1);
        const std::int32_t every = ReadConf(slotEvery);
        TabTo("ndevery");
        Apply().SetEnabled(false);
        for (int i = 0; i < 3; ++i) {
            TapKey(VK_UP);
        }
        EXPECT_EQ(Position("udevery"), every + 3);
        EXPECT_EQ(Text("ndevery"), std::to_string(every + 3));
        EXPECT_TRUE(Apply().Enabled());
        TapKey(VK_DOWN);
        const std::string minLabel = Text("lbminmb");
        TabTo("ndminproc");
        TapKey(VK_DOWN);
        EXPECT_NE(Text("lbminmb"), minLabel) << "the megabyte label follows";
        ApplyByKeys();
        EXPECT_EQ(ReadConf(slotEvery), every + 2);
        ToggleAndApplyByKeys("cbauto", slotAuto);
    }

    // RAM cleaning: a share by its digit, then Start !.
    void WorkRamPage()
    {
        TurnTo(2);
        TapKey('3');
        EXPECT_TRUE(Get<SpeedButton>("sb3").Down());
        ApplyByKeys();
        EXPECT_EQ(ReadConf(slotRamPercent), 30);
        cleaner.commands.clear();
        TabTo("nbramstart");
        TapKey(VK_RETURN);
        ASSERT_EQ(cleaner.commands.size(), 1u);
        EXPECT_EQ(cleaner.commands[0].first, cmdFreeRam);
    }

    // HDD cleaning: a category, a Clear, and the folder dialog opened from
    // its field and cancelled, with the focus back in the field.
    void WorkHddPage()
    {
        TurnTo(3);
        ToggleAndApplyByKeys("cbtemp", slotTemp);
        cleaner.commands.clear();
        TabTo("nbtemp");
        TapKey(VK_RETURN);
        EXPECT_EQ(cleaner.commands, (std::vector<std::pair<std::int32_t, std::int32_t>>{{cmdClearHdd, hcTemp}}));
        if (!Checked("cbdir")) {
            ToggleByKeys("cbdir");
        }
        TabTo("dedir");
        TapKey(VK_F4);
        EXPECT_EQ(dialogs.folderDialogs, 1);
        EXPECT_TRUE(HasFocus("dedir"));
        dialogs.answer = "C:\\keyed";
        TapKey(VK_DOWN, {VK_MENU});
        EXPECT_EQ(dialogs.folderDialogs, 2);
        EXPECT_EQ(Text("dedir"), "C:\\keyed");
        ApplyByKeys();
    }

    // Options: the tray figure.
    void WorkOptionsAndHelpPages()
    {
        TurnTo(4);
        ToggleAndApplyByKeys("cbtraymem", slotTrayMem);

        // Help: a topic by its line's digit, and back to the index; Back goes
        // grey under the focus, which moves on.
        TurnTo(5);
        TapKey('4');
        EXPECT_EQ(Text("lbcap"), "Configure Klarvo");
        TabTo("nbind");
        TapKey(VK_RETURN);
        EXPECT_FALSE(Get<Control>("lbcap").Visible()) << "the index again";
        TapKey('1');
        TabTo("nbback");
        TapKey(VK_RETURN);
        EXPECT_FALSE(Enabled("nbback"));
        EXPECT_NE(FocusedControl(), nullptr);
        EXPECT_FALSE(Get<Control>("lbcap").Visible()) << "the index again";
    }
};

// The pages in turn, each worked as a person with only a keyboard would.
TEST_F(ShellKeyboardTest, EveryPageIsWorkedByKeysAlone)
{
    ASSERT_NO_FATAL_FAILURE(WorkAutoRamPage());
    ASSERT_NO_FATAL_FAILURE(WorkRamPage());
    ASSERT_NO_FATAL_FAILURE(WorkHddPage());
    ASSERT_NO_FATAL_FAILURE(WorkOptionsAndHelpPages());
}

TEST_F(ShellKeyboardTest, TheKeysWorkWhenNoControlHasTheFocus)
{
    for (const bool ctrl : {false, true}) {
        SCOPED_TRACE(ctrl ? "Ctrl+Tab" : "Tab");
        ::SetFocus(nullptr);
        const int page = ActivePage();
        if (ctrl) {
            TapKey(VK_TAB, {VK_CONTROL});
            EXPECT_EQ(ActivePage(), page + 1);
        } else {
            TapKey(VK_TAB);
        }
        EXPECT_NE(FocusedControl(), nullptr);
    }
}

TEST_F(ShellKeyboardTest, FocusFramesShowOnlyOnceTheKeyboardIsUsed)
{
    Click("nb4");
    Click("nbtemp");
    auto frames = [&] {
        return Get<TGradBtn>("nbtemp").ShowFocus() && Get<TGradBtn>("nbapply").ShowFocus() &&
               Get<TIACheckControl>("cbtemp").ShowFocus();
    };
    EXPECT_FALSE(frames()) << "a mouse user sees the stored look";
    TapKey(VK_TAB);
    EXPECT_TRUE(frames());
}

// The platform's dialogs and a message box, each opened from the keyboard
// with the shell in the bottom-right corner of the screen, must lie within
// the work area; Escape closes each. Run also on a 640 x 480 screen.
struct DialogWatch {
    std::vector<RECT> seen;
    HWND shell = nullptr;
};
DialogWatch* g_watch = nullptr;

void CALLBACK NoteAndEscape(HWND, UINT, UINT_PTR, DWORD)
{
    const HWND active = GetActiveWindow();
    if (!g_watch || !active || active == g_watch->shell || !IsWindowVisible(active)) {
        return;
    }
    RECT r{};
    GetWindowRect(active, &r);
    g_watch->seen.push_back(r);
    SendBareKey(VK_ESCAPE);
}

TEST_F(ShellKeyboardTest, DialogsStayInsideTheWorkArea)
{
    SetBrowseDialogs(nullptr);
    App().SetMessageBoxFunction(nullptr);
    const HWND window = shell->Handle();
    const RECT area = WorkAreaAround(window);
    RECT own{};
    GetWindowRect(window, &own);
    SetWindowPos(window, nullptr, area.right - (own.right - own.left), area.bottom - (own.bottom - own.top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    const std::pair<int, const char*> fields[] = {{3, "dedir"}, {4, "fesound"}, {4, "fewall"}};
    for (const char* missing : {"", "MonitorFromWindow"}) {
        SCOPED_TRACE(*missing ? "without monitor functions" : "with monitor functions");
        ScopedMissingFunctions without(missing);
        DialogWatch watch;
        watch.shell = window;
        g_watch = &watch;
        const UINT_PTR timer = SetTimer(nullptr, 0, 100, NoteAndEscape);
        for (const auto& [page, field] : fields) {
            Click("nb" + std::to_string(page + 1));
            Get<WinControl>(field).SetEnabled(true);
            Get<WinControl>(field).SetFocus();
            TapKey(VK_F4);
            EXPECT_TRUE(HasFocus(field));
        }
        App().ShowMessage("on the screen");
        KillTimer(nullptr, timer);
        g_watch = nullptr;
        ASSERT_EQ(watch.seen.size(), 4u);
        for (const RECT& r : watch.seen) {
            EXPECT_TRUE(r.left >= area.left && r.top >= area.top && r.right <= area.right && r.bottom <= area.bottom)
                << r.left << "," << r.top << " " << r.right - r.left << "x" << r.bottom - r.top << " in " << area.right
                << "x" << area.bottom;
            std::printf("dialog at %ld,%ld size %ldx%ld, work area %ldx%ld\n", r.left, r.top, r.right - r.left,
                        r.bottom - r.top, area.right - area.left, area.bottom - area.top);
        }
    }
}

} // namespace
