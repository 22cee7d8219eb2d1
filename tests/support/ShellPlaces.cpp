#include "support/ShellPlaces.h"

#include "settings/ExeDir.h"
#include "win/Handles.h"

namespace klarvo::test {

ShellPlaces::ShellPlaces(const std::string& label)
    : keyName_("Software\\KlarvoTests\\" + label + "-" + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(GetTickCount()))
{
    RegCreateKeyExA(HKEY_CURRENT_USER, keyName_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root_, nullptr);
    SystemPlaces places;
    places.root = root_;
    places.windowsDir = windowsDir.Path().substr(0, windowsDir.Path().size() - 1);
    places_.emplace(places);
    cleanerScope_.emplace(cleaner);
    OverrideExeDir(exeDir.Path());
}

ShellPlaces::~ShellPlaces()
{
    cleanerScope_.reset();
    places_.reset();
    RegCloseKey(root_);
    DeleteRegistryTree(HKEY_CURRENT_USER, keyName_);
}

void DeleteRegistryTree(HKEY parent, const std::string& name)
{
    {
        RegistryKey key;
        if (RegOpenKeyExA(parent, name.c_str(), 0, KEY_ALL_ACCESS, key.Receive()) != ERROR_SUCCESS) {
            return;
        }
        char child[256];
        while (RegEnumKeyA(key.Get(), 0, child, sizeof child) == ERROR_SUCCESS) {
            DeleteRegistryTree(key.Get(), child);
        }
    }
    RegDeleteKeyA(parent, name.c_str());
}

std::optional<std::string> AutorunValue(HKEY root)
{
    RegistryKey run;
    if (RegOpenKeyExA(root, kRunKey, 0, KEY_READ, run.Receive()) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    char value[MAX_PATH] = {};
    DWORD size = sizeof value;
    const LONG result =
        RegQueryValueExA(run.Get(), kAutorunValue, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
    return result == ERROR_SUCCESS ? std::optional<std::string>(value) : std::nullopt;
}

void RestoreAutorun(const std::optional<std::string>& previous)
{
    RegistryKey run;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, run.Receive()) != ERROR_SUCCESS) {
        return;
    }
    if (previous) {
        RegSetValueExA(run.Get(), kAutorunValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(previous->c_str()),
                       static_cast<DWORD>(previous->size() + 1));
    } else {
        RegDeleteValueA(run.Get(), kAutorunValue);
    }
}

} // namespace klarvo::test
