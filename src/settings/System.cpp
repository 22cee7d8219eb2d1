#include "settings/System.h"

#include <utility>

#include "settings/ExeDir.h"
#include "settings/SettingsError.h"
#include "win/Handles.h"
#include "win/Registry.h"

namespace klarvo {
namespace {

const SystemPlaces*& CurrentPlaces()
{
    static const SystemPlaces defaults;
    static const SystemPlaces* current = &defaults;
    return current;
}

[[noreturn]] void RegistryFailure(const std::string& what, const std::string& name, LONG error)
{
    throw SettingsError(what + " \"" + name + "\": " + SystemErrorText(static_cast<unsigned long>(error)));
}

// The text of a value, its variables expanded; a value that is not text
// stops the Apply that asked.
std::string ReadStringValue(HKEY key, const std::string& name)
{
    const RegistryString value = ReadRegistryString(key, name.c_str());
    switch (value.state) {
    case RegistryRead::Missing:
        return {};
    case RegistryRead::Text:
        return value.text;
    case RegistryRead::NotText:
        throw SettingsError("Registry value \"" + name + "\" does not hold text");
    case RegistryRead::Unreadable:
        break;
    }
    RegistryFailure("Cannot read registry value", name, value.error);
}

std::string WindowsDirectory()
{
    // Windows 9x keeps it short, but a longer name must arrive whole, never
    // as whatever was left in a buffer that was too small.
    std::string dir(128, '\0');
    for (;;) {
        const UINT length = GetWindowsDirectoryA(dir.data(), static_cast<UINT>(dir.size()));
        if (length == 0) {
            return {};
        }
        if (length < dir.size()) {
            dir.resize(length);
            return dir;
        }
        dir.assign(length + 1, '\0');
    }
}

// The INI text "uuu" stands for a key that is not there; a key that holds
// that very text therefore counts as absent too.
constexpr char kAbsent[] = "uuu";

bool IniKeyPresent(const std::string& path, const char* key)
{
    char value[2048];
    GetPrivateProfileStringA(kVcacheSection, key, kAbsent, value, sizeof value, path.c_str());
    return std::string(value) != kAbsent;
}

bool DeleteIniKey(const std::string& path, const char* key)
{
    return WritePrivateProfileStringA(kVcacheSection, key, nullptr, path.c_str()) != FALSE;
}

} // namespace

const SystemPlaces& SystemPlaces::Current()
{
    return *CurrentPlaces();
}

ScopedSystemPlaces::ScopedSystemPlaces(SystemPlaces places) : places_(std::move(places)), previous_(CurrentPlaces())
{
    CurrentPlaces() = &places_;
}

ScopedSystemPlaces::~ScopedSystemPlaces()
{
    CurrentPlaces() = previous_;
}

std::string GetShellFolder(const std::string& valueName, const SystemPlaces& places)
{
    RegistryKey key;
    // Without the key there is nothing to find: the root is not searched in
    // its place, where a value of the same name would be a stranger's.
    if (RegOpenKeyExA(places.root, places.shellFoldersKey.c_str(), 0, KEY_QUERY_VALUE, key.Receive()) !=
        ERROR_SUCCESS) {
        return {};
    }
    return ReadStringValue(key.Get(), valueName);
}

void SetAutorun(bool on, const SystemPlaces& places)
{
    RegistryKey key;
    const LONG opened = RegCreateKeyExA(places.root, places.runKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                        KEY_SET_VALUE, nullptr, key.Receive(), nullptr);
    if (opened != ERROR_SUCCESS) {
        // Removing a value from a key that cannot be had is a failed delete.
        if (!on) {
            return;
        }
        RegistryFailure("Cannot open registry key", places.runKey, opened);
    }
    if (on) {
        const std::string program = ExeDir() + "Klarvo.exe";
        const LONG written =
            RegSetValueExA(key.Get(), kAutorunValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(program.c_str()),
                           static_cast<DWORD>(program.size() + 1));
        if (written != ERROR_SUCCESS) {
            RegistryFailure("Cannot write registry value", kAutorunValue, written);
        }
    } else {
        RegDeleteValueA(key.Get(), kAutorunValue);
    }
}

std::string SystemIniPath(const SystemPlaces& places)
{
    const std::string dir = places.windowsDir.empty() ? WindowsDirectory() : places.windowsDir;
    if (dir.empty()) {
        return {};
    }
    return dir + (dir.back() == '\\' ? "" : "\\") + "system.ini";
}

void ResetVcacheLimits(ShellControl& shell, const SystemPlaces& places)
{
    const std::string path = SystemIniPath(places);
    if (path.empty()) {
        return;
    }
    const bool minPresent = IniKeyPresent(path, kMinFileCacheKey);
    const bool maxPresent = IniKeyPresent(path, kMaxFileCacheKey);
    if (!minPresent && !maxPresent) {
        return;
    }
    // Both go, even the absent one: that deletion changes nothing.
    const bool minDeleted = DeleteIniKey(path, kMinFileCacheKey);
    const bool maxDeleted = DeleteIniKey(path, kMaxFileCacheKey);
    // A system.ini that cannot be written (read-only, on a locked share)
    // keeps its limits; asking for a reboot would then tell the user that
    // something changed when nothing did, and end the shell for nothing.
    if ((minPresent && minDeleted) || (maxPresent && maxDeleted)) {
        EndWithMessage(shell, kRebootMessage);
    }
}

} // namespace klarvo
