#include <windows.h>

#include "link/Messages.h"
#include "resident/disk/DiskCleaner.h"
#include "win/Registry.h"

namespace klarvo::resident {
namespace {

constexpr char kCurrentVersionKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";

// A person's folder as the shell keeps it: where the person set it (User
// Shell Folders, variables expanded, the NT line and newer shells), else
// where Explorer last wrote it down (Shell Folders, every Windows).
RegistryString ShellFolder(const char* name)
{
    const RegistryString set = ReadRegistryString(HKEY_CURRENT_USER, kUserShellFoldersKey, name);
    if (set.state != RegistryRead::Missing) {
        return set;
    }
    return ReadRegistryString(HKEY_CURRENT_USER, kShellFoldersKey, name);
}

void AddPlace(const RegistryString& value, const char* name, bool wholeSubtree, bool allowsCleanables,
              std::vector<ProtectedPlace>& places)
{
    switch (value.state) {
    case RegistryRead::Missing:
        return; // this system has no such folder
    case RegistryRead::Text:
        if (!value.text.empty()) {
            places.push_back({value.text, wholeSubtree, allowsCleanables});
            return;
        }
        [[fallthrough]];
    case RegistryRead::NotText:
    case RegistryRead::Unreadable:
        places.push_back({name, wholeSubtree, allowsCleanables, true});
        return;
    }
}

std::string Variable(const char* name)
{
    char buffer[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA(name, buffer, sizeof buffer);
    return length > 0 && length < sizeof buffer ? std::string(buffer, length) : std::string();
}

// The temporary directory as the system would choose it from the
// environment, but only when that names one in full: a relative TMP would
// lead wherever the cleaner happened to be started.
std::string TemporaryPlace()
{
    std::string named = Variable("TMP");
    if (named.empty()) {
        named = Variable("TEMP");
    }
    return NormaliseDirectory(named).verdict == PathVerdict::Accepted ? named : std::string();
}

std::string RegistryPlace(const char* name)
{
    const RegistryString value = ShellFolder(name);
    return value.state == RegistryRead::Text ? value.text : std::string();
}

} // namespace

std::vector<ProtectedPlace> SystemProtectedPlaces(const std::string& programDir)
{
    std::vector<ProtectedPlace> places;
    char buffer[MAX_PATH];
    if (UINT length = GetWindowsDirectoryA(buffer, MAX_PATH); length > 0 && length < MAX_PATH) {
        places.push_back({std::string(buffer, length), true, true});
    }
    if (UINT length = GetSystemDirectoryA(buffer, MAX_PATH); length > 0 && length < MAX_PATH) {
        places.push_back({std::string(buffer, length), true});
    }
    for (const char* name : {"ProgramFilesDir", "ProgramFilesDir (x86)", "ProgramW6432Dir"}) {
        AddPlace(ReadRegistryString(HKEY_LOCAL_MACHINE, kCurrentVersionKey, name), name, true, true, places);
    }
    if (const std::string profile = Variable("USERPROFILE"); !profile.empty()) {
        places.push_back({profile, false});
    }
    for (const char* name : {"Desktop", "Personal", "Favorites", "Start Menu", "AppData"}) {
        AddPlace(ShellFolder(name), name, false, false, places);
    }
    if (!programDir.empty()) {
        places.push_back({programDir, false});
    }
    // Where a relative path would lead; no value of anybody's, so one that
    // is no drive path (a program started from a share) is passed over.
    if (DWORD length = GetCurrentDirectoryA(MAX_PATH, buffer); length > 0 && length < MAX_PATH) {
        if (NormaliseDirectory(std::string(buffer, length)).verdict == PathVerdict::Accepted) {
            places.push_back({std::string(buffer, length), false});
        }
    }
    return places;
}

std::string SystemPlaceOf(int category)
{
    switch (category) {
    case hcTemp:
        return TemporaryPlace();
    case hcInternet:
        return RegistryPlace("Cache");
    case hcCookies:
        return RegistryPlace("Cookies");
    case hcHistory:
        return RegistryPlace("History");
    default:
        return {};
    }
}

std::vector<std::string> SystemCleanablePlaces()
{
    std::vector<std::string> places;
    for (int category : {hcTemp, hcInternet, hcCookies, hcHistory}) {
        if (std::string place = SystemPlaceOf(category); !place.empty()) {
            places.push_back(std::move(place));
        }
    }
    return places;
}

} // namespace klarvo::resident
