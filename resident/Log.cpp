#include "resident/Log.h"

#include <windows.h>

#include "win/Handles.h"

namespace klarvo::resident {
namespace {

std::string Stamp()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    // The system's own formatting: the C library's would bring the
    // toolchain's whole printf family into the program.
    char text[32];
    wsprintfA(text, "%04u-%02u-%02u %02u:%02u:%02u ", unsigned{now.wYear}, unsigned{now.wMonth}, unsigned{now.wDay},
              unsigned{now.wHour}, unsigned{now.wMinute}, unsigned{now.wSecond});
    return text;
}

bool ReadWhole(HANDLE file, std::string& content)
{
    const DWORD size = GetFileSize(file, nullptr);
    if (size == INVALID_FILE_SIZE)
        return false;
    content.resize(size);
    DWORD read = 0;
    if (size > 0 && (!ReadFile(file, content.data(), size, &read, nullptr) || read != size))
        return false;
    return true;
}

bool WriteAll(HANDLE file, const std::string& text)
{
    DWORD written = 0;
    return text.empty() ||
           (WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) && written == text.size());
}

} // namespace

Log::Log(std::string file) : file_(std::move(file)) {}

std::string NewerHalf(const std::string& content)
{
    const std::size_t middle = content.size() / 2;
    const std::size_t lineEnd = content.find('\n', middle);
    return lineEnd == std::string::npos ? std::string() : content.substr(lineEnd + 1);
}

void Log::Write(const std::string& text) const
{
    if (file_.empty())
        return;
    std::string line = Stamp() + text;
    for (char& c : line)
        if (c == '\r' || c == '\n')
            c = ' ';
    line += "\r\n";
    // No sharing: two cleaners a moment apart must not interleave halves.
    const FileHandle file(
        CreateFileA(file_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return;
    const DWORD size = GetFileSize(file.Get(), nullptr);
    if (size == INVALID_FILE_SIZE)
        return;
    if (size + line.size() > kLogLimitBytes) {
        std::string content;
        if (!ReadWhole(file.Get(), content))
            return;
        content = NewerHalf(content);
        // A line longer than the whole log is cut rather than never written.
        if (line.size() > kLogLimitBytes / 2)
            line = line.substr(0, kLogLimitBytes / 2 - 2) + "\r\n";
        SetFilePointer(file.Get(), 0, nullptr, FILE_BEGIN);
        if (!WriteAll(file.Get(), content) || !SetEndOfFile(file.Get()))
            return;
    } else {
        SetFilePointer(file.Get(), 0, nullptr, FILE_END);
    }
    WriteAll(file.Get(), line);
}

} // namespace klarvo::resident
