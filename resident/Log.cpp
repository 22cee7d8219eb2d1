#include "resident/Log.h"

#include <windows.h>

#include "resident/DiskFunctions.h"
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
    if (size == INVALID_FILE_SIZE) {
        return false;
    }
    content.resize(size);
    DWORD read = 0;
    if (size > 0 && (!ReadFile(file, content.data(), size, &read, nullptr) || read != size)) {
        return false;
    }
    return true;
}

bool WriteAll(HANDLE file, const std::string& text)
{
    DWORD written = 0;
    return text.empty() ||
           (WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) && written == text.size());
}

// The trimmed log is written whole beside the log before it takes its
// place, so that a cleaner ending half way never leaves a cut log.
std::string TrimmedName(const std::string& file)
{
    return file + ".new";
}

// One step where the system has it. Windows 95 and 98 export a stub that
// fails: there the old log goes first, and a cleaner that ends in between
// finds the new one alone at its next start.
bool Replace(const std::string& from, const std::string& to)
{
    if (const DiskFunctions::MoveEx move = ReplacingMove()) {
        if (move(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) {
            return true;
        }
    }
    if (!DeleteFileA(to.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND) {
        return false;
    }
    return MoveFileA(from.c_str(), to.c_str()) != FALSE;
}

bool WriteTrimmed(const std::string& name, const std::string& content)
{
    const FileHandle file(
        CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && WriteAll(file.Get(), content) && FlushFileBuffers(file.Get());
}

// Readers are let in, so that a person following the log in a viewer
// never costs it a line; writers are not: two cleaners a moment apart must
// not interleave halves.
FileHandle OpenForAppending(const std::string& name)
{
    return FileHandle(CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

void AppendTo(HANDLE file, const std::string& line)
{
    SetFilePointer(file, 0, nullptr, FILE_END);
    WriteAll(file, line);
}

bool Exists(const std::string& name)
{
    return GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

Log::Log(std::string file) : file_(std::move(file))
{
    if (file_.empty()) {
        return;
    }
    // A trim that ended half way: the new log written but the old one gone
    // takes its place; beside a whole old log it was never finished.
    const std::string trimmed = TrimmedName(file_);
    if (!Exists(trimmed)) {
        return;
    }
    if (Exists(file_)) {
        DeleteFileA(trimmed.c_str());
    } else {
        MoveFileA(trimmed.c_str(), file_.c_str());
    }
}

std::string NewerHalf(const std::string& content)
{
    const std::size_t middle = content.size() / 2;
    const std::size_t lineEnd = content.find('\n', middle);
    return lineEnd == std::string::npos ? std::string() : content.substr(lineEnd + 1);
}

void Log::Write(const std::string& text) const
{
    if (file_.empty()) {
        return;
    }
    std::string line = Stamp() + text;
    for (char& c : line) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    line += "\r\n";
    FileHandle file = OpenForAppending(file_);
    if (!file) {
        return;
    }
    const DWORD size = GetFileSize(file.Get(), nullptr);
    if (size == INVALID_FILE_SIZE) {
        return;
    }
    if (size + line.size() <= kLogLimitBytes) {
        AppendTo(file.Get(), line);
        return;
    }
    std::string content;
    if (!ReadWhole(file.Get(), content)) {
        return;
    }
    // A line longer than the whole log is cut rather than never written.
    if (line.size() > kLogLimitBytes / 2) {
        line = line.substr(0, kLogLimitBytes / 2 - 2) + "\r\n";
    }
    const std::string trimmed = TrimmedName(file_);
    if (!WriteTrimmed(trimmed, NewerHalf(content) + line)) {
        return;
    }
    file.Reset();
    if (Replace(trimmed, file_)) {
        return;
    }
    // Where the old log went but the new one could not take its name, the
    // new one is left for the next start. Where the old one is still held
    // (a viewer that does not share deleting), the line goes to its end and
    // the next line tries the trim again.
    if (!Exists(file_)) {
        return;
    }
    DeleteFileA(trimmed.c_str());
    if (const FileHandle old = OpenForAppending(file_)) {
        AppendTo(old.Get(), line);
    }
}

} // namespace klarvo::resident
