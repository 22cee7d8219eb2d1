#pragma once

// Files through the calls Windows 95 has (no ...Ex variants, so offsets
// beyond 4 GB go through the high word). Every failure raises FileError
// naming the file; the opens that a caller may expect to fail leave an
// unopened File with the error instead.

#include "win/Error.h"
#include "win/Handles.h"

#include <windows.h>

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace klarvo {

class File {
public:
    enum class Open { ReadWrite, ReadOnly };
    // Whom an opener lets in beside itself: nobody, or readers only, keeps
    // two writers from interleaving their halves.
    enum class Sharing { Nobody, Reading, ReadingAndWriting };

    // Opens an existing file. Returns an unopened File when that fails, with
    // the reason in OpenError().
    static File OpenExisting(const std::string& path, Open mode, Sharing sharing = Sharing::ReadingAndWriting);
    // Opens or creates the file, for reading and writing.
    static File OpenAlways(const std::string& path, Sharing sharing = Sharing::ReadingAndWriting);
    // Creates the file or truncates it to nothing, for writing; others may
    // read it meanwhile.
    static File CreateAlways(const std::string& path);

    File() = default;

    bool IsOpen() const { return static_cast<bool>(handle_); }
    // The Win32 error of the open that left this File unopened.
    DWORD OpenError() const { return openError_; }
    // Raises the error of the open that left this File unopened.
    [[noreturn]] void FailOpen() const;

    std::uint64_t Size() const;
    void Seek(std::uint64_t offset) const;
    void ReadExactly(void* buffer, DWORD count) const;
    // Reads up to count bytes; returns how many arrived.
    DWORD ReadSome(void* buffer, DWORD count) const;
    // From the current position to the end, or up to `limit` bytes. Read
    // until nothing more arrives rather than by the reported size, which
    // some files (those of /proc under Wine) give as 0.
    std::string ReadToEnd(std::size_t limit = std::numeric_limits<std::size_t>::max()) const;
    void WriteAll(const void* buffer, DWORD count) const;
    void WriteAll(std::string_view text) const { WriteAll(text.data(), static_cast<DWORD>(text.size())); }
    // Writes at the end of the file.
    void Append(std::string_view text) const;
    // Makes `text` the whole content: written from the start, the rest cut.
    void ReplaceContent(std::string_view text) const;
    // Hands what was written to the disk before returning.
    void Flush() const;

private:
    File(HANDLE handle, std::string path, DWORD openError);
    [[noreturn]] void Fail(const char* what, DWORD error) const;
    [[noreturn]] void Fail(const char* what) const { Fail(what, GetLastError()); }

    FileHandle handle_;
    std::string path_;
    DWORD openError_ = 0;
};

// True for the errors that mean "there is no such file".
bool IsNotFound(DWORD error);

// A whole existing file, up to `limit` bytes (see File::ReadToEnd).
std::string ReadWholeFile(const std::string& path, std::size_t limit = std::numeric_limits<std::size_t>::max());
// Creates or truncates the file and writes `text` in one go.
void WriteWholeFile(const std::string& path, std::string_view text);

} // namespace klarvo
