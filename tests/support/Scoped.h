#pragma once

// What a test changes of this process's environment or of the user's
// registry for its own length, put back after it whether it passed or not,
// and a count of a text's occurrences in a log.

#include <windows.h>

#include <cstddef>
#include <string>

#include "win/Handles.h"

namespace klarvo::test {

// A variable of this process, which the programs it starts inherit.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name)
    {
        char buffer[MAX_PATH] = {};
        had_ = GetEnvironmentVariableA(name, buffer, MAX_PATH) > 0;
        saved_ = buffer;
        SetEnvironmentVariableA(name, value);
    }
    ~ScopedVariable() { SetEnvironmentVariableA(name_, had_ ? saved_.c_str() : nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name_;
    bool had_ = false;
    std::string saved_;
};

// A value under HKEY_CURRENT_USER; REG_NONE removes it meanwhile.
class ScopedUserValue {
public:
    ScopedUserValue(const char* key, const char* name, DWORD type, const std::string& bytes) : name_(name)
    {
        RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, handle_.Receive(), nullptr);
        DWORD size = sizeof saved_;
        had_ = RegQueryValueExA(handle_.Get(), name, nullptr, &savedType_, saved_, &size) == ERROR_SUCCESS;
        savedSize_ = size;
        if (type == REG_NONE) {
            RegDeleteValueA(handle_.Get(), name);
        } else {
            RegSetValueExA(handle_.Get(), name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                           static_cast<DWORD>(bytes.size()));
        }
    }
    ~ScopedUserValue()
    {
        if (had_) {
            RegSetValueExA(handle_.Get(), name_, 0, savedType_, saved_, savedSize_);
        } else {
            RegDeleteValueA(handle_.Get(), name_);
        }
    }
    ScopedUserValue(const ScopedUserValue&) = delete;
    ScopedUserValue& operator=(const ScopedUserValue&) = delete;

private:
    const char* name_;
    klarvo::RegistryKey handle_;
    bool had_ = false;
    DWORD savedType_ = 0;
    DWORD savedSize_ = 0;
    BYTE saved_[2048] = {};
};

// A string value's bytes as the registry keeps them, with the terminator.
inline std::string RegistryText(const std::string& text)
{
    return text + '\0';
}

inline std::size_t Occurrences(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

} // namespace klarvo::test
