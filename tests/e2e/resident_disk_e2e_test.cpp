#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "link/Messages.h"
#include "resident/disk/DiskFunctions.h"
#include "resident/disk/Preview.h"
#include "resident/window/ResidentParts.h"
#include "settings/ConfFile.h"
#include "settings/ConfStr.h"
#include "settings/SlotTable.h"
#include "support/Desktop.h"
#include "support/ListeningShell.h"
#include "support/Process.h"
#include "support/Pump.h"
#include "support/RealInput.h"
#include "support/Scoped.h"
#include "support/TempDir.h"
#include "support/Trees.h"
#include "win/Handles.h"
#include "win/Registry.h"

using namespace klarvo;
using namespace klarvo::test;

namespace {

// The sandbox has no drive for the Linux file system; Wine still opens a
// Unix path through its own prefix.
std::string ProgramPath(const std::string& unixPath)
{
    std::string path = WindowsPathOf(unixPath);
    if (path.rfind("Z:", 0) == 0 && GetFileAttributesA("Z:\\") == INVALID_FILE_ATTRIBUTES) {
        path = "\\\\?\\unix" + path.substr(2);
    }
    return path;
}

bool WaitUntilGone(const std::string& path, DWORD milliseconds)
{
    return WaitUntil([&] { return !FileExists(path); }, milliseconds);
}

bool IsEmptyDirectory(const std::string& dir)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return false;
    }
    bool empty = true;
    do {
        const std::string name = found.cFileName;
        empty = empty && (name == "." || name == "..");
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return empty;
}

// The cleaner works on its own thread: wait until the directory is left
// empty (and still there).
bool WaitUntilEmpty(const std::string& dir, DWORD milliseconds)
{
    return WaitUntil([&] { return IsEmptyDirectory(dir); }, milliseconds);
}

// A file made in a place of the system's for one test, gone after it
// whether the test passed or not: the sandbox outlives the run.
struct RemovedAfterwards {
    ~RemovedAfterwards() { DeleteFileA(path.c_str()); }
    std::string path;
};

// The real cleaner in a directory of its own; trees to clean lie elsewhere,
// since its own directory is one it refuses.
class DiskCleaning : public testing::Test {
protected:
    void SetUp() override
    {
        exe = CopyInto(ProgramPath(TestArgument("cleaner")), program.Path());
        // Run with --line=9x, the cleaners started take the path of Windows
        // 95 and 98.
        if (TestArgument("line") == "9x") {
            windows9x = std::make_unique<ScopedVariable>(kMissingFunctionsVariable, resident::kWindows9xLacks);
        }
    }

    void Save(const std::vector<std::string>& lines) { WriteConfStr(program.File("ConfStr.dat"), lines); }
    void Set(std::int32_t slot, std::int32_t value) { WriteConf(program.File("Conf.dat"), slot, value); }

    HWND Start()
    {
        process = std::make_unique<Process>(exe, "", program.Path());
        return WaitForWindow(kCleanerWindowClass, 5000);
    }

    void Clear(HWND window, HddCategory category) { PostMessageA(window, WM_CLEANERCMD, cmdClearHdd, category); }
    // A barrier: the chosen directory, holding a new file, cleared once
    // more; when the file is gone every earlier request has been served.
    void ClearAgain(HWND window, const std::string& chosen)
    {
        WriteText(chosen + "\\again.tmp", "x");
        Clear(window, hcDir);
        ASSERT_TRUE(WaitUntilGone(chosen + "\\again.tmp", 10000));
    }
    // What the shell posts once both files are written; sent here, so that
    // the files are read before the next round of writing starts.
    void Reload(HWND window)
    {
        DWORD_PTR result = 0;
        SendMessageTimeoutA(window, WM_CLEANERCMD, cmdReloadSettings, 0, SMTO_NORMAL, 5000, &result);
    }

    std::unique_ptr<ScopedVariable> windows9x;
    TempDir program;
    TempDir trees;
    std::string exe;
    std::unique_ptr<Process> process;
};

TEST_F(DiskCleaning, ClearsTheChosenDirectoryWithOrWithoutSubdirectories)
{
    const std::string tree = MakeTree(trees, "chosen");
    Save({"", "", "", "", tree, "", ""});
    HWND window = Start();
    ASSERT_NE(window, nullptr);

    Clear(window, hcDir);
    ASSERT_TRUE(WaitUntilGone(tree + "\\top.tmp", 10000));
    // Slot 21 is off: the subdirectory is not entered. Requests are served
    // in order, so once a second one is done, so is the first.
    ClearAgain(window, tree);
    EXPECT_TRUE(FileExists(tree + "\\sub\\inner.tmp"));

    // Both files changed but not yet announced, as in the middle of an
    // Apply: the directory and its flag of the last reload, together.
    const std::string other = MakeTree(trees, "other");
    Set(slotSubdir, 1);
    Save({"", "", "", "", other, "", ""});
    WriteText(tree + "\\top.tmp", "x");
    Clear(window, hcDir);
    ASSERT_TRUE(WaitUntilGone(tree + "\\top.tmp", 10000));
    EXPECT_TRUE(FileExists(tree + "\\sub\\inner.tmp"));
    EXPECT_TRUE(FileExists(other + "\\top.tmp"));

    Reload(window);
    Clear(window, hcDir);
    ASSERT_TRUE(WaitUntilEmpty(other, 10000));
    EXPECT_TRUE(FileExists(tree + "\\sub\\inner.tmp"));
}

// Apply writes slot 21, then ConfStr.dat, then announces both; Clear presses
// fall anywhere in between. The kept tree is only ever cleaned without its
// subdirectories, the other with them.
TEST_F(DiskCleaning, ClearsRacedAgainstApplyNeverMixTheTwoSettings)
{
    const std::string kept = MakeTree(trees, "kept");
    const std::string emptied = MakeTree(trees, "emptied");
    Save({"", "", "", "", kept, "", ""});
    HWND window = Start();
    ASSERT_NE(window, nullptr);
    constexpr int kRounds = 20;
    for (int round = 0; round < kRounds; ++round) {
        const bool toEmptied = round % 2 == 0;
        Set(slotSubdir, toEmptied ? 1 : 0);
        Clear(window, hcDir);
        Save({"", "", "", "", toEmptied ? emptied : kept, "", ""});
        Clear(window, hcDir);
        Reload(window);
        Clear(window, hcDir);
    }
    // The requests are served in order: once this one is done, all are.
    Set(slotSubdir, 1);
    Save({"", "", "", "", emptied, "", ""});
    Reload(window);
    WriteText(emptied + "\\last.tmp", "x");
    Clear(window, hcDir);
    ASSERT_TRUE(WaitUntilGone(emptied + "\\last.tmp", 10000));
    EXPECT_TRUE(FileExists(kept + "\\sub\\inner.tmp"));
}

TEST_F(DiskCleaning, EachCategoryTakesItsOwnLine)
{
    const std::string names[] = {"temp", "cache", "cookies", "dir", "history"};
    std::vector<std::string> lines(7);
    const int lineOf[] = {1, 2, 3, 4, 6};
    for (int category = 0; category < 5; ++category) {
        lines[lineOf[category]] = MakeTree(trees, names[category]);
    }
    Save(lines);
    // Each is the place this system keeps for it, as the cleaner reads it.
    const ScopedVariable tmp("TMP", lines[1].c_str());
    const ScopedUserValue cache(kUserShellFoldersKey, "Cache", REG_SZ, RegistryText(lines[2]));
    const ScopedUserValue cookies(kUserShellFoldersKey, "Cookies", REG_SZ, RegistryText(lines[3]));
    const ScopedUserValue history(kUserShellFoldersKey, "History", REG_SZ, RegistryText(lines[6]));
    HWND window = Start();
    ASSERT_NE(window, nullptr);

    for (int category : {hcHistory, hcCookies, hcTemp, hcInternet}) {
        Clear(window, static_cast<HddCategory>(category));
        const std::string& root = lines[lineOf[category]];
        // Browser and temporary folders are cleared with what lies below.
        EXPECT_TRUE(WaitUntilEmpty(root, 10000)) << names[category];
    }
    EXPECT_TRUE(FileExists(lines[4] + "\\top.tmp"));
}

TEST_F(DiskCleaning, RefusesItsOwnDirectory)
{
    WriteText(program.File("sentinel.txt"), "keep");
    const std::string tree = MakeTree(trees, "after");
    Save({"", program.Path(), "", "", tree, "", ""});
    // Its own temporary directory, even: its own directory stays.
    const ScopedVariable tmp("TMP", program.Path().c_str());
    Set(slotSubdir, 1);
    HWND window = Start();
    ASSERT_NE(window, nullptr);

    Clear(window, hcTemp);
    Clear(window, hcDir); // done after the refused one
    ASSERT_TRUE(WaitUntilEmpty(tree, 10000));
    EXPECT_TRUE(FileExists(program.File("sentinel.txt")));
    EXPECT_TRUE(FileExists(program.File("ConfStr.dat")));
    EXPECT_TRUE(FileExists(program.File("Conf.dat")));
}

// Fonts lies in the Windows directory but is none of the places the other
// categories clean. Refused at start it is only logged; a refused Clear
// press is explained in one box, however often it is pressed meanwhile.
TEST_F(DiskCleaning, ExplainsARefusedClearInOneBoxAndLogsEveryRefusal)
{
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string fonts = std::string(windows) + "\\Fonts";
    CreateDirectoryA(fonts.c_str(), nullptr);
    const RemovedAfterwards sentinel{fonts + "\\klarvo-sentinel.txt"};
    WriteText(sentinel.path, "keep");
    Save({"", "", "", "", fonts, "", ""});
    Set(slotClearSelect, 1);
    Set(slotDir, 1);
    Set(slotSubdir, 1);
    HWND window = Start();
    ASSERT_NE(window, nullptr);
    const std::string log = program.File("Klarvo.log");
    auto refusals = [&] { return Occurrences(ReadTextIfAny(log), fonts); };
    ASSERT_TRUE(WaitUntil([&] { return refusals() == 1; }, 10000));
    EXPECT_TRUE(MessageBoxesOf(process->Id()).empty()) << "a refusal at start has no box";

    Clear(window, hcDir);
    ASSERT_TRUE(WaitUntil([&] { return MessageBoxesOf(process->Id()).size() == 1; }, 10000));
    const HWND box = MessageBoxesOf(process->Id())[0];
    EXPECT_NE(TextOf(box).find(fonts), std::string::npos) << TextOf(box);
    Clear(window, hcDir);
    ASSERT_TRUE(WaitUntil([&] { return refusals() == 3; }, 10000));
    EXPECT_EQ(MessageBoxesOf(process->Id()).size(), 1u);

    SetForegroundWindow(box);
    TapKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return MessageBoxesOf(process->Id()).empty(); }, 10000));
    EXPECT_TRUE(FileExists(sentinel.path));
}

// A Clear of a chosen directory that is not there says so in the log and
// the one box, unlike one that found it empty.
TEST_F(DiskCleaning, ExplainsAClearOfAChosenDirectoryThatIsNotThere)
{
    const std::string chosen = trees.File("chosen");
    Save({"", "", "", "", chosen, "", ""});
    HWND window = Start();
    ASSERT_NE(window, nullptr);
    const std::string log = program.File("Klarvo.log");
    Clear(window, hcDir);
    ASSERT_TRUE(WaitUntil([&] { return MessageBoxesOf(process->Id()).size() == 1; }, 10000));
    const HWND box = MessageBoxesOf(process->Id())[0];
    EXPECT_NE(TextOf(box).find(chosen + " - no such directory"), std::string::npos) << TextOf(box);
    EXPECT_EQ(Occurrences(ReadTextIfAny(log), chosen), 1u);
    SetForegroundWindow(box);
    TapKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return MessageBoxesOf(process->Id()).empty(); }, 10000));

    ASSERT_TRUE(CreateDirectoryA(chosen.c_str(), nullptr));
    Clear(window, hcDir);
    ClearAgain(window, chosen);
    // The first Clear's box would be up before the window answers this.
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
    EXPECT_TRUE(MessageBoxesOf(process->Id()).empty());
    EXPECT_EQ(Occurrences(ReadTextIfAny(log), chosen), 1u);
}

TEST_F(DiskCleaning, ClearsTheSelectedCategoriesAtStartWhenAsked)
{
    const std::string selected = MakeTree(trees, "selected");
    const std::string unselected = MakeTree(trees, "unselected");
    Save({"", unselected, "", "", selected, "", ""});
    Set(slotClearSelect, 1);
    Set(slotDir, 1);
    Set(slotTemp, 0);
    HWND window = Start();
    ASSERT_NE(window, nullptr);

    ASSERT_TRUE(WaitUntilGone(selected + "\\top.tmp", 10000));
    ClearAgain(window, selected);
    EXPECT_TRUE(FileExists(unselected + "\\top.tmp"));
}

// Unticked, nothing is cleared at start, whatever categories are selected.
TEST_F(DiskCleaning, ClearsNothingAtStartWhenNotAsked)
{
    const std::string selected = MakeTree(trees, "selected");
    const std::string chosen = MakeTree(trees, "chosen");
    Save({"", selected, "", "", chosen, "", ""});
    const ScopedVariable tmp("TMP", selected.c_str());
    Set(slotClearSelect, 0);
    Set(slotDir, 1);
    Set(slotTemp, 1);
    HWND window = Start();
    ASSERT_NE(window, nullptr);
    ClearAgain(window, chosen);
    EXPECT_TRUE(FileExists(selected + "\\top.tmp"));
    EXPECT_TRUE(FileExists(chosen + "\\sub\\inner.tmp"));
}

// A relative TMP names whatever directory a program was started in: the
// shell's line then names a place that is not the cleaner's temporary
// directory, and a pressed Clear is refused with a box that says why.
TEST_F(DiskCleaning, RefusesATemporaryLineThatIsNotItsOwn)
{
    const std::string elsewhere = MakeTree(trees, "elsewhere");
    Save({"", elsewhere, "", "", "", "", ""});
    const ScopedVariable tmp("TMP", ".");
    const ScopedVariable temp("TEMP", ".");
    HWND window = Start();
    ASSERT_NE(window, nullptr);
    Clear(window, hcTemp);
    ASSERT_TRUE(WaitUntil([&] { return MessageBoxesOf(process->Id()).size() == 1; }, 10000));
    const HWND box = MessageBoxesOf(process->Id())[0];
    EXPECT_NE(TextOf(box).find(elsewhere), std::string::npos) << TextOf(box);
    EXPECT_TRUE(FileExists(elsewhere + "\\top.tmp"));
    EXPECT_NE(ReadText(program.File("Klarvo.log")).find(elsewhere), std::string::npos);
    SetForegroundWindow(box);
    TapKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return MessageBoxesOf(process->Id()).empty(); }, 10000));
}

// Windows ends a program once it has answered WM_ENDSESSION. A logoff in
// the cleaner's first seconds, beside a shell (when another end would wait
// for the shell to find it), while its clear at start is under way: the
// answer comes only once the clear has stopped and its log is written.
TEST_F(DiskCleaning, ALogoffLogsTheUnfinishedClearBeforeItAnswers)
{
    const std::string wide = trees.File("wide");
    MakeWideTree(wide, 20, 100);
    // Files at the top go first, before any folder is entered.
    WriteText(wide + "\\top.tmp", "x");
    Save({"", "", "", "", wide, "", ""});
    Set(slotClearSelect, 1);
    Set(slotDir, 1);
    Set(slotSubdir, 1);
    const ListeningShell shell;
    HWND window = Start();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitUntilGone(wide + "\\top.tmp", 10000));

    SendMessageA(window, WM_ENDSESSION, TRUE, 0);
    const std::string log = ReadTextIfAny(program.File("Klarvo.log"));
    EXPECT_NE(log.find("Stopped cleaning " + wide + ": the cleaner was ending"), std::string::npos) << log;
    EXPECT_FALSE(IsWindow(window)) << "its end waited";
}

// A person right-clicks the icon (the taskbar then sends its message),
// picks "Preview disk cleaning..." and reads the report of the ticked
// categories in the viewer; nothing is deleted, nothing logged.
TEST_F(DiskCleaning, TheTrayPreviewsTheTickedCategoriesAndOpensTheReport)
{
    const std::string tree = MakeTree(trees, "chosen");
    Save({"", "", "", "", tree, "", ""});
    for (const Slot slot : {slotTemp, slotInternet, slotCookies, slotHistory, slotClearSelect}) {
        Set(slot, 0);
    }
    Set(slotDir, 1);
    HWND window = Start();
    ASSERT_NE(window, nullptr);
    PostMessageA(window, resident::kTrayCallback, 0, WM_RBUTTONUP);
    ASSERT_TRUE(WaitUntil([&] { return !TopWindowsOf(process->Id(), "#32768").empty(); }, 5000)) << "no menu";
    // Up from the top lands on Exit; the preview is the item above it.
    TapKey(VK_UP);
    TapKey(VK_UP);
    TapKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([] { return FindWindowA("Notepad", nullptr) != nullptr; }, 10000)) << "no viewer";
    EndProgramOfWindow("Notepad", 5000);
    const std::string report = ReadText(program.File(resident::kPreviewName));
    EXPECT_NE(report.find("Chosen folder: " + tree + "\r\n  Would be cleaned, without its subfolders."),
              std::string::npos)
        << report;
    EXPECT_NE(report.find("             1  " + tree + "\\top.tmp"), std::string::npos) << report;
    EXPECT_EQ(report.find("Temporary files"), std::string::npos) << report;
    EXPECT_TRUE(FileExists(tree + "\\top.tmp"));
    EXPECT_FALSE(FileExists(program.File("Klarvo.log")));
}

} // namespace
