#pragma once
// What the disk tests share: a small tree, a cleaner without places, the
// line the run takes, and the check that a preview lists what a Clear
// deletes.

#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <string>

#include "resident/disk/DiskCleaner.h"
#include "support/Process.h"
#include "support/TempDir.h"

namespace klarvo::resident::disk_test {

using test::WriteText;

inline void MakeDir(const std::string& path)
{
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path;
}

// A small tree: two files at the top, nested directories three deep.
struct Tree {
    explicit Tree(const std::string& root) : root(root)
    {
        MakeDir(root);
        WriteText(root + "\\a.tmp", "a");
        WriteText(root + "\\b.tmp", "b");
        MakeDir(root + "\\sub");
        WriteText(root + "\\sub\\c.tmp", "c");
        MakeDir(root + "\\sub\\deeper");
        WriteText(root + "\\sub\\deeper\\d.tmp", "d");
        MakeDir(root + "\\sub\\deeper\\deepest");
        WriteText(root + "\\sub\\deeper\\deepest\\e.tmp", "e");
        MakeDir(root + "\\empty");
    }
    std::string root;
};

// Each path there, or each gone.
inline void ExpectPresent(bool present, std::initializer_list<std::string> paths)
{
    for (const std::string& path : paths) {
        EXPECT_EQ(test::FileExists(path), present) << path;
    }
}

// A tree a script builds from the Linux side around the run, named by
// --<argument>=; without it the test is skipped.
template <const char* argument, const char* script> class ScriptedTree : public testing::Test {
protected:
    void SetUp() override
    {
        if (base.empty()) {
            GTEST_SKIP() << "needs what " << script << " makes";
        }
    }
    const std::string base = test::TestArgument(argument);
};

inline DiskCleaner CleanerWithoutPlaces()
{
    return DiskCleaner({});
}

inline bool OnTheNtLine()
{
    return DiskFunctions::Find().HandlePath();
}

// What a walk told of every entry, by path.
inline std::map<std::string, WalkedEntry> Walked(const DiskCleaner& cleaner, const std::string& root,
                                                 bool withSubdirectories, WalkMode mode)
{
    std::map<std::string, WalkedEntry> seen;
    const ClearTally tally = cleaner.Clear(root, withSubdirectories, nullptr, mode,
                                           [&seen](const WalkedEntry& entry) { seen.emplace(entry.path, entry); });
    EXPECT_EQ(tally.verdict, PathVerdict::Accepted) << root;
    return seen;
}

// On an unchanged tree a Clear deletes what its preview listed, and nothing
// the preview kept; the preview itself deletes nothing.
inline void ExpectPreviewIsWhatAClearDeletes(const DiskCleaner& cleaner, const std::string& root,
                                             bool withSubdirectories)
{
    const auto preview = Walked(cleaner, root, withSubdirectories, WalkMode::Preview);
    for (const auto& [path, entry] : preview) {
        EXPECT_TRUE(entry.fate != EntryFate::Deleted || GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
            << "the preview deleted " << path;
    }
    const auto clear = Walked(cleaner, root, withSubdirectories, WalkMode::Delete);
    EXPECT_EQ(clear.size(), preview.size()) << root;
    for (const auto& [path, entry] : clear) {
        const auto previewed = preview.find(path);
        ASSERT_NE(previewed, preview.end()) << "not in the preview: " << path;
        // Windows 9x opens no folder: one in use shows only when the Clear
        // tries to remove it, and so the folders above it stay too.
        const bool folderFoundInUse = !OnTheNtLine() && entry.directory &&
                                      previewed->second.fate == EntryFate::Deleted &&
                                      (entry.fate == EntryFate::InUse || entry.fate == EntryFate::KeptFor);
        if (!folderFoundInUse) {
            EXPECT_EQ(FateText(entry.fate), FateText(previewed->second.fate)) << path;
        }
        EXPECT_EQ(entry.size, previewed->second.size) << path;
        // What stays is looked at from outside: "x." names "x" here.
        EXPECT_TRUE(entry.fate != EntryFate::Deleted || GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
            << path;
    }
}

inline std::string WindowsDirectory()
{
    char buffer[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(buffer, MAX_PATH);
    return std::string(buffer, length);
}

} // namespace klarvo::resident::disk_test
