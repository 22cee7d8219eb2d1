#include "resident/Log.h"

#include <windows.h>

#include <cstdint>
#include <utility>

#include "resident/DiskFunctions.h"
#include "win/File.h"
#include "win/Files.h"

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

void WriteTrimmed(const std::string& name, const std::string& content)
{
    const File file = File::CreateAlways(name);
    file.WriteAll(content);
    file.Flush();
}

// Readers are let in, so that a person following the log in a viewer
// never costs it a line; writers are not: two cleaners a moment apart must
// not interleave halves.
File OpenForAppending(const std::string& name)
{
    return File::OpenAlways(name, File::Sharing::Reading);
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
    if (!PathExists(trimmed)) {
        return;
    }
    if (PathExists(file_)) {
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
    try {
        Append(std::move(line));
    } catch (const FileError&) {
        // Given up on quietly: the log must never stop a cleaning.
    }
}

void Log::Append(std::string line) const
{
    klarvo::File file = OpenForAppending(file_);
    const std::uint64_t size = file.Size();
    if (size + line.size() <= kLogLimitBytes) {
        file.Append(line);
        return;
    }
    file.Seek(0);
    const std::string content = file.ReadToEnd();
    // A line longer than the whole log is cut rather than never written.
    if (line.size() > kLogLimitBytes / 2) {
        line = line.substr(0, kLogLimitBytes / 2 - 2) + "\r\n";
    }
    const std::string trimmed = TrimmedName(file_);
    WriteTrimmed(trimmed, NewerHalf(content) + line);
    file = klarvo::File();
    if (Replace(trimmed, file_)) {
        return;
    }
    // Where the old log went but the new one could not take its name, the
    // new one is left for the next start. Where the old one is still held
    // (a viewer that does not share deleting), the line goes to its end and
    // the next line tries the trim again.
    if (!PathExists(file_)) {
        return;
    }
    DeleteFileA(trimmed.c_str());
    OpenForAppending(file_).Append(line);
}

} // namespace klarvo::resident
