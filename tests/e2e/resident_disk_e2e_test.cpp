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

    // The path and the flag as saved now, even before a reload.
    const std::string other = MakeTree(trees, "other");
    Save({"", "", "", "", other, "", ""});
    Set(slotSubdir, 1);
    Clear(window, hcDir);
    ASSERT_TRUE(WaitUntilEmpty(other, 10000));
    EXPECT_TRUE(FileExists(tree + "\\sub\\inner.tmp"));
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
