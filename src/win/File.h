#pragma once

#include "win/Handles.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace klarvo {

// One open Win32 file, closed when it goes out of scope. Every operation
// that fails raises SettingsError naming the file; the Windows 9x calls are
// used (no ...Ex variants), so offsets beyond 4 GB go through the high word.
class File {
public:
    enum class Open { ReadWrite, ReadOnly };

    // Opens an existing file sharing reading and writing with other
    // openers. Returns an unopened File when it does not exist.
    static File OpenExisting(const std::string& path, Open mode);
    // Opens or creates the file, for reading and writing.
    static File OpenAlways(const std::string& path);
    // Creates the file or truncates it to nothing, for writing.
    static File CreateAlways(const std::string& path);

    File() = default;

    bool IsOpen() const { return static_cast<bool>(handle_); }
    // The Win32 error of the open that left this File unopened.
    DWORD OpenError() const { return openError_; }

    std::uint64_t Size() const;
    void Seek(std::uint64_t offset) const;
    void ReadExactly(void* buffer, DWORD count) const;
    // Reads up to count bytes; returns how many arrived.
    DWORD ReadSome(void* buffer, DWORD count) const;
    void WriteAll(const void* buffer, DWORD count) const;

private:
    File(HANDLE handle, std::string path, DWORD openError);
    [[noreturn]] void Fail(const char* what) const;

    FileHandle handle_;
    std::string path_;
    DWORD openError_ = 0;
};

// True for the errors that mean "there is no such file".
bool IsNotFound(DWORD error);

} // namespace klarvo
