#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "link/Messages.h"
#include "settings/ConfFile.h"
#include "settings/ConfStr.h"
#include "settings/SlotTable.h"
#include "settings/System.h"
#include "support/Desktop.h"
#include "support/ListeningShell.h"
#include "support/Process.h"
#include "support/Pump.h"
#include "support/RealInput.h"
#include "support/ShellPlaces.h"
#include "support/TempDir.h"
#include "suite_fixture.h"

using namespace klarvo;
using namespace klarvo::test;

namespace {

// Taken for an instant by this test: a key another program holds cannot be.
bool HotKeyIsFree(UINT modifiers, UINT key)
{
    constexpr int kProbe = 0xBFFF;
    if (!RegisterHotKey(nullptr, kProbe, modifiers, key)) {
        return false;
    }
    UnregisterHotKey(nullptr, kProbe);
    return true;
}

// A button of the shell found the way a person finds it: by its caption and,
// where several share one, by its place on its page.
struct ButtonQuery {
    std::string caption;
    std::optional<POINT> place; // top left within the parent's client area
    HWND found = nullptr;
};

BOOL CALLBACK MatchButton(HWND window, LPARAM context)
{
    auto& query = *reinterpret_cast<ButtonQuery*>(context);
    char text[128] = {};
    GetWindowTextA(window, text, sizeof text);
    if (query.caption != text) {
        return TRUE;
    }
    if (query.place) {
        RECT bounds;
        GetWindowRect(window, &bounds);
        POINT topLeft{bounds.left, bounds.top};
        ScreenToClient(GetParent(window), &topLeft);
        if (topLeft.x != query.place->x || topLeft.y != query.place->y) {
            return TRUE;
        }
    }
    query.found = window;
    return FALSE;
}

HWND FindButton(HWND shell, const std::string& caption, std::optional<POINT> place = std::nullopt)
{
    ButtonQuery query{caption, place};
    EnumChildWindows(shell, MatchButton, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

// The first child of `parent` whose window class contains `kind`.
HWND FindChildOfKind(HWND parent, const std::string& kind)
{
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[128] = {};
        GetClassNameA(child, name, sizeof name);
        if (std::string(name).find(kind) != std::string::npos) {
            return child;
        }
    }
    return nullptr;
}

// A left click in the middle of the button through the input queue, as a
// person makes it; the window goes to the front first, since a real click
// lands on whatever lies under the pointer.
void Click(HWND button)
{
    EXPECT_TRUE(IsWindowVisible(button)) << "nobody can click a hidden button";
    SetForegroundWindow(GetAncestor(button, GA_ROOT));
    RECT client;
    GetClientRect(button, &client);
    ClickAt(button, client.right / 2, client.bottom / 2);
}

TEST_F(Suite, FirstStartWritesTheSettingsAndStartsTheCleanerWhichOutlivesTheShell)
{
    ASSERT_NE(OpenShell(), nullptr);
    HWND cleaner = WaitForWindow(kCleanerWindowClass, kStartPatienceMs);
    ASSERT_NE(cleaner, nullptr) << "the shell's tick starts the cleaner";
    EXPECT_NE(ProcessOf(cleaner), shell->Id());
    EXPECT_TRUE(FileExists(Conf()));
    EXPECT_TRUE(FileExists(dir.File("ConfStr.dat")));
    EXPECT_EQ(ReadConf(Conf(), slotAuto), 1);
    EXPECT_EQ(ReadConfStr(dir.File("ConfStr.dat")).size(), static_cast<std::size_t>(kConfStrLineCount));

    CloseShell();
    EXPECT_EQ(FindWindowA(kCleanerWindowClass, nullptr), cleaner) << "closing the shell leaves the cleaner running";
    EXPECT_EQ(ReadConf(Conf(), slotAuto), 1);
}

TEST_F(Suite, ApplyMakesTheCleanerTakeUpTheHotKeysAndItsSwitchReachesTheShell)
{
    ASSERT_NE(FirstStart(), nullptr);
    // Hot keys saved while the shell was closed: the shell loads them, but
    // the running cleaner knows nothing of them until the shell's Apply.
    WriteConf(Conf(), slotHot2, 'K');
    WriteConf(Conf(), slotHot3, 'J');
    // On the Options page, which shows Apply and the hot keys.
    HWND window = OpenShell("4");
    ASSERT_NE(window, nullptr);
    HWND apply = FindButton(window, "Apply");
    ASSERT_NE(apply, nullptr);

    // A key the cleaner does not hold never reaches it: what is checked is
    // that it holds none, not that nothing happened for a while.
    EXPECT_TRUE(HotKeyIsFree(MOD_ALT, 'J')) << "the cleaner took a hot key it was never told of";

    // Nothing is unsaved yet; the cleaner's own announcement is what
    // enables Apply without touching any value.
    if (!IsWindowEnabled(apply)) {
        PostMessageA(window, WM_SHELLNOTIFY, ntAutoChanged, 0);
    }
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(apply) != FALSE; }, kAnswerPatienceMs));
    Click(apply);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowEnabled(apply); }, kAnswerPatienceMs)) << "Apply was not pressed";
    EXPECT_EQ(ReadConf(Conf(), slotHot2), 'K');
    EXPECT_EQ(ReadConf(Conf(), slotHot3), 'J');

    // The reload is posted after the files are written, so the hot key is
    // live once the cleaner has handled it; keep typing until it is.
    ASSERT_TRUE(WaitUntil(
        [&] {
            TypeAlt('J');
            return WaitUntil([&] { return ReadConf(Conf(), slotAuto) == 0; }, 500);
        },
        kAnswerPatienceMs))
        << "the cleaner did not re-read the settings Apply wrote";
    // Its ntAutoChanged reaches the real shell, which re-reads slot 1 and
    // enables Apply again.
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(apply) != FALSE; }, kAnswerPatienceMs));

    EXPECT_FALSE(HotKeyIsFree(MOD_ALT, 'J'));
    TypeAlt('K');
    EXPECT_TRUE(WaitUntil([&] { return ReadConf(Conf(), slotAuto) == 1; }, kAnswerPatienceMs));
    EXPECT_EQ(ReadConf(Conf(), slotHot2), 'K') << "the cleaner writes slot 1 and no other";
    EXPECT_EQ(ReadConf(Conf(), slotHot3), 'J');
}

// The Info page's figures are windowless labels that another process cannot
// read, so the reports are taken where they arrive: a window of the shell's
// class, while the real shell is closed.
TEST_F(Suite, FastCleaningButtonRunsACleaningWhoseFiguresTheCleanerThenReports)
{
    HWND cleaner = FirstStart();
    ASSERT_NE(cleaner, nullptr);
    auto askStatus = [cleaner] { PostMessageA(cleaner, WM_CLEANERCMD, cmdReportStatus, 0); };
    {
        ListeningShell listener;
        askStatus();
        ASSERT_TRUE(listener.WaitFor([&] { return listener.Last(ntTimeSince).has_value(); }, kAnswerPatienceMs));
        EXPECT_EQ(listener.Last(ntLastEffect), -1) << "nothing cleaned yet";
        EXPECT_EQ(listener.Last(ntTotalEffect), -1);
        EXPECT_EQ(listener.Last(ntTimeSince), -1);
    }

    HWND window = OpenShell();
    ASSERT_NE(window, nullptr);
    HWND fast = FindButton(window, "Fast cleaning");
    ASSERT_NE(fast, nullptr);
    ASSERT_TRUE(IsWindowEnabled(fast));
    Click(fast);
    // The button locks itself until its timer frees it again.
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowEnabled(fast); }, kAnswerPatienceMs)) << "the button was not pressed";
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(fast) != FALSE; }, kAnswerPatienceMs));
    CloseShell();

    ListeningShell listener;
    ASSERT_TRUE(listener.WaitFor(
        [&] {
            const std::optional<LPARAM> since = listener.Last(ntTimeSince);
            return since && *since >= 0;
        },
        kCleaningPatienceMs, askStatus))
        << "no cleaning was done";
    ASSERT_TRUE(listener.Last(ntLastEffect).has_value());
    ASSERT_TRUE(listener.Last(ntTotalEffect).has_value());
    EXPECT_GE(*listener.Last(ntLastEffect), 0);
    EXPECT_GE(*listener.Last(ntTotalEffect), *listener.Last(ntLastEffect));
    EXPECT_LT(*listener.Last(ntTimeSince), 600) << "the cleaning just done is the one reported";
    for (const auto& report : listener.received) {
        EXPECT_NE(report.first, static_cast<WPARAM>(ntRamProgress)) << "a fast cleaning reports no progress";
    }
}

TEST_F(Suite, ManualCleaningReportsItsProgressUpToTheEnd)
{
    HWND cleaner = FirstStart();
    ASSERT_NE(cleaner, nullptr);
    // One try keeps the cleaning short under Wine.
    WriteConf(Conf(), slotMaxTry, 1);
    PostMessageA(cleaner, WM_CLEANERCMD, cmdReloadSettings, 0);

    ListeningShell listener;
    // The least the cleaner accepts: one megabyte.
    PostMessageA(cleaner, WM_CLEANERCMD, cmdFreeRam, 1);
    ASSERT_TRUE(listener.WaitFor(listener.Received({ntRamProgress, 100}), kCleaningPatienceMs));
    const std::vector<LPARAM> progress = listener.ValuesOf(ntRamProgress);
    ExpectRisingPercents(progress);
    EXPECT_EQ(progress.back(), 100) << "the last report is the end";

    PostMessageA(cleaner, WM_CLEANERCMD, cmdReportStatus, 0);
    ASSERT_TRUE(listener.WaitFor(
        [&] {
            const std::optional<LPARAM> since = listener.Last(ntTimeSince);
            return since && *since >= 0;
        },
        kAnswerPatienceMs));
    EXPECT_GE(listener.Last(ntLastEffect).value_or(-1), 0);
}

// The shell's side of a manual cleaning: its progress bar is a platform
// control, so its position can be read from here.
TEST_F(Suite, ManualCleaningProgressFillsTheShellsBarAndHoldsItsStartButton)
{
    HWND cleaner = FirstStart();
    ASSERT_NE(cleaner, nullptr);
    WriteConf(Conf(), slotMaxTry, 1);
    PostMessageA(cleaner, WM_CLEANERCMD, cmdReloadSettings, 0);

    HWND window = OpenShell("2");
    ASSERT_NE(window, nullptr);
    HWND start = FindButton(window, "Start !");
    ASSERT_NE(start, nullptr);
    HWND page = GetParent(start);
    HWND bar = FindChildOfKind(page, "progress");
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(IsWindowVisible(page));
    ASSERT_TRUE(IsWindowEnabled(start));
    auto position = [bar] { return static_cast<int>(SendMessageA(bar, PBM_GETPOS, 0, 0)); };
    EXPECT_EQ(position(), 0);

    PostMessageA(cleaner, WM_CLEANERCMD, cmdFreeRam, 1);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowEnabled(start); }, kCleaningPatienceMs))
        << "no progress reached the shell";
    ASSERT_TRUE(WaitUntil([&] { return position() == 100; }, kCleaningPatienceMs));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(start) != FALSE; }, kAnswerPatienceMs));
    EXPECT_EQ(position(), 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(page); }, kAnswerPatienceMs)) << "the shell went back to Info";
}

// A directory with a file, a nested one, and a file beside it that is not
// part of the chosen tree.
struct Tree {
    explicit Tree(const TempDir& under)
        : root(under.File("chosen")), top(root + "\\top.tmp"), nested(root + "\\sub\\deeper\\inner.tmp"),
          beside(under.File("beside.txt"))
    {
        CreateDirectoryA(root.c_str(), nullptr);
        CreateDirectoryA((root + "\\sub").c_str(), nullptr);
        CreateDirectoryA((root + "\\sub\\deeper").c_str(), nullptr);
        WriteText(top, "x");
        WriteText(nested, "x");
        WriteText(beside, "keep");
    }
    std::string root, top, nested, beside;
};

TEST_F(Suite, ClearButtonEmptiesTheDirectoryLastSaved)
{
    HWND cleaner = FirstStart();
    ASSERT_NE(cleaner, nullptr);
    TempDir trees;
    Tree tree(trees);
    std::vector<std::string> lines = ReadConfStr(dir.File("ConfStr.dat"));
    ASSERT_GT(lines.size(), static_cast<std::size_t>(lineDir));
    lines[lineDir] = tree.root;
    WriteConfStr(dir.File("ConfStr.dat"), lines);
    WriteConf(Conf(), slotSubdir, 1);
    // Saved as Apply saves: both files, then the word to the cleaner.
    PostMessageA(cleaner, WM_CLEANERCMD, cmdReloadSettings, 0);

    HWND window = OpenShell("3");
    ASSERT_NE(window, nullptr);
    // Five buttons read "Clear"; the directory's is the one beside its edit.
    HWND clear = FindButton(window, "Clear", POINT{400, 168});
    ASSERT_NE(clear, nullptr);
    Click(clear);

    EXPECT_TRUE(WaitUntil([&] { return !FileExists(tree.top) && !FileExists(tree.nested); }, kCleaningPatienceMs))
        << "the tree was not cleared";
    EXPECT_TRUE(FileExists(tree.root)) << "the chosen directory itself stays";
    EXPECT_EQ(ReadText(tree.beside), "keep");
    EXPECT_TRUE(FileExists(shellExe)) << "nothing of the program's own directory goes";
    EXPECT_TRUE(FileExists(Conf()));
}

TEST_F(Suite, TheShellsTickStartsTheCleanerAgainAfterItWasEnded)
{
    ASSERT_NE(OpenShell(), nullptr);
    HWND first = WaitForWindow(kCleanerWindowClass, kStartPatienceMs);
    ASSERT_NE(first, nullptr);
    const DWORD firstId = ProcessOf(first);
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, firstId);
    ASSERT_NE(process, nullptr);
    ASSERT_TRUE(TerminateProcess(process, 1));
    EXPECT_EQ(WaitForSingleObject(process, kEndPatienceMs), WAIT_OBJECT_0);
    CloseHandle(process);

    HWND again = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            again = FindWindowA(kCleanerWindowClass, nullptr);
            return again != nullptr && ProcessOf(again) != firstId;
        },
        kStartPatienceMs))
        << "the cleaner was not started again";
    EXPECT_FALSE(shell->WaitForExit(0)) << "the shell carries on";
}

} // namespace
