#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "settings/ExeDir.h"
#include "settings/SettingsError.h"
#include "settings/System.h"
#include "support/ShellPlaces.h"

using namespace klarvo;
using klarvo::test::DeleteRegistryTree;

namespace {

// A fresh key of the test prefix's HKEY_CURRENT_USER stands for the whole
// hive: the functions look below it for the real subkey names.
class SystemRegistryTest : public testing::Test {
protected:
    void SetUp() override
    {
        name = "Software\\KlarvoTests\\" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
        ASSERT_EQ(
            RegCreateKeyExA(HKEY_CURRENT_USER, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root, nullptr),
            ERROR_SUCCESS);
        places.root = root;
        originalExeDir = ExeDir();
        OverrideExeDir("C:\\Program Files\\Klarvo Suite\\");
    }
    void TearDown() override
    {
        OverrideExeDir(originalExeDir);
        RegCloseKey(root);
        DeleteRegistryTree(HKEY_CURRENT_USER, name);
    }

    HKEY Key(const std::string& subkey)
    {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExA(root, subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        opened.push_back(key);
        return key;
    }
    void Set(HKEY key, const char* value, DWORD type, const std::string& bytes)
    {
        ASSERT_EQ(RegSetValueExA(key, value, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                                 static_cast<DWORD>(bytes.size())),
                  ERROR_SUCCESS);
    }
    // Every value of the Run key: name, type, data.
    std::vector<std::string> RunValues()
    {
        std::vector<std::string> values;
        HKEY key = nullptr;
        if (RegOpenKeyExA(root, kRunKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
            return {"no key"};
        }
        for (DWORD i = 0;; ++i) {
            char valueName[256];
            DWORD nameSize = sizeof valueName;
            BYTE data[1024] = {};
            DWORD dataSize = sizeof data;
            DWORD type = 0;
            if (RegEnumValueA(key, i, valueName, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) {
                break;
            }
            values.push_back(std::string(valueName) + " " + std::to_string(type) + " " +
                             std::string(reinterpret_cast<char*>(data), dataSize));
        }
        RegCloseKey(key);
        return values;
    }

    ~SystemRegistryTest() override
    {
        for (HKEY key : opened) {
            RegCloseKey(key);
        }
    }

    std::string name;
    HKEY root = nullptr;
    SystemPlaces places;
    std::string originalExeDir;
    std::vector<HKEY> opened;
};

TEST_F(SystemRegistryTest, ShellFolderReadsTextValuesAndRefusesOthers)
{
    struct Case {
        const char* what;
        DWORD type;
        std::string bytes;
        const char* text; // nullptr: a SettingsError
    };
    const std::string longPath = "C:\\" + std::string(5000, 'p');
    char windows[MAX_PATH] = {};
    GetEnvironmentVariableA("windir", windows, MAX_PATH);
    const std::string cookies = std::string(windows) + "\\Cookies";
    const Case cases[] = {
        {"a path", REG_SZ, std::string("C:\\WINDOWS\\Temporary Internet Files\0", 36),
         "C:\\WINDOWS\\Temporary Internet Files"},
        {"empty text", REG_SZ, std::string("\0", 1), ""},
        {"no data at all", REG_SZ, "", ""},
        {"text with a variable", REG_EXPAND_SZ, std::string("%windir%\\Cookies\0", 17), cookies.c_str()},
        {"an unknown variable", REG_EXPAND_SZ, std::string("%KLARVO_UNSET%\\C\0", 17), nullptr},
        {"text stored without its terminator", REG_SZ, "C:\\WINDOWS\\History", "C:\\WINDOWS\\History"},
        {"text with a NUL inside", REG_SZ, std::string("C:\\A\0junk\0", 10), "C:\\A"},
        {"a long path", REG_SZ, longPath, longPath.c_str()},
        {"a number", REG_DWORD, std::string("\x01\0\0\0", 4), nullptr},
        {"bytes", REG_BINARY, "C:\\X", nullptr},
        {"no bytes", REG_BINARY, "", nullptr},
        {"a list", REG_MULTI_SZ, std::string("C:\\A\0C:\\B\0\0", 11), nullptr},
    };
    HKEY folders = Key(kShellFoldersKey);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Set(folders, "Cache", c.type, c.bytes);
        if (c.text) {
            EXPECT_EQ(GetShellFolder("Cache", places), c.text);
        } else {
            EXPECT_THROW(GetShellFolder("Cache", places), SettingsError);
        }
    }
}

TEST_F(SystemRegistryTest, MissingValueOrKeyGivesEmptyText)
{
    // The root holds a value of the name: it is not the Shell Folders one.
    Set(root, "History", REG_SZ, std::string("C:\\Stranger\0", 12));
    EXPECT_EQ(GetShellFolder("History", places), "");

    Set(Key(kShellFoldersKey), "Cache", REG_SZ, std::string("C:\\C\0", 5));
    EXPECT_EQ(GetShellFolder("History", places), "");
    EXPECT_EQ(GetShellFolder("Cache", places), "C:\\C");

    ScopedSystemPlaces scoped(places);
    EXPECT_EQ(GetShellFolder("Cache"), "C:\\C") << "calls without places use the scoped ones";
}

TEST_F(SystemRegistryTest, AutorunValueFollowsTheFlag)
{
    const std::string program = "Klarvo 1 C:\\Program Files\\Klarvo Suite\\Klarvo.exe" + std::string(1, '\0');
    EXPECT_EQ(RunValues(), std::vector<std::string>{"no key"});

    SetAutorun(false, places);
    EXPECT_EQ(RunValues(), std::vector<std::string>{}) << "the key is made, nothing is in it, no error";

    SetAutorun(true, places);
    SetAutorun(true, places);
    EXPECT_EQ(RunValues(), std::vector<std::string>{program});

    Set(Key(kRunKey), "Other", REG_SZ, std::string("x\0", 2));
    SetAutorun(false, places);
    SetAutorun(false, places);
    EXPECT_EQ(RunValues(), std::vector<std::string>{"Other 1 x" + std::string(1, '\0')});

    Set(Key(kRunKey), kAutorunValue, REG_DWORD, std::string("\x01\0\0\0", 4));
    SetAutorun(true, places);
    EXPECT_THAT(RunValues(), testing::UnorderedElementsAre("Other 1 x" + std::string(1, '\0'), program));
}

TEST_F(SystemRegistryTest, AutorunFailsLoudlyOnlyWhenWriting)
{
    places.runKey = std::string(300, 'k') + "\\Run";
    EXPECT_THROW(SetAutorun(true, places), SettingsError);
    EXPECT_NO_THROW(SetAutorun(false, places));
}

} // namespace
