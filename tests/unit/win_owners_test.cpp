#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "support/TempDir.h"
#include "win/File.h"
#include "win/Files.h"
#include "win/Gdi.h"
#include "win/Handles.h"
#include "win/SystemFunction.h"

#include <windows.h>

using namespace klarvo;

namespace {

// Counts the calls that give a handle back.
int closes = 0;
struct CountingTraits {
    using Handle = int;
    static Handle Empty() { return 0; }
    static void Close(Handle) { ++closes; }
};
using Counted = UniqueHandle<CountingTraits>;

TEST(Owners, CloseOnceAndMovingLeavesTheSourceEmpty)
{
    closes = 0;
    {
        Counted a(7);
        Counted b(std::move(a));
        EXPECT_FALSE(a);
        EXPECT_EQ(b.Get(), 7);
        Counted c(9);
        c = std::move(b); // 9 goes, 7 moves on
        EXPECT_EQ(closes, 1);
        EXPECT_FALSE(b);
        auto& self = c;
        c = std::move(self);
        EXPECT_EQ(c.Get(), 7);
        EXPECT_EQ(closes, 1);
        Counted d(5);
        EXPECT_EQ(d.Release(), 5);
        *d.Receive() = 6; // handed out through a pointer, owned all the same
    }
    EXPECT_EQ(closes, 3) << "7 and 6 once each, 9 before them, 5 never";
}

bool HandleOpen(HANDLE h)
{
    DWORD flags = 0;
    return GetHandleInformation(h, &flags) != FALSE;
}

bool KeyOpen(HKEY key)
{
    return RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                            nullptr, nullptr) == ERROR_SUCCESS;
}

// A search holds its directory open without letting it be removed.
bool DirectoryHeld(const std::string& directory)
{
    if (!RemoveDirectoryA(directory.c_str())) {
        return true;
    }
    CreateDirectoryA(directory.c_str(), nullptr);
    return false;
}

// Whether the handle was open while owned and closed once the owner went.
struct Lifetime {
    bool openWhileOwned = false;
    bool openAfter = true;
};

template <typename Owner, typename Probe> Lifetime Own(typename Owner::Handle raw, Probe isOpen)
{
    Lifetime l;
    {
        const Owner owner(raw);
        l.openWhileOwned = owner && isOpen(raw);
    }
    l.openAfter = isOpen(raw);
    return l;
}

TEST(Owners, EachKindIsClosedByItsOwnCall)
{
    test::TempDir dir;
    test::WriteText(dir.File("a.txt"), "a");
    const std::string sub = dir.File("sub");
    ASSERT_TRUE(CreateDirectoryA(sub.c_str(), nullptr));
    WIN32_FIND_DATAA found;
    {
        // The probe itself: an open search does hold its directory here.
        HANDLE search = FindFirstFileA((sub + "\\*").c_str(), &found);
        ASSERT_NE(search, INVALID_HANDLE_VALUE);
        const bool held = DirectoryHeld(sub);
        FindClose(search);
        if (!held) {
            GTEST_SKIP() << "this system lets a searched directory go";
        }
    }
    const struct {
        const char* kind;
        std::function<Lifetime()> run;
    } cases[] = {
        {"kernel", [] { return Own<KernelHandle>(CreateEventA(nullptr, TRUE, FALSE, nullptr), HandleOpen); }},
        {"file",
         [&] {
             return Own<FileHandle>(CreateFileA(dir.File("a.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                                OPEN_EXISTING, 0, nullptr),
                                    HandleOpen);
         }},
        {"find",
         [&] {
             return Own<FindHandle>(FindFirstFileA((sub + "\\*").c_str(), &found),
                                    [&](HANDLE) { return DirectoryHeld(sub); });
         }},
        {"registry key",
         [] {
             HKEY key = nullptr;
             RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &key);
             return Own<RegistryKey>(key, KeyOpen);
         }},
    };
    for (const auto& c : cases) {
        const Lifetime l = c.run();
        EXPECT_TRUE(l.openWhileOwned) << c.kind;
        EXPECT_FALSE(l.openAfter) << c.kind;
    }
}

TEST(Owners, MenusAndGdiObjectsAreGone)
{
    HMENU menu = nullptr;
    {
        MenuHandle owned(CreatePopupMenu());
        menu = owned.Get();
        EXPECT_TRUE(IsMenu(menu));
    }
    EXPECT_FALSE(IsMenu(menu));

    HBRUSH brush = nullptr;
    {
        MemoryDc dc;
        BrushHandle owned(CreateSolidBrush(RGB(1, 2, 3)));
        brush = owned.Get();
        const Selection selected(dc.Get(), brush);
        EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
    }
    EXPECT_EQ(GetObjectType(brush), 0u);
}

TEST(Files, PathQuestionsTellFilesFromDirectories)
{
    test::TempDir dir;
    test::WriteText(dir.File("a.txt"), "a");
    const struct {
        std::string path;
        bool file, directory, exists;
    } cases[] = {
        {dir.File("a.txt"), true, false, true},
        {dir.File("b.txt"), false, false, false},
        {dir.Path(), false, true, true}, // a directory is no file
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileExists(c.path), c.file) << c.path;
        EXPECT_EQ(IsDirectory(c.path), c.directory) << c.path;
        EXPECT_EQ(PathExists(c.path), c.exists) << c.path;
    }
}

TEST(Files, WholeFilesAppendsAndReplacements)
{
    test::TempDir dir;
    const std::string path = dir.File("log.txt");
    WriteWholeFile(path, "first\r\n");
    {
        const File file = File::OpenAlways(path, File::Sharing::Nobody);
        file.Append("second\r\n");
        EXPECT_THROW(ReadWholeFile(path), FileError) << "nobody else may open it meanwhile";
    }
    EXPECT_EQ(ReadWholeFile(path), "first\r\nsecond\r\n");
    EXPECT_EQ(ReadWholeFile(path, 3), "fir");
    File::OpenAlways(path).ReplaceContent("kept");
    EXPECT_EQ(ReadWholeFile(path), "kept") << "the longer old content is cut";

    // Longer than one read of the layer.
    const std::string big(200'000, 'x');
    WriteWholeFile(path, big);
    EXPECT_EQ(ReadWholeFile(path), big);

    try {
        ReadWholeFile(dir.File("missing.txt"));
        ADD_FAILURE() << "a missing file was read";
    } catch (const FileError& error) {
        EXPECT_TRUE(IsNotFound(error.Code())) << error.what();
        EXPECT_NE(std::string(error.what()).find("missing.txt"), std::string::npos) << error.what();
    }
    EXPECT_THROW(WriteWholeFile(dir.File("no such dir\\x.txt"), "x"), FileError);
}

} // namespace

TEST(SystemFunctions, FoundUnlessATestReportsThemMissing)
{
    EXPECT_NE(FindSystemFunction("kernel32.dll", "GetTickCount"), nullptr);
    EXPECT_EQ(FindSystemFunction("kernel32.dll", "NoSuchFunctionAnywhere"), nullptr);
    EXPECT_EQ(FindSystemFunction("no-such-module.dll", "GetTickCount"), nullptr);
    {
        const ScopedMissingFunctions missing("GetVersion,GetTickCount");
        EXPECT_EQ(FindSystemFunction("kernel32.dll", "GetTickCount"), nullptr);
        EXPECT_EQ(FindSystemFunction("kernel32.dll", "GetVersion"), nullptr);
        // Whole names only: a prefix of a listed name is no match.
        EXPECT_NE(FindSystemFunction("kernel32.dll", "GetVersionExA"), nullptr);
    }
    EXPECT_NE(FindSystemFunction("kernel32.dll", "GetTickCount"), nullptr);
}
