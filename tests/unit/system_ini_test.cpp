#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "support/FakeShell.h"
#include "settings/System.h"
#include "support/TempDir.h"

using namespace klarvo;
using klarvo::test::FakeShell;
using klarvo::test::ReadText;
using klarvo::test::TempDir;
using klarvo::test::WriteText;
using testing::ElementsAre;
using testing::IsEmpty;

namespace {

const std::string kReboot = std::string("message ") + kRebootMessage;

// Each case gets its own Windows directory: the profile functions cache a
// file by name, and a reused name could answer from the cache.
struct Windows {
    TempDir dir;
    SystemPlaces places;
    std::string ini = dir.File("system.ini");
    Windows() { places.windowsDir = dir.Path().substr(0, dir.Path().size() - 1); }
};

// A file without limits is left as it is, and the shell goes on.
TEST(VcacheLimitsTest, LimitsAreRemovedAndOnlyThenTheShellEndsAskingForAReboot)
{
    struct Case {
        const char* what;
        std::string before;
        const char* after; // nullptr: left as it is
    };
    const Case cases[] = {
        {"both limits",
         "[boot]\r\nshell=Explorer.exe\r\n[vcache]\r\nminfilecache=2048\r\nmaxfilecache=8192\r\n[386Enh]\r\n",
         "[boot]\r\nshell=Explorer.exe\r\n[vcache]\r\n[386Enh]\r\n"},
        {"only the upper one", "[vcache]\r\nmaxfilecache=8192\r\nchunksize=512\r\n", "[vcache]\r\nchunksize=512\r\n"},
        {"only the lower one", "[vcache]\r\nminfilecache=1024\r\n", "[vcache]\r\n"},
        {"an empty limit", "[vcache]\r\nminfilecache=\r\n", "[vcache]\r\n"},
        {"the marker text beside a real limit", "[vcache]\r\nminfilecache=uuu\r\nmaxfilecache=1\r\n", "[vcache]\r\n"},
        {"other letter case", "[VCache]\r\nMaxFileCache=4096\r\n", "[VCache]\r\n"},
        {"no vcache section", "[boot]\r\nshell=Explorer.exe\r\n", nullptr},
        {"an empty vcache section", "[vcache]\r\n[boot]\r\n", nullptr},
        {"limits in another section", "[386Enh]\r\nminfilecache=1\r\nmaxfilecache=2\r\n", nullptr},
        {"the marker text only", "[vcache]\r\nminfilecache=uuu\r\n", nullptr},
        {"an empty file", "", nullptr},
        {"binary junk", std::string("\0\xff[vcache\r\n=\r\n\x1a", 15), nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Windows windows;
        FakeShell shell;
        WriteText(windows.ini, c.before);
        ResetVcacheLimits(shell, windows.places);
        if (c.after) {
            EXPECT_THAT(shell.calls, ElementsAre("stop timer", kReboot, "end"));
        } else {
            EXPECT_THAT(shell.calls, IsEmpty());
        }
        EXPECT_EQ(ReadText(windows.ini), c.after ? c.after : c.before);
    }
}

TEST(VcacheLimitsTest, MissingFileIsNotCreated)
{
    Windows windows;
    FakeShell shell;
    ResetVcacheLimits(shell, windows.places);
    EXPECT_THAT(shell.calls, IsEmpty());
    EXPECT_FALSE(klarvo::test::FileExists(windows.ini));
}

TEST(VcacheLimitsTest, FileThatCannotBeWrittenKeepsItsLimitsAndTheShellGoesOn)
{
    // Another program holds system.ini open for reading only. (A read-only
    // attribute would do on Windows, but the tests run as a user whose
    // files Wine writes regardless.)
    Windows windows;
    FakeShell shell;
    const std::string text = "[vcache]\r\nminfilecache=2048\r\n";
    WriteText(windows.ini, text);
    HANDLE holder = CreateFileA(windows.ini.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    char value[16] = {};
    GetPrivateProfileStringA("vcache", "minfilecache", "", value, sizeof value, windows.ini.c_str());
    ASSERT_STREQ(value, "2048") << "the limit can still be read";
    ResetVcacheLimits(shell, windows.places);
    CloseHandle(holder);
    EXPECT_THAT(shell.calls, IsEmpty()) << "no reboot for a change that was not made";
    EXPECT_EQ(ReadText(windows.ini), text);
}

TEST(VcacheLimitsTest, HugeFileIsHandled)
{
    Windows windows;
    FakeShell shell;
    std::string text;
    for (int section = 0; text.size() < 4u * 1024 * 1024; ++section) {
        text += "[s" + std::to_string(section) + "]\r\nkey=" + std::string(200, 'v') + "\r\n";
    }
    WriteText(windows.ini, text + "[vcache]\r\nmaxfilecache=" + std::string(5000, '9') + "\r\n");
    ResetVcacheLimits(shell, windows.places);
    EXPECT_THAT(shell.calls, ElementsAre("stop timer", kReboot, "end"));
    EXPECT_EQ(ReadText(windows.ini), text + "[vcache]\r\n");
}

TEST(VcacheLimitsTest, PathIsTheWindowsDirectorysSystemIni)
{
    SystemPlaces places;
    places.windowsDir = "C:\\WINDOWS";
    EXPECT_EQ(SystemIniPath(places), "C:\\WINDOWS\\system.ini");
    places.windowsDir = "C:\\";
    EXPECT_EQ(SystemIniPath(places), "C:\\system.ini");

    char real[MAX_PATH];
    GetWindowsDirectoryA(real, MAX_PATH);
    EXPECT_EQ(SystemIniPath(SystemPlaces{}), std::string(real) + "\\system.ini");
}

} // namespace
