#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <deque>
#include <string>
#include <vector>

#include "link/Messages.h"
#include "resident/disk/DiskBatch.h"
#include "resident/disk/DiskEntries.h"
#include "support/TempDir.h"
#include "support/WindowsLine.h"
#include "win/Handles.h"
#include "win/SystemFunction.h"

namespace klarvo::resident {
namespace {

using test::ReadText;
using test::TempDir;
using test::WriteText;

testing::Environment* const kWindows9xPath =
    testing::AddGlobalTestEnvironment(new test::Windows9xPath(kWindows9xLacks));

struct ScopedNamedDelete {
    explicit ScopedNamedDelete(NamedDelete standIn) { StandInForNamedDelete(std::move(standIn)); }
    ~ScopedNamedDelete() { StandInForNamedDelete({}); }
};

std::vector<std::string> RunBatch(const std::deque<DiskJob>& batch)
{
    const std::atomic<bool> stop{false};
    DiskReport report;
    RunDiskBatch(batch, "", stop, report);
    return report.logLines;
}

std::vector<std::string> LinesWith(std::vector<std::string> lines, const std::string& part)
{
    std::erase_if(lines, [&](const std::string& line) { return line.find(part) == std::string::npos; });
    return lines;
}

std::vector<std::string> NamesIn(const std::string& directory)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const FindHandle search(FindFirstFileA((directory + "\\*").c_str(), &found));
    do {
        if (search && std::string(found.cFileName) != "." && std::string(found.cFileName) != "..") {
            names.push_back(found.cFileName);
        }
    } while (search && FindNextFileA(search.Get(), &found));
    return names;
}

// A file that could not be deleted goes back under its own name, or, where
// a program made that name again meanwhile, keeps one of the cleaner's own
// beside it; never the shared one it was put aside under, never reported
// as the new file.
TEST(NamedDelete, AFileThatStaysKeepsANameOfItsOwn)
{
    const ScopedMissingFunctions windows9x(kWindows9xLacks);
    const struct {
        bool madeAgain;
        const char* line;
    } cases[] = {{false, "left in use: "}, {true, "refused by the system: "}};
    for (const auto& row : cases) {
        TempDir temp;
        const std::string root = temp.File("tree");
        ASSERT_TRUE(CreateDirectoryA(root.c_str(), nullptr));
        const std::string file = root + "\\report.tmp";
        WriteText(file, "old");
        const ScopedNamedDelete inUse([&](const std::string&) {
            if (row.madeAgain) {
                WriteText(file, "new");
            }
            return DeleteOutcome::InUse;
        });
        const std::vector<std::string> lines = RunBatch({{hcDir, root, true, false}});
        EXPECT_EQ(ReadText(file), row.madeAgain ? "new" : "old");
        std::vector<std::string> names = NamesIn(root);
        std::erase(names, "report.tmp");
        ASSERT_EQ(names.size(), row.madeAgain ? 1u : 0u);
        const std::string kept = names.empty() ? "report.tmp" : names[0];
        EXPECT_EQ(ReadText(root + "\\" + kept), "old");
        EXPECT_NE(kept, "KLARVO~~.DEL");
        EXPECT_LE(kept.size(), 12u) << "8.3";
        const std::vector<std::string> named = LinesWith(lines, file);
        ASSERT_EQ(named.size(), 1u) << testing::PrintToString(lines);
        EXPECT_EQ(named[0].rfind(row.line, 0), 0u) << named[0];
        EXPECT_NE(named[0].find(kept), std::string::npos) << named[0];
    }
}

// A name outside the code page is reached by its short name there; moved
// and put back under that, the file would lose its own.
TEST(NamedDelete, AFileReachedByItsShortNameKeepsItsLongOne)
{
    const ScopedMissingFunctions windows9x(kWindows9xLacks);
    TempDir temp;
    const std::string root = temp.File("tree");
    ASSERT_TRUE(CreateDirectoryA(root.c_str(), nullptr));
    const std::wstring longName = std::wstring(root.begin(), root.end()) + L"\\\x4E2D\x6587.tmp";
    ASSERT_TRUE(FileHandle(
        CreateFileW(longName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr)));
    std::vector<std::string> asked;
    const ScopedNamedDelete failing([&](const std::string& path) {
        asked.push_back(path);
        return DeleteOutcome::Failed;
    });
    const std::vector<std::string> lines = RunBatch({{hcDir, root, true, false}});
    ASSERT_EQ(asked.size(), 1u) << "listed by its short name";
    EXPECT_NE(GetFileAttributesW(longName.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(NamesIn(root).size(), 1u);
    EXPECT_EQ(LinesWith(lines, "refused by the system: " + asked[0]).size(), 1u) << testing::PrintToString(lines);
}

// What a clearing kept is summed in one line for it, each kind with its
// count; a clean folder in the same batch writes nothing.
TEST(DiskOutcomes, EveryKindKeptIsCountedInOneLineOfItsClear)
{
    TempDir temp;
    const std::string root = temp.File("kept");
    const std::string clean = temp.File("clean");
    for (const std::string& folder : {root, clean, root + "\\marked", root + "\\busy"}) {
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    }
    for (const char* name : {"\\readonly.txt", "\\system.ini", "\\marked\\inside.tmp", "\\busy\\held.tmp"}) {
        WriteText(root + name, "x");
    }
    WriteText(clean + "\\gone.tmp", "x");
    ASSERT_TRUE(SetFileAttributesA((root + "\\readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(SetFileAttributesA((root + "\\system.ini").c_str(), FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(SetFileAttributesA((root + "\\marked").c_str(), FILE_ATTRIBUTE_SYSTEM));
    const std::string held = root + "\\busy\\held.tmp";
    FileHandle open(CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(open);

    const std::vector<std::string> lines = RunBatch({{hcDir, root, true, true}, {hcDir, clean, true, true}});
    open.Reset();
    SetFileAttributesA((root + "\\readonly.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(LinesWith(lines, clean).size(), 0u) << testing::PrintToString(lines);
    EXPECT_EQ(LinesWith(lines, "left in use: " + held).size(), 1u) << testing::PrintToString(lines);
    const std::vector<std::string> summary = LinesWith(lines, "Left in " + root + ":");
    ASSERT_EQ(summary.size(), 1u) << testing::PrintToString(lines);
    const char* const kinds[] = {"read-only or system 3", "folders kept for what stayed in them 1", "files in use 1",
                                 "files deleted 1"};
    for (const char* kind : kinds) {
        EXPECT_NE(summary[0].find(kind), std::string::npos) << summary[0];
    }
}

} // namespace
} // namespace klarvo::resident
