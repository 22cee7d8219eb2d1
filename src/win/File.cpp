#include "win/File.h"

#include <algorithm>
#include <utility>

namespace klarvo {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE;
// What ReadToEnd asks for at a time.
constexpr std::size_t kReadChunk = 64 * 1024;

DWORD ShareMode(File::Sharing sharing)
{
    switch (sharing) {
    case File::Sharing::Nobody:
        return 0;
    case File::Sharing::Reading:
        return FILE_SHARE_READ;
    case File::Sharing::ReadingAndWriting:
        break;
    }
    return kShareAll;
}

HANDLE CreateFileWith(const std::string& path, DWORD access, DWORD share, DWORD disposition)
{
    return CreateFileA(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

bool IsNotFound(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

File::File(HANDLE handle, std::string path, DWORD openError)
    : handle_(handle), path_(std::move(path)), openError_(openError)
{
}

File File::OpenExisting(const std::string& path, Open mode, Sharing sharing)
{
    const DWORD access = mode == Open::ReadWrite ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ;
    HANDLE handle = CreateFileWith(path, access, ShareMode(sharing), OPEN_EXISTING);
    return File(handle, path, handle == INVALID_HANDLE_VALUE ? GetLastError() : 0);
}

File File::OpenAlways(const std::string& path, Sharing sharing)
{
    HANDLE handle = CreateFileWith(path, GENERIC_READ | GENERIC_WRITE, ShareMode(sharing), OPEN_ALWAYS);
    File file(handle, path, handle == INVALID_HANDLE_VALUE ? GetLastError() : 0);
    if (!file.IsOpen()) {
        file.FailOpen();
    }
    return file;
}

File File::CreateAlways(const std::string& path)
{
    HANDLE handle = CreateFileWith(path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS);
    File file(handle, path, handle == INVALID_HANDLE_VALUE ? GetLastError() : 0);
    if (!file.IsOpen()) {
        file.Fail("Cannot create file", file.openError_);
    }
    return file;
}

void File::FailOpen() const
{
    Fail("Cannot open", openError_);
}

void File::Fail(const char* what, DWORD error) const
{
    throw FileError(std::string(what) + " \"" + path_ + "\": " + SystemErrorText(error), error);
}

std::uint64_t File::Size() const
{
    DWORD high = 0;
    SetLastError(NO_ERROR);
    const DWORD low = GetFileSize(handle_.Get(), &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) {
        Fail("Cannot measure");
    }
    return (std::uint64_t{high} << 32) | low;
}

void File::Seek(std::uint64_t offset) const
{
    LONG high = static_cast<LONG>(offset >> 32);
    SetLastError(NO_ERROR);
    const DWORD low = SetFilePointer(handle_.Get(), static_cast<LONG>(offset & 0xFFFFFFFFu), &high, FILE_BEGIN);
    if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) {
        Fail("Cannot seek in");
    }
}

DWORD File::ReadSome(void* buffer, DWORD count) const
{
    DWORD done = 0;
    if (!ReadFile(handle_.Get(), buffer, count, &done, nullptr)) {
        Fail("Cannot read");
    }
    return done;
}

void File::ReadExactly(void* buffer, DWORD count) const
{
    if (ReadSome(buffer, count) != count) {
        Fail("Cannot read", ERROR_HANDLE_EOF);
    }
}

std::string File::ReadToEnd(std::size_t limit) const
{
    std::string text;
    while (text.size() < limit) {
        const std::size_t had = text.size();
        text.resize(had + std::min(kReadChunk, limit - had));
        const DWORD got = ReadSome(text.data() + had, static_cast<DWORD>(text.size() - had));
        text.resize(had + got);
        if (got == 0) {
            break;
        }
    }
    return text;
}

void File::WriteAll(const void* buffer, DWORD count) const
{
    DWORD done = 0;
    if (!WriteFile(handle_.Get(), buffer, count, &done, nullptr) || done != count) {
        Fail("Cannot write");
    }
}

void File::Append(std::string_view text) const
{
    LONG high = 0;
    SetLastError(NO_ERROR);
    if (SetFilePointer(handle_.Get(), 0, &high, FILE_END) == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) {
        Fail("Cannot seek in");
    }
    WriteAll(text);
}

void File::ReplaceContent(std::string_view text) const
{
    Seek(0);
    WriteAll(text);
    if (!SetEndOfFile(handle_.Get())) {
        Fail("Cannot write");
    }
}

void File::Flush() const
{
    if (!FlushFileBuffers(handle_.Get())) {
        Fail("Cannot write");
    }
}

std::string ReadWholeFile(const std::string& path, std::size_t limit)
{
    const File file = File::OpenExisting(path, File::Open::ReadOnly);
    if (!file.IsOpen()) {
        file.FailOpen();
    }
    return file.ReadToEnd(limit);
}

void WriteWholeFile(const std::string& path, std::string_view text)
{
    File::CreateAlways(path).WriteAll(text);
}

} // namespace klarvo
