#include "win/Registry.h"

#include <vector>

#include "win/Handles.h"

namespace klarvo {
namespace {

RegistryString Unreadable(LONG error)
{
    return {RegistryRead::Unreadable, {}, error};
}

// Variables a value names are those of this process's environment. An
// expansion the system refuses, or one that leaves a variable unknown, is
// no path anybody meant.
RegistryString Expanded(const std::string& text)
{
    std::vector<char> buffer(text.size() + MAX_PATH);
    for (;;) {
        const DWORD length = ExpandEnvironmentStringsA(text.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return Unreadable(static_cast<LONG>(GetLastError()));
        }
        if (length <= buffer.size()) {
            std::string result = buffer.data();
            if (result.find('%') != std::string::npos) {
                return Unreadable(ERROR_ENVVAR_NOT_FOUND);
            }
            return {RegistryRead::Text, result, 0};
        }
        buffer.assign(length, '\0');
    }
}

} // namespace

RegistryString ReadRegistryString(HKEY key, const char* name)
{
    DWORD type = 0;
    DWORD size = 0;
    LONG result = RegQueryValueExA(key, name, nullptr, &type, nullptr, &size);
    std::vector<char> data;
    while (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) {
        if (type != REG_SZ && type != REG_EXPAND_SZ) {
            return {RegistryRead::NotText, {}, 0};
        }
        // One byte to spare: a value stored without its terminator still
        // ends.
        data.assign(size + 1, '\0');
        DWORD got = size;
        result = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &got);
        if (result == ERROR_SUCCESS) {
            if (type == REG_SZ) {
                return {RegistryRead::Text, data.data(), 0};
            }
            if (type == REG_EXPAND_SZ) {
                return Expanded(data.data());
            }
            return {RegistryRead::NotText, {}, 0};
        }
        // The value grew between the two calls: ask again with more room.
        size = got > size ? got : size * 2 + 2;
    }
    if (result == ERROR_FILE_NOT_FOUND) {
        return {};
    }
    return Unreadable(result);
}

RegistryString ReadRegistryString(HKEY root, const char* keyName, const char* name)
{
    RegistryKey key;
    const LONG opened = RegOpenKeyExA(root, keyName, 0, KEY_QUERY_VALUE, key.Receive());
    if (opened == ERROR_FILE_NOT_FOUND) {
        return {};
    }
    if (opened != ERROR_SUCCESS) {
        return Unreadable(opened);
    }
    return ReadRegistryString(key.Get(), name);
}

} // namespace klarvo
