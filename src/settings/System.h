#pragma once

// The Windows settings the suite touches besides its own files: the autorun
// value and the disk cache's limits.

#include <windows.h>

#include <string>

#include "settings/ShellControl.h"
#include "win/Registry.h"

namespace klarvo {

// The three places of the Windows configuration the suite touches besides
// its own files.
inline constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kAutorunValue[] = "Klarvo";
inline constexpr char kVcacheSection[] = "vcache";
inline constexpr char kMinFileCacheKey[] = "minfilecache";
inline constexpr char kMaxFileCacheKey[] = "maxfilecache";
inline constexpr char kRebootMessage[] = "Please reboot the computer";

// Where those places are. The defaults are the user's real ones; tests point
// the root at a key of their own (the subkey names stay the real ones) and
// the Windows directory at a temporary directory.
struct SystemPlaces {
    HKEY root = HKEY_CURRENT_USER;
    std::string shellFoldersKey = kShellFoldersKey;
    std::string runKey = kRunKey;
    // Empty: the directory GetWindowsDirectoryA names.
    std::string windowsDir;

    // What the functions below use when no places are given.
    static const SystemPlaces& Current();
};

// Points Current() elsewhere for the lifetime of the object, so that code
// calling the functions without places (Apply, first run) can be tested.
class ScopedSystemPlaces {
public:
    explicit ScopedSystemPlaces(SystemPlaces places);
    ~ScopedSystemPlaces();
    ScopedSystemPlaces(const ScopedSystemPlaces&) = delete;
    ScopedSystemPlaces& operator=(const ScopedSystemPlaces&) = delete;

private:
    SystemPlaces places_;
    const SystemPlaces* previous_;
};

// A directory from the user's Shell Folders ("Cache", "Cookies", "History").
// A missing key or value gives empty text; a value that is not a string
// raises SettingsError, which stops the Apply that asked.
std::string GetShellFolder(const std::string& valueName, const SystemPlaces& places = SystemPlaces::Current());

// Writes the Run value that starts ExeDir() + "Klarvo.exe" with Windows, or
// deletes it. A failed write raises SettingsError; a failed delete is
// ignored, as is deleting a value that is not there.
void SetAutorun(bool on, const SystemPlaces& places = SystemPlaces::Current());

// First run only: removes the file-cache limits of system.ini, which keep
// the cleaner from trimming the cache, and ends the shell asking for a
// reboot when something was removed. Leaves system.ini untouched when it has
// neither limit.
void ResetVcacheLimits(ShellControl& shell, const SystemPlaces& places = SystemPlaces::Current());

// The Windows directory's "system.ini".
std::string SystemIniPath(const SystemPlaces& places = SystemPlaces::Current());

} // namespace klarvo
