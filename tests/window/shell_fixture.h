#pragma once

// The main window in-process, in a fresh directory, with every outside
// service under the test's control: the resident cleaner (always there,
// commands recorded), the memory size, the registry (a key of its own) and
// the Windows directory (an empty one), and message boxes (recorded).

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/Shell.h"
#include "framework/Application.h"
#include "framework/FormLoader.h"
#include "link/CleanerLink.h"
#include "settings/ExeDir.h"
#include "settings/System.h"
#include "support/TempDir.h"

namespace klarvo::test {

// Handles what is waiting. A message that keeps coming back (a paint that
// never validates) fails the test instead of hanging it.
inline void Pump()
{
    MSG msg;
    int handled = 0;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        App().ProcessMessage(msg);
        if (++handled == 100000) {
            char name[64] = {};
            GetClassNameA(msg.hwnd, name, sizeof name);
            ADD_FAILURE() << "message " << msg.message << " to a " << name << " keeps coming";
            return;
        }
    }
}

class RecordingCleaner final : public CleanerSystem {
public:
    WindowHandle FindCleanerWindow() override { return reinterpret_cast<WindowHandle>(1); }
    bool FileExists(const std::string&) override { return true; }
    std::intptr_t RunFile(const std::string&, const std::string&, const std::string&, int) override { return 0; }
    void Sleep(unsigned) override {}
    void PostCommand(WindowHandle, std::int32_t command, std::int32_t argument) override
    {
        commands.emplace_back(command, argument);
    }
    std::vector<std::pair<std::int32_t, std::int32_t>> commands;
};

class FixedMemory final : public MemoryStatusSource {
public:
    MemoryStatusBytes Read() override { return bytes; }
    // A machine whose TotalRamMB is `mb`, with `freeMB` available.
    void Set(std::int32_t mb, std::int32_t freeMB)
    {
        bytes.totalPhysical = static_cast<std::uint32_t>(mb - 1) << 20;
        bytes.availablePhysical = static_cast<std::uint32_t>(freeMB) << 20;
    }
    MemoryStatusBytes bytes;
};

inline void DeleteRegistryTree(HKEY parent, const std::string& name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(parent, name.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
        return;
    }
    char child[256];
    while (RegEnumKeyA(key, 0, child, sizeof child) == ERROR_SUCCESS) {
        DeleteRegistryTree(key, child);
    }
    RegCloseKey(key);
    RegDeleteKeyA(parent, name.c_str());
}

class ShellTest : public testing::Test {
protected:
    void SetUp() override
    {
        keyName = "Software\\KlarvoTests\\shell-" + std::to_string(GetCurrentProcessId()) + "-" +
                  std::to_string(GetTickCount());
        ASSERT_EQ(
            RegCreateKeyExA(HKEY_CURRENT_USER, keyName.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root, nullptr),
            ERROR_SUCCESS);
        SystemPlaces places;
        places.root = root;
        places.windowsDir = windowsDir.Path().substr(0, windowsDir.Path().size() - 1);
        systemPlaces = std::make_unique<ScopedSystemPlaces>(places);
        OverrideExeDir(dir.Path());
        memory.Set(65, 20);
        App().SetMessageBoxFunction([this](HWND, const std::string& text, const std::string&, UINT) {
            messages.push_back(text);
            return IDOK;
        });
    }
    void TearDown() override
    {
        shell.reset();
        Pump();
        App().SetMessageBoxFunction(nullptr);
        systemPlaces.reset();
        RegCloseKey(root);
        DeleteRegistryTree(HKEY_CURRENT_USER, keyName);
    }

    // Builds the window as the program does, from its own description.
    Tfmshell& Start(const std::string& argument = "")
    {
        shell.reset();
        ShellOptions options;
        options.pageArgument = argument;
        options.memory = &memory;
        shell = std::make_unique<Tfmshell>(options);
        return *shell;
    }
    void ShowShell()
    {
        shell->Show();
        Pump();
    }

    template <typename T> T& Get(const std::string& name) { return Need<T>(*shell, name); }

    // The autorun value under the test's key, or nothing.
    std::optional<std::string> AutorunValue()
    {
        HKEY run = nullptr;
        if (RegOpenKeyExA(root, kRunKey, 0, KEY_READ, &run) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        char value[MAX_PATH] = {};
        DWORD size = sizeof value;
        DWORD type = 0;
        const LONG result = RegQueryValueExA(run, kAutorunValue, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
        RegCloseKey(run);
        if (result != ERROR_SUCCESS) {
            return std::nullopt;
        }
        return std::string(value);
    }

    TempDir dir;
    TempDir windowsDir;
    std::string keyName;
    HKEY root = nullptr;
    std::unique_ptr<ScopedSystemPlaces> systemPlaces;
    RecordingCleaner cleaner;
    ScopedCleanerSystem cleanerScope{cleaner};
    FixedMemory memory;
    std::vector<std::string> messages;
    std::unique_ptr<Tfmshell> shell;
};

} // namespace klarvo::test
