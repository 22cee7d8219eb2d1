// Which places the cleaner refuses, and why: the machine's own folders, a
// person's folders, the system's places for each category, and drive
// letters and other names that lead into them. Part of the disk tests'
// program, which takes the path of Windows 9x with --line=9x.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "link/Messages.h"
#include "resident/disk/DiskIdentity.h"
#include "resident/disk/Preview.h"
#include "settings/ConfStr.h"
#include "support/Scoped.h"
#include "resident_disk_support.h"
#include "win/Handles.h"
#include "win/Registry.h"

namespace klarvo::resident {
namespace {

using namespace disk_test;
using test::FileExists;
using test::ReadText;
using test::RegistryText;
using test::ScopedUserValue;
using test::ScopedVariable;
using test::TempDir;
using test::WriteText;

// Stand-ins for the Windows directory, the system directory, a profile,
// Program Files and the program's directory, each holding a file that must
// survive (TEMP's may go).
class RefusedRoots : public testing::Test {
protected:
    static constexpr const char* kDirs[] = {"machine",
                                            "machine\\WINDOWS",
                                            "machine\\WINDOWS\\SYSTEM",
                                            "machine\\WINDOWS\\SYSTEM\\IOSUBSYS",
                                            "machine\\WINDOWS\\FONTS",
                                            "machine\\Documents and Settings",
                                            "machine\\Documents and Settings\\anna",
                                            "machine\\Program Files",
                                            "machine\\Program Files\\Klarvo",
                                            "machine\\Program Files\\Other",
                                            "machine\\WINDOWS\\TEMP"};
    void SetUp() override
    {
        for (const char* dir : kDirs) {
            MakeDir(temp.File(dir));
            WriteText(temp.File(dir) + "\\sentinel.txt", "keep");
        }
        places = {
            {temp.File("machine\\WINDOWS"), true, true},
            {temp.File("machine\\WINDOWS\\SYSTEM"), true},
            {temp.File("machine\\Documents and Settings\\anna"), false},
            {temp.File("machine\\Program Files"), true, true},
            {temp.File("machine\\Program Files\\Klarvo\\"), false},
        };
        cleanables = {temp.File("machine\\WINDOWS\\TEMP")};
    }

    unsigned long Sentinels()
    {
        unsigned long count = 0;
        for (std::size_t i = 0; i < kSentinels; ++i) {
            count += FileExists(temp.File(kDirs[i]) + "\\sentinel.txt");
        }
        return count;
    }

    static constexpr unsigned long kSentinels = 10;
    TempDir temp;
    std::vector<ProtectedPlace> places;
    std::vector<std::string> cleanables;
};

TEST_F(RefusedRoots, TouchNothing)
{
    auto shortName = [](const std::string& path) {
        char buffer[MAX_PATH];
        const DWORD length = GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
        return length > 0 && length < MAX_PATH ? std::string(buffer, length) : path;
    };
    auto upper = [](std::string text) {
        CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
        return text;
    };
    const std::string machine = temp.File("machine");
    const struct {
        std::string path;
        PathVerdict verdict;
    } cases[] = {
        {"", PathVerdict::Empty},
        {"machine", PathVerdict::NotAbsolute},
        {machine.substr(0, 3), PathVerdict::DriveRoot},
        {machine + "\\WINDOWS", PathVerdict::Protected},
        {upper(machine + "\\windows\\"), PathVerdict::Protected},
        {machine + "\\WINDOWS.", PathVerdict::BadCharacters},
        {machine + "\\WINDOWS\\TEMP\\..", PathVerdict::DotComponent},
        {machine + "\\WINDOWS\\SYSTEM", PathVerdict::Protected},
        {machine + "\\WINDOWS\\SYSTEM\\IOSUBSYS", PathVerdict::InsideProtected},
        {machine + "\\WINDOWS\\FONTS", PathVerdict::InsideProtected},
        {machine + "\\Program Files\\Other", PathVerdict::InsideProtected},
        {machine + "\\Documents and Settings\\anna", PathVerdict::Protected},
        {shortName(machine + "\\Documents and Settings\\anna"), PathVerdict::Protected},
        {machine + "\\Documents and Settings", PathVerdict::HoldsProtected},
        {shortName(machine + "\\Documents and Settings"), PathVerdict::HoldsProtected},
        {machine + "\\Program Files\\Klarvo", PathVerdict::Protected},
        {machine + "\\Program Files", PathVerdict::Protected},
        {machine, PathVerdict::HoldsProtected},
        {machine + "/Program Files/Klarvo", PathVerdict::Protected},
    };
    const DiskCleaner cleaner(places, cleanables);
    for (const auto& c : cases) {
        const ClearTally tally = cleaner.Clear(c.path, true);
        EXPECT_EQ(tally.verdict, c.verdict) << c.path << ": " << VerdictText(tally.verdict);
        EXPECT_EQ(tally.filesDeleted + tally.directoriesRemoved, 0u) << c.path;
        EXPECT_EQ(Sentinels(), kSentinels) << "after " << c.path;
    }
    // A cleanable place that is the Windows directory itself waives nothing.
    cleanables.push_back(machine + "\\WINDOWS");
    EXPECT_EQ(DiskCleaner(places, cleanables).Judge(machine + "\\WINDOWS\\FONTS"), PathVerdict::InsideProtected);
}

TEST_F(RefusedRoots, AllowTheCleanablePlacesInsideTheWindowsTree)
{
    const DiskCleaner cleaner(places, cleanables);
    MakeDir(temp.File("machine\\WINDOWS\\TEMP\\sub"));
    WriteText(temp.File("machine\\WINDOWS\\TEMP\\sub\\x.tmp"), "x");
    const ClearTally tally = cleaner.Clear(temp.File("machine\\WINDOWS\\TEMP\\sub"), true);
    EXPECT_EQ(tally.verdict, PathVerdict::Accepted);
    EXPECT_EQ(tally.filesDeleted, 1u);
    EXPECT_EQ(cleaner.Clear(temp.File("machine\\WINDOWS\\TEMP"), true).filesDeleted, 1u);
    EXPECT_FALSE(FileExists(temp.File("machine\\WINDOWS\\TEMP\\sub")));
    EXPECT_EQ(Sentinels(), kSentinels);
}

TEST(SystemProtectedPlaces, RefuseThisMachinesOwnDirectories)
{
    const std::string program = "C:\\Program Files\\Klarvo";
    const DiskCleaner cleaner(SystemProtectedPlaces(program), SystemCleanablePlaces());
    for (const std::string& place : cleaner.UnreadablePlaces()) {
        ADD_FAILURE() << "not readable here: " << place;
    }
    char buffer[MAX_PATH];
    GetWindowsDirectoryA(buffer, MAX_PATH);
    const std::string windows = buffer;
    GetSystemDirectoryA(buffer, MAX_PATH);
    const std::string system = buffer;
    // Judged only: no test clears these, even in the sandbox.
    EXPECT_EQ(cleaner.Judge(windows), PathVerdict::Protected);
    EXPECT_EQ(cleaner.Judge(system), PathVerdict::Protected);
    EXPECT_EQ(cleaner.Judge(system + "\\drivers"), PathVerdict::InsideProtected);
    EXPECT_EQ(cleaner.Judge(windows + "\\Fonts"), PathVerdict::InsideProtected);
    // Where Windows 9x leads a temporary path that no variable names.
    GetCurrentDirectoryA(MAX_PATH, buffer);
    EXPECT_NE(cleaner.Judge(buffer), PathVerdict::Accepted) << buffer;
    EXPECT_EQ(cleaner.Judge(windows.substr(0, 3)), PathVerdict::DriveRoot);
    EXPECT_EQ(cleaner.Judge(program + "\\"), PathVerdict::Protected);
    EXPECT_EQ(cleaner.Judge("c:\\program files"), PathVerdict::Protected);
    EXPECT_EQ(cleaner.Judge("c:\\program files\\Other"), PathVerdict::InsideProtected);
    if (GetEnvironmentVariableA("USERPROFILE", buffer, MAX_PATH) > 0) {
        EXPECT_EQ(cleaner.Judge(buffer), PathVerdict::Protected) << buffer;
    }
    // The temporary directory itself is what the cleaner exists for.
    GetTempPathA(MAX_PATH, buffer);
    EXPECT_EQ(cleaner.Judge(buffer), PathVerdict::Accepted) << buffer;
}

// A person's folders, wherever the registry puts them, are never emptied,
// nor is a folder that holds them. A value the cleaner cannot read makes
// it refuse everything: where that folder lies is unknown. One it lacks
// protects nothing.
TEST(ShellFolders, AreProtectedAndFailClosed)
{
    TempDir temp;
    const std::string docs = temp.File("docs");
    MakeDir(docs);
    WriteText(docs + "\\letter.txt", "keep");
    MakeDir(docs + "\\scratch");
    const std::string other = temp.File("other");
    MakeDir(other);
    std::vector<std::unique_ptr<ScopedUserValue>> folders;
    for (const char* name : {"Desktop", "Favorites", "Start Menu", "AppData"}) {
        const std::string path = temp.File(name);
        MakeDir(path);
        folders.push_back(std::make_unique<ScopedUserValue>(kUserShellFoldersKey, name, REG_SZ, RegistryText(path)));
    }
    SetEnvironmentVariableA("KLARVO_DOCS", docs.c_str());
    const struct {
        const char* what;
        DWORD type;
        std::string bytes;
        PathVerdict docsVerdict;
        PathVerdict otherVerdict;
    } cases[] = {
        {"text", REG_SZ, RegistryText(docs), PathVerdict::Protected, PathVerdict::Accepted},
        {"text with a variable", REG_EXPAND_SZ, RegistryText("%KLARVO_DOCS%"), PathVerdict::Protected,
         PathVerdict::Accepted},
        {"an unknown variable", REG_EXPAND_SZ, RegistryText("%KLARVO_NOT_SET%\\docs"), PathVerdict::UnknownProtected,
         PathVerdict::UnknownProtected},
        {"a number", REG_DWORD, std::string("\x01\0\0\0", 4), PathVerdict::UnknownProtected,
         PathVerdict::UnknownProtected},
        {"a share", REG_SZ, RegistryText("\\\\nowhere\\docs"), PathVerdict::UnknownProtected,
         PathVerdict::UnknownProtected},
    };
    const ScopedUserValue shellFolders(kShellFoldersKey, "Personal", REG_NONE, "");
    for (const auto& c : cases) {
        const ScopedUserValue personal(kUserShellFoldersKey, "Personal", c.type, c.bytes);
        const DiskCleaner cleaner(SystemProtectedPlaces(""), SystemCleanablePlaces());
        EXPECT_EQ(cleaner.Clear(docs, true).verdict, c.docsVerdict) << c.what;
        EXPECT_EQ(cleaner.Judge(other), c.otherVerdict) << c.what;
        // An unreadable one leaves nothing to judge the others by.
        const bool known = c.otherVerdict == PathVerdict::Accepted;
        for (const char* name : {"Desktop", "Favorites", "Start Menu", "AppData"}) {
            EXPECT_EQ(cleaner.Judge(temp.File(name)), known ? PathVerdict::Protected : c.otherVerdict) << name;
        }
        EXPECT_EQ(cleaner.Judge(temp.Path()), known ? PathVerdict::HoldsProtected : c.otherVerdict) << c.what;
        // Only the folders themselves: one of the person's own inside them
        // may be chosen.
        EXPECT_EQ(cleaner.Judge(docs + "\\scratch"), known ? PathVerdict::Accepted : c.otherVerdict) << c.what;
        EXPECT_TRUE(FileExists(docs + "\\letter.txt")) << c.what;
    }
    const ScopedUserValue personal(kUserShellFoldersKey, "Personal", REG_NONE, "");
    EXPECT_EQ(DiskCleaner(SystemProtectedPlaces(""), {}).Judge(docs), PathVerdict::Accepted) << "no such folder here";
}

// The temporary directory is the cleaner's own reading of TMP, else TEMP,
// and only when that names a directory in full.
TEST(SystemPlaces, TheTemporaryDirectoryIsTheCleanersOwn)
{
    TempDir temp;
    const std::string own = temp.File("own");
    MakeDir(own);
    const DiskCleaner cleaner({});
    const struct {
        const char* tmp;
        const std::string line;
        PathVerdict verdict;
    } cases[] = {
        {own.c_str(), own, PathVerdict::Accepted},
        {own.c_str(), own + "\\", PathVerdict::Accepted},
        {own.c_str(), temp.Path(), PathVerdict::NotSystemPlace},
        {".", own, PathVerdict::NotSystemPlace},
        {"own", own, PathVerdict::NotSystemPlace},
        {own.c_str(), "own", PathVerdict::NotAbsolute},
    };
    for (const auto& c : cases) {
        const ScopedVariable tmp("TMP", c.tmp);
        EXPECT_EQ(cleaner.JudgeSystemPlace(c.line, SystemPlaceOf(hcTemp)), c.verdict) << c.tmp << " " << c.line;
    }
}

FILETIME LastWritten(const std::string& directory)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(directory.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

// What Windows would answer for a letter made by SUBST into the Windows
// folder (Windows 9x's true name; on the NT line a volume also mounted
// there) and for a mapped share (Wine gives neither): refused before
// anything is written.
TEST(DiskJudgement, ALetterAlsoLeadingInsideOrToTheNetworkIsRefused)
{
    TempDir temp;
    Tree tree(temp.File("tree"));
    const DiskCleaner cleaner(SystemProtectedPlaces(""), SystemCleanablePlaces());
    const FILETIME before = LastWritten(tree.root);
    struct Case {
        std::string target;
        PathVerdict verdict;
    };
    std::vector<Case> cases = {{WindowsDirectory(), PathVerdict::InsideProtected}};
    if (!OnTheNtLine()) { // the NT line knows a share's folders by their identity
        cases.push_back({"\\\\SERVER\\SHARE", PathVerdict::NetworkDrive});
    }
    for (const Case& c : cases) {
        const ScopedDriveAnswers answers({{tree.root.substr(0, 2), c.target}});
        EXPECT_EQ(cleaner.Clear(tree.root, true).verdict, c.verdict) << c.target;
    }
    EXPECT_TRUE(FileExists(tree.root + "\\a.tmp"));
    const FILETIME after = LastWritten(tree.root);
    EXPECT_EQ(CompareFileTime(&before, &after), 0) << "a trial file came and went";
}

// A cleaner ended while its trial file stands leaves it and its line in the
// journal; the next one sweeps both before it judges anything.
TEST(DiskJudgement, ATrialFileOfAnEndedJudgementGoesAtTheNextStart)
{
    if (OnTheNtLine()) {
        GTEST_SKIP() << "only Windows 9x makes trial files";
    }
    TempDir temp;
    Tree tree(temp.File("tree"));
    const std::string journal = temp.File(kMarkerJournalName);
    const std::string markers = tree.root + "\\KLARVO~*.MRK";
    WIN32_FIND_DATAA found;
    {
        const ScopedAbandonedMarkers ended;
        EXPECT_EQ(DiskCleaner(SystemProtectedPlaces(""), {}, journal).Judge(tree.root), PathVerdict::Accepted);
    }
    ASSERT_TRUE(FindHandle(FindFirstFileA(markers.c_str(), &found))) << "the ended judgement left no trial file";
    ASSERT_TRUE(FileExists(journal));
    const DiskCleaner next(SystemProtectedPlaces(""), {}, journal);
    EXPECT_FALSE(FindHandle(FindFirstFileA(markers.c_str(), &found)));
    EXPECT_FALSE(FileExists(journal));
    EXPECT_TRUE(FileExists(tree.root + "\\a.tmp"));
}

// Two cleaners judge at once: the sweep at one's start must leave the trial
// file the other's judgement stands on, or that judgement would see it
// nowhere and take a protected place for an ordinary one.
TEST(DiskJudgement, ASweepLeavesTheTrialFileOfAJudgementUnderWay)
{
    TempDir temp;
    Tree tree(temp.File("tree"));
    const std::string journal = temp.File(kMarkerJournalName);
    const Marker underWay(tree.root, journal);
    ASSERT_TRUE(underWay.Made());
    std::thread other([&] { SweepMarkers(journal); });
    other.join();
    EXPECT_TRUE(underWay.ShowsIn(tree.root));
    EXPECT_TRUE(FileExists(journal));
}

// FAT gives a volume's root the file index 0: the root is then known by its
// volume; a directory below it with index 0 cannot be told from others.
TEST(DiskJudgement, AVolumeRootWithoutAFileIndexIsKnownByItsVolume)
{
    if (!OnTheNtLine()) {
        GTEST_SKIP() << "Windows 9x judges no identities";
    }
    TempDir temp;
    Tree tree(temp.File("tree"));
    {
        const ScopedZeroIndex fat({tree.root.substr(0, 3)});
        const DiskCleaner cleaner(SystemProtectedPlaces(""), SystemCleanablePlaces());
        EXPECT_TRUE(cleaner.UnreadablePlaces().empty());
        EXPECT_EQ(cleaner.Judge(WindowsDirectory() + "\\Fonts"), PathVerdict::InsideProtected);
        EXPECT_EQ(cleaner.Clear(tree.root, true).filesDeleted, 5u);
    }
    Tree again(temp.File("again"));
    const ScopedZeroIndex below({again.root + "\\sub"});
    EXPECT_EQ(CleanerWithoutPlaces().Clear(again.root + "\\sub\\deeper", true).verdict, PathVerdict::Unverifiable);
    EXPECT_TRUE(FileExists(again.root + "\\sub\\deeper\\d.tmp"));
}

constexpr char kDrivesBase[] = "drives-base", kDrivesScript[] = "resident_drives.sh";
using DiskDrives = ScriptedTree<kDrivesBase, kDrivesScript>;

// Run by resident_drives.sh: S: leads into the Windows folder, P: into
// Program Files, K: to the folder above the program's own, W: and V: are
// rooted one and two levels inside the Windows folder, Q: and R: inside
// Program Files, T: into an ordinary tree. A drive letter is no way around
// a protected place, wherever it is rooted.
TEST_F(DiskDrives, LeadingIntoProtectedPlacesAreRefused)
{
    const DiskCleaner cleaner(SystemProtectedPlaces(base + "\\program"), SystemCleanablePlaces());
    for (const char* refused :
         {"S:\\kprobe", "P:\\KlarvoProbeApp", "K:\\program", "W:\\sub", "V:\\sub", "Q:\\data", "R:\\x"}) {
        const ClearTally tally = cleaner.Clear(refused, true);
        EXPECT_NE(tally.verdict, PathVerdict::Accepted) << refused;
        EXPECT_EQ(tally.filesDeleted + tally.directoriesRemoved, 0u) << refused;
    }
    const ClearTally ordinary = cleaner.Clear("T:\\", true);
    EXPECT_EQ(ordinary.verdict, PathVerdict::DriveRoot);
    EXPECT_EQ(cleaner.Clear("T:\\sub", true).filesDeleted, 1u);
}

// A letter that leads into a protected place previews as refused, with why.
TEST_F(DiskDrives, PreviewAsRefusedWithTheirReasons)
{
    TempDir program;
    const DiskCleaner cleaner(SystemProtectedPlaces(program.Path()), SystemCleanablePlaces());
    const std::string report = program.File(kPreviewName);
    for (const char* refused : {"S:\\kprobe", "P:\\KlarvoProbeApp", "W:\\sub", "R:\\x"}) {
        WriteConfStr(program.File("ConfStr.dat"), {"", "", "", "", refused, "", ""});
        EXPECT_EQ(RunPreview(program.Path(), {hcDir}, report), 1) << refused;
        const std::string reason = VerdictText(cleaner.Judge(refused));
        EXPECT_NE(ReadText(report).find(std::string(refused) + "\r\n  Refused: " + reason), std::string::npos)
            << ReadText(report);
    }
}

} // namespace
} // namespace klarvo::resident
