#include "settings/File.h"

#include <utility>

#include "settings/SettingsError.h"

namespace klarvo {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE;

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

File File::OpenExisting(const std::string& path, Open mode)
{
    const DWORD access = mode == Open::ReadWrite ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ;
    HANDLE handle = CreateFileWith(path, access, kShareAll, OPEN_EXISTING);
    return File(handle, path, handle == INVALID_HANDLE_VALUE ? GetLastError() : 0);
}

File File::OpenAlways(const std::string& path)
{
    HANDLE handle = CreateFileWith(path, GENERIC_READ | GENERIC_WRITE, kShareAll, OPEN_ALWAYS);
    File file(handle, path, handle == INVALID_HANDLE_VALUE ? GetLastError() : 0);
    if (!file.IsOpen())
        file.Fail("Cannot open");
    return file;
}

File File::CreateAlways(const std::string& path)
{
    HANDLE handle = CreateFileWith(path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS);
    File file(handle, path, handle == INVALID_HANDLE_VALUE ? GetLastError() : 0);
    if (!file.IsOpen())
        file.Fail("Cannot create file");
    return file;
}

void File::Fail(const char* what) const
{
    const DWORD error = IsOpen() ? GetLastError() : openError_;
    throw SettingsError(std::string(what) + " \"" + path_ + "\": " + SystemErrorText(error));
}

std::uint64_t File::Size() const
{
    DWORD high = 0;
    SetLastError(NO_ERROR);
    const DWORD low = GetFileSize(handle_.Get(), &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
        Fail("Cannot measure");
    return (std::uint64_t{high} << 32) | low;
}

void File::Seek(std::uint64_t offset) const
{
    LONG high = static_cast<LONG>(offset >> 32);
    SetLastError(NO_ERROR);
    const DWORD low = SetFilePointer(handle_.Get(), static_cast<LONG>(offset & 0xFFFFFFFFu), &high, FILE_BEGIN);
    if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR)
        Fail("Cannot seek in");
}

DWORD File::ReadSome(void* buffer, DWORD count) const
{
    DWORD done = 0;
    if (!ReadFile(handle_.Get(), buffer, count, &done, nullptr))
        Fail("Cannot read");
    return done;
}

void File::ReadExactly(void* buffer, DWORD count) const
{
    if (ReadSome(buffer, count) != count) {
        SetLastError(ERROR_HANDLE_EOF);
        Fail("Cannot read");
    }
}

void File::WriteAll(const void* buffer, DWORD count) const
{
    DWORD done = 0;
    if (!WriteFile(handle_.Get(), buffer, count, &done, nullptr) || done != count)
        Fail("Cannot write");
}

} // namespace klarvo
