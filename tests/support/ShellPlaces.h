#pragma once

// The shell's surroundings for in-process tests, made private: its folder,
// the Windows folder, the registry and a recording resident cleaner.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "link/CleanerLink.h"
#include "settings/System.h"
#include "support/TempDir.h"

namespace klarvo::test {

// A resident cleaner that is always there and only records what it is told.
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

// The real services, with the sleeps counted and the result of a start kept.
class CountingCleaner final : public CleanerSystem {
public:
    WindowHandle FindCleanerWindow() override { return real.FindCleanerWindow(); }
    bool FileExists(const std::string& path) override { return real.FileExists(path); }
    std::intptr_t RunFile(const std::string& file, const std::string& parameters, const std::string& directory,
                          int showCommand) override
    {
        return runResult = real.RunFile(file, parameters, directory, showCommand);
    }
    void Sleep(unsigned milliseconds) override
    {
        ++sleeps;
        real.Sleep(milliseconds);
    }
    void PostCommand(WindowHandle window, std::int32_t command, std::int32_t argument) override
    {
        real.PostCommand(window, command, argument);
    }

    CleanerSystem& real = Win32CleanerSystem();
    int sleeps = 0;
    std::intptr_t runResult = -1; // none started
};

// Everything an in-process main window touches outside itself, made private
// for as long as this object lives: the program directory (a fresh one), the
// Windows directory (an empty one), the registry (a key of its own under
// HKEY_CURRENT_USER, removed afterwards) and the resident cleaner (recorded).
class ShellPlaces {
public:
    // `label` names the registry key, so that leftovers can be traced.
    explicit ShellPlaces(const std::string& label);
    ~ShellPlaces();
    ShellPlaces(const ShellPlaces&) = delete;
    ShellPlaces& operator=(const ShellPlaces&) = delete;

    HKEY Root() const { return root_; }

    TempDir exeDir;
    TempDir windowsDir;
    RecordingCleaner cleaner;

private:
    std::string keyName_;
    HKEY root_ = nullptr;
    std::optional<ScopedSystemPlaces> places_;
    std::optional<ScopedCleanerSystem> cleanerScope_;
};

// Removes a registry key with everything below it.
void DeleteRegistryTree(HKEY parent, const std::string& name);

// The autorun value under a registry root (by default this user's real one,
// the prefix's), and putting back what a test found there.
std::optional<std::string> AutorunValue(HKEY root = HKEY_CURRENT_USER);
void RestoreAutorun(const std::optional<std::string>& previous);

} // namespace klarvo::test
