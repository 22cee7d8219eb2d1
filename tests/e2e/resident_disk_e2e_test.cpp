#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "link/Messages.h"
#include "settings/ConfFile.h"
#include "settings/ConfStr.h"
#include "settings/SlotTable.h"
#include "support/Process.h"
#include "support/Pump.h"
#include "support/RealInput.h"
#include "support/TempDir.h"

using namespace klarvo;
using namespace klarvo::test;

namespace {

// The sandbox has no drive for the Linux file system; Wine still opens a
// Unix path through its own prefix.
std::string ProgramPath(const std::string& unixPath)
{
    std::string path = WindowsPathOf(unixPath);
    if (path.rfind("Z:", 0) == 0 && GetFileAttributesA("Z:\\") == INVALID_FILE_ATTRIBUTES)
        path = "\\\\?\\unix" + path.substr(2);
    return path;
}

// A directory with a file, and a subdirectory with another.
std::string MakeTree(const TempDir& temp, const std::string& name)
{
    const std::string root = temp.File(name);
    CreateDirectoryA(root.c_str(), nullptr);
    WriteText(root + "\\top.tmp", "x");
    CreateDirectoryA((root + "\\sub").c_str(), nullptr);
    WriteText(root + "\\sub\\inner.tmp", "x");
    return root;
}

bool WaitUntilGone(const std::string& path, DWORD milliseconds)
{
    return WaitUntil([&] { return !FileExists(path); }, milliseconds);
}

bool IsEmptyDirectory(const std::string& dir)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
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

struct BoxSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectBox(HWND window, LPARAM data)
{
    auto& search = *reinterpret_cast<BoxSearch*>(data);
    char name[16] = {};
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    GetClassNameA(window, name, sizeof name);
    if (owner == search.processId && IsWindowVisible(window) && std::string(name) == "#32770")
        search.found.push_back(window);
    return TRUE;
}

// The visible message boxes of a process.
std::vector<HWND> MessageBoxesOf(DWORD processId)
{
    BoxSearch search{processId, {}};
    EnumWindows(CollectBox, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK CollectText(HWND child, LPARAM data)
{
    char buffer[1024] = {};
    GetWindowTextA(child, buffer, sizeof buffer);
    *reinterpret_cast<std::string*>(data) += buffer;
    return TRUE;
}

// All the text a message box shows.
std::string TextOf(HWND box)
{
    std::string text;
    EnumChildWindows(box, CollectText, reinterpret_cast<LPARAM>(&text));
    return text;
}

std::size_t Occurrences(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// The real cleaner in a directory of its own; trees to clean lie elsewhere,
// since its own directory is one it refuses.
class DiskCleaning : public testing::Test {
protected:
    void SetUp() override { exe = CopyInto(ProgramPath(TestArgument("cleaner")), program.Path()); }

    void Save(const std::vector<std::string>& lines) { WriteConfStr(program.File("ConfStr.dat"), lines); }
    void Set(std::int32_t slot, std::int32_t value) { WriteConf(program.File("Conf.dat"), slot, value); }

    HWND Start()
    {
        process = std::make_unique<Process>(exe, "", program.Path());
        return WaitForWindow(kCleanerWindowClass, 5000);
    }

    void Clear(HWND window, HddCategory category) { PostMessageA(window, WM_CLEANERCMD, cmdClearHdd, category); }
    // What the shell posts once both files are written; sent here, so that
    // the files are read before the next round of writing starts.
    void Reload(HWND window)
    {
        DWORD_PTR result = 0;
        SendMessageTimeoutA(window, WM_CLEANERCMD, cmdReloadSettings, 0, SMTO_NORMAL, 5000, &result);
    }

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
    // Slot 21 is off: the subdirectory is not entered.
    Sleep(200);
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
    for (int category = 0; category < 5; ++category)
        lines[lineOf[category]] = MakeTree(trees, names[category]);
    Save(lines);
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
    const std::string sentinel = fonts + "\\klarvo-sentinel.txt";
    WriteText(sentinel, "keep");
    Save({"", "", "", "", fonts, "", ""});
    Set(slotClearSelect, 1);
    Set(slotDir, 1);
    Set(slotSubdir, 1);
    HWND window = Start();
    ASSERT_NE(window, nullptr);
    const std::string log = program.File("Klarvo.log");
    auto refusals = [&] { return FileExists(log) ? Occurrences(ReadText(log), fonts) : 0; };
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
    EXPECT_TRUE(FileExists(sentinel));
    DeleteFileA(sentinel.c_str());
}

TEST_F(DiskCleaning, ClearsTheSelectedCategoriesAtStartWhenAsked)
{
    const std::string selected = MakeTree(trees, "selected");
    const std::string unselected = MakeTree(trees, "unselected");
    Save({"", unselected, "", "", selected, "", ""});
    Set(slotClearSelect, 1);
    Set(slotDir, 1);
    Set(slotTemp, 0);
    ASSERT_NE(Start(), nullptr);

    ASSERT_TRUE(WaitUntilGone(selected + "\\top.tmp", 10000));
    Sleep(200);
    EXPECT_TRUE(FileExists(unselected + "\\top.tmp"));
}

} // namespace
