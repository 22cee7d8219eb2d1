#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "link/Messages.h"
#include "resident/disk/DiskBatch.h"
#include "resident/disk/Preview.h"
#include "settings/ConfFile.h"
#include "settings/ConfStr.h"
#include "settings/SlotTable.h"
#include "support/WindowsLine.h"
#include "resident_disk_support.h"
#include "win/Handles.h"

namespace klarvo::resident {
namespace {

using namespace disk_test;
using test::FileExists;
using test::ReadText;
using test::TempDir;
using test::WriteText;

// Run with --line=9x (or nt4), every test of the program, here and in
// resident_places_test.cpp, takes the path of Windows 95 and 98.
testing::Environment* const kWindows9xPath =
    testing::AddGlobalTestEnvironment(new test::Windows9xPath(kWindows9xLacks));

TEST(DiskCleaner, WithoutSubdirectoriesDeletesOnlyTheTopFiles)
{
    TempDir temp;
    Tree tree(temp.File("tree"));
    const ClearTally tally = CleanerWithoutPlaces().Clear(tree.root, false);
    EXPECT_EQ(tally.verdict, PathVerdict::Accepted);
    EXPECT_EQ(tally.filesDeleted, 2u);
    EXPECT_EQ(tally.directoriesRemoved, 0u);
    ExpectPresent(false, {tree.root + "\\a.tmp", tree.root + "\\b.tmp"});
    ExpectPresent(true,
                  {tree.root + "\\sub\\c.tmp", tree.root + "\\sub\\deeper\\deepest\\e.tmp", tree.root + "\\empty"});
}

TEST(DiskCleaner, WithSubdirectoriesEmptiesTheTreeButKeepsItsRoot)
{
    TempDir temp;
    Tree tree(temp.File("tree"));
    // A sibling whose name starts like the root must not be touched.
    MakeDir(temp.File("tree2"));
    WriteText(temp.File("tree2\\keep.txt"), "keep");
    WriteText(temp.File("beside.txt"), "keep");

    const ClearTally tally = CleanerWithoutPlaces().Clear(tree.root + "\\", true);
    EXPECT_EQ(tally.verdict, PathVerdict::Accepted);
    EXPECT_EQ(tally.filesDeleted, 5u);
    EXPECT_EQ(tally.directoriesRemoved, 4u);
    EXPECT_EQ(tally.failed + tally.inUse + tally.marked + tally.links, 0u);
    ExpectPresent(true, {tree.root, temp.File("tree2\\keep.txt"), temp.File("beside.txt")});
    ExpectPresent(false, {tree.root + "\\sub", tree.root + "\\empty"});
}

TEST(DiskCleaner, SkipsAFileHeldOpenAndDeletesItOnceClosed)
{
    TempDir temp;
    Tree tree(temp.File("tree"));
    const std::string held = tree.root + "\\sub\\c.tmp";
    // Shared as widely as possible: the cleaner must still see it in use.
    HANDLE open = CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(open, INVALID_HANDLE_VALUE);

    ClearTally tally = CleanerWithoutPlaces().Clear(tree.root, true);
    EXPECT_EQ(tally.inUse, 1u);
    EXPECT_EQ(tally.filesDeleted, 4u);
    EXPECT_TRUE(FileExists(held));
    // Its directory could not be emptied, so it stays; the others went.
    EXPECT_TRUE(FileExists(tree.root + "\\sub"));
    EXPECT_FALSE(FileExists(tree.root + "\\sub\\deeper"));

    EXPECT_EQ(tally.foldersKept, 1u) << "sub, for what stayed in it";
    CloseHandle(open);
    tally = CleanerWithoutPlaces().Clear(tree.root, true);
    EXPECT_EQ(tally.filesDeleted, 1u);
    EXPECT_EQ(tally.inUse, 0u);
    EXPECT_FALSE(FileExists(tree.root + "\\sub"));
}

TEST(DiskCleaner, LeavesReadOnlyAndSystemEntriesButDeletesHiddenOnes)
{
    TempDir temp;
    const std::string root = temp.File("tree");
    MakeDir(root);
    MakeDir(root + "\\kept");
    WriteText(root + "\\kept\\inside.tmp", "i");
    // Wine keeps no read-only mark on directories; the system mark stays.
    const std::pair<const char*, DWORD> marks[] = {{"readonly.txt", FILE_ATTRIBUTE_READONLY},
                                                   {"system.ini", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN},
                                                   {"hidden.tmp", FILE_ATTRIBUTE_HIDDEN},
                                                   {"kept", FILE_ATTRIBUTE_SYSTEM}};
    for (const auto& [name, attributes] : marks) {
        if (name != std::string("kept")) {
            WriteText(root + "\\" + name, "x");
        }
        ASSERT_TRUE(SetFileAttributesA((root + "\\" + name).c_str(), attributes)) << name;
    }

    const bool systemStuck = (GetFileAttributesA((root + "\\system.ini").c_str()) & FILE_ATTRIBUTE_SYSTEM) &&
                             (GetFileAttributesA((root + "\\kept").c_str()) & FILE_ATTRIBUTE_SYSTEM);
    const ClearTally tally = CleanerWithoutPlaces().Clear(root, true);
    // A marked directory is emptied but stays.
    ExpectPresent(true, {root + "\\readonly.txt", root + "\\kept"});
    ExpectPresent(false, {root + "\\hidden.tmp", root + "\\kept\\inside.tmp"});
    if (systemStuck) {
        EXPECT_TRUE(FileExists(root + "\\system.ini"));
    } else {
        ADD_FAILURE() << "the file system here cannot keep the system attribute";
    }
    EXPECT_EQ(tally.marked, 3u);
    EXPECT_EQ(tally.failed, 0u);
    SetFileAttributesA((root + "\\readonly.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(DiskCleaner, StopsBetweenEntriesWhenAsked)
{
    TempDir temp;
    Tree tree(temp.File("tree"));
    const std::atomic<bool> stop{true};
    const ClearTally tally = CleanerWithoutPlaces().Clear(tree.root, true, &stop);
    EXPECT_TRUE(tally.stopped);
    EXPECT_EQ(tally.filesDeleted, 0u);
    EXPECT_TRUE(FileExists(tree.root + "\\a.tmp"));
}

TEST(DiskCleaner, AMissingDirectoryIsNothingToDo)
{
    TempDir temp;
    EXPECT_EQ(CleanerWithoutPlaces().Clear(temp.File("absent"), true).verdict, PathVerdict::Missing);
    WriteText(temp.File("file"), "x");
    EXPECT_EQ(CleanerWithoutPlaces().Clear(temp.File("file"), true).verdict, PathVerdict::Missing);
    EXPECT_TRUE(FileExists(temp.File("file")));
}

// Fullwidth dots and backslash become "..\\" in the code page: joined to
// the tree, the name would lead out of it.
TEST(Adversaries, ANameThatChangesInTheCodePageNeverLeavesTheTree)
{
    TempDir temp;
    const std::string root = temp.File("tree");
    MakeDir(root);
    WriteText(temp.File("outside.txt"), "keep");
    const std::wstring wideRoot(root.begin(), root.end());
    FileHandle made(CreateFileW((wideRoot + L"\\\xFF0E\xFF0E\xFF3Coutside.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                                CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(made);
    made.Reset();
    const ClearTally tally = CleanerWithoutPlaces().Clear(root, true);
    EXPECT_TRUE(FileExists(temp.File("outside.txt")));
    // Reached by its short name where the system lists one, else left.
    EXPECT_EQ(tally.filesDeleted + tally.oddNames, 1u);
}

TEST(DiskBatch, AnEndingCleanerReportsWhatItDidNotDo)
{
    TempDir temp;
    Tree tree(temp.File("tree"));
    const std::deque<DiskJob> batch = {{hcDir, tree.root, true, true}, {hcTemp, temp.Path(), true, false}};
    const std::atomic<bool> stop{true};
    DiskReport report;
    RunDiskBatch(batch, "", stop, report);
    ASSERT_EQ(report.logLines.size(), 2u);
    EXPECT_EQ(report.logLines[0], NotStartedLine(batch[0]));
    EXPECT_EQ(report.logLines[1], NotStartedLine(batch[1]));
    EXPECT_TRUE(FileExists(tree.root + "\\a.tmp"));
}

// The disk suite's trees, each as a Clear meets it.
TEST(DiskPreview, IsWhatAClearDeletes)
{
    using Held = std::vector<FileHandle>;
    auto hold = [](const std::string& path, DWORD share, Held& held) {
        held.emplace_back(CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        ASSERT_TRUE(held.back()) << path;
    };
    constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    const struct {
        const char* what;
        bool withSubdirectories;
        std::function<void(const std::string& root, Held& held)> dress;
    } cases[] = {
        {"the plain tree", true, [](const std::string&, Held&) {}},
        {"the plain tree without subfolders", false, [](const std::string&, Held&) {}},
        {"read-only, system and hidden entries", true,
         [](const std::string& root, Held&) {
             SetFileAttributesA((root + "\\a.tmp").c_str(), FILE_ATTRIBUTE_READONLY);
             SetFileAttributesA((root + "\\b.tmp").c_str(), FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN);
             SetFileAttributesA((root + "\\sub\\c.tmp").c_str(), FILE_ATTRIBUTE_HIDDEN);
             SetFileAttributesA((root + "\\sub\\deeper").c_str(), FILE_ATTRIBUTE_SYSTEM);
         }},
        {"a file held open", true,
         [&](const std::string& root, Held& held) { hold(root + "\\sub\\c.tmp", kShareAll, held); }},
        {"a folder held open", true,
         [&](const std::string& root, Held& held) {
             hold(root + "\\sub\\deeper", FILE_SHARE_READ | FILE_SHARE_WRITE, held);
         }},
    };
    TempDir temp;
    int row = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Tree tree(temp.File("tree" + std::to_string(row++)));
        Held held;
        c.dress(tree.root, held);
        ExpectPreviewIsWhatAClearDeletes(CleanerWithoutPlaces(), tree.root, c.withSubdirectories);
        SetFileAttributesA((tree.root + "\\a.tmp").c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

// A refused category is listed with its reason beside one that would be
// cleaned, and the report is all a preview writes.
TEST(DiskPreview, ReportsRefusalsWithTheirReasonsAndWritesNothingElse)
{
    TempDir program;
    TempDir temp;
    Tree tree(temp.File("tree"));
    WriteConf(program.File("Conf.dat"), slotSubdir, 1);
    WriteConfStr(program.File("ConfStr.dat"), {"", tree.root, "", "", tree.root, "", ""});
    const std::string report = program.File(kPreviewName);
    EXPECT_EQ(RunPreview(program.Path(), {hcTemp, hcDir}, report), 1);
    const std::string text = ReadText(report);
    for (const std::string& part :
         {"Temporary files: " + tree.root + "\r\n  Refused: " + VerdictText(PathVerdict::NotSystemPlace),
          "Chosen folder: " + tree.root + "\r\n  Would be cleaned, with its subfolders.",
          "             1  " + tree.root + "\\sub\\deeper\\deepest\\e.tmp",
          std::string("In all: 5 files (5 bytes) and 4 folders would be deleted")}) {
        EXPECT_NE(text.find(part), std::string::npos) << part << "\nin\n" << text;
    }
    EXPECT_TRUE(FileExists(tree.root + "\\sub\\deeper\\deepest\\e.tmp"));
    std::vector<std::string> written;
    WIN32_FIND_DATAA found;
    const FindHandle search(FindFirstFileA((program.Path() + "*").c_str(), &found));
    do {
        written.emplace_back(found.cFileName);
    } while (search && FindNextFileA(search.Get(), &found));
    std::sort(written.begin(), written.end());
    EXPECT_EQ(written, (std::vector<std::string>{".", "..", "Conf.dat", "ConfStr.dat", kPreviewName}));
}

constexpr char kLinksBase[] = "links-base", kLinksScript[] = "resident_links.sh";
class DiskLinks : public ScriptedTree<kLinksBase, kLinksScript> {
protected:
    const DiskCleaner cleaner{SystemProtectedPlaces("")};
};

// Run by resident_links.sh, which builds the tree with Unix links from the
// Linux side (nothing inside Wine can make one) and checks it afterwards.
TEST_F(DiskLinks, AreNeitherFollowedNorRemoved)
{
    ASSERT_TRUE(GetFileAttributesA((base + "\\tree\\dirlink").c_str()) & FILE_ATTRIBUTE_REPARSE_POINT)
        << "Wine no longer shows a Unix link as a reparse point";

    const ClearTally tally = cleaner.Clear(base + "\\tree", true);
    EXPECT_EQ(tally.verdict, PathVerdict::Accepted);
    ExpectPresent(false, {base + "\\tree\\plain.txt", base + "\\tree\\sub\\inner.txt"});
    // Wine shows a link to a file as a plain file; deleting it by name
    // there would delete its target.
    ExpectPresent(true, {base + "\\outside\\keep.txt", base + "\\outside\\deeper\\keep.txt", base + "\\tree\\dirlink",
                         base + "\\tree\\sub\\abslink", base + "\\tree\\filelink.txt"});
    EXPECT_EQ(tally.links, 3u);
}

// A configured path that is a link, or runs through one, is refused: on
// Windows 9x the attributes of the directories above are the only guard.
TEST_F(DiskLinks, AChosenPathThroughALinkIsRefused)
{
    for (const char* link : {"\\tree\\dirlink", "\\rootlink", "\\rootlink\\deeper"}) {
        EXPECT_EQ(cleaner.Clear(base + link, true).verdict, PathVerdict::Link) << link;
    }
    ExpectPresent(true, {base + "\\outside\\keep.txt", base + "\\outside\\deeper\\keep.txt"});
}

// "x." or "..." given to the API by name opens "x" or the parent; a tree far
// deeper than MAX_PATH reaches is cleared as far as the API reaches it.
TEST_F(DiskLinks, OddNamesAndDeepTreesAreLeftAlone)
{
    const ClearTally odd = cleaner.Clear(base + "\\odd", true);
    EXPECT_EQ(odd.filesDeleted, 1u);
    EXPECT_EQ(odd.oddNames, 3u);

    const ClearTally deep = cleaner.Clear(base + "\\deep", true);
    EXPECT_EQ(deep.verdict, PathVerdict::Accepted);
    EXPECT_GT(deep.filesDeleted, 10u);
    EXPECT_EQ(deep.tooLong, 1u);
}

// The script's preview\ holds links, device names, odd names and a tree
// deeper than a path reaches.
TEST_F(DiskLinks, PreviewIsWhatAClearDeletes)
{
    ExpectPreviewIsWhatAClearDeletes(cleaner, base + "\\preview", true);
}

// The script swaps the entries of race\ for links to files outside and back
// all the while; it checks afterwards that every outside file is there.
TEST_F(DiskLinks, EntriesSwappedForLinksLeadNowhere)
{
    constexpr int kRounds = 300;
    unsigned long deleted = 0;
    for (int round = 0; round < kRounds; ++round) {
        deleted += cleaner.Clear(base + "\\race", true).filesDeleted;
    }
    EXPECT_GT(deleted, 0u) << "the swapping script did not run";
    for (int i = 0; i < 20; ++i) {
        EXPECT_TRUE(FileExists(base + "\\outside\\race" + std::to_string(i) + ".txt")) << i;
    }
}

} // namespace
} // namespace klarvo::resident
