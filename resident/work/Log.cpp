#include "resident/work/Log.h"

#include <windows.h>

#include <cstdint>
#include <utility>

#include "win/File.h"
#include "win/Files.h"
#include "win/SystemFunction.h"

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

// Where the system has no one-step replace (Windows 95 and 98 export a
// stub that fails), or a viewer's handle stands in its way, the old log
// steps aside under this name and goes only once the new one holds the
// log's name: the history is never deleted before its successor is in
// place, and the log itself is never left merely marked for deletion by a
// viewer that lets deleting in.
std::string SupersededName(const std::string& file)
{
    return file + ".old";
}

bool Replace(const std::string& from, const std::string& to)
{
    using MoveEx = BOOL(WINAPI*)(LPCSTR, LPCSTR, DWORD);
    // Looked up: Windows 95 and 98 export a stub that fails.
    if (const MoveEx move = SystemFunction<MoveEx>("kernel32.dll", "MoveFileExA")) {
        if (move(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) {
            return true;
        }
    }
    const std::string aside = SupersededName(to);
    if (!MoveFileA(to.c_str(), aside.c_str())) {
        return false;
    }
    if (MoveFileA(from.c_str(), to.c_str())) {
        // Gone at once, or when a viewer holding it lets go.
        DeleteFileA(aside.c_str());
        return true;
    }
    // Should this fail too, the next write mends it (MendTrim).
    MoveFileA(aside.c_str(), to.c_str());
    return false;
}

// Each line is at most half the limit (see Write), so the newest one
// always stays.
std::string Kept(std::string content)
{
    while (content.size() > kLogLimitBytes) {
        content = NewerHalf(content);
    }
    return content;
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
    if (!file_.empty()) {
        MendTrim();
    }
}

bool Log::MendTrim() const
{
    // A trim that ended half way: the new log written, the old one still in
    // place, stepped aside, or put back. Beside a log in place a spare is
    // either unfinished or superseded; without one the newer spare takes
    // its place.
    for (const std::string& spare : {TrimmedName(file_), SupersededName(file_)}) {
        if (!PathExists(spare)) {
            continue;
        }
        if (PathExists(file_)) {
            DeleteFileA(spare.c_str());
        } else if (!MoveFileA(spare.c_str(), file_.c_str())) {
            return false;
        }
    }
    return true;
}

std::string NewerHalf(const std::string& content)
{
    const std::size_t middle = content.size() / 2;
    const std::size_t lineEnd = content.find('\n', middle);
    return lineEnd == std::string::npos ? std::string() : content.substr(lineEnd + 1);
}

void Log::Write(const std::string& text)
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
    // Cut rather than never kept by a trim.
    if (line.size() > kLogLimitBytes / 2 - 2) {
        line.resize(kLogLimitBytes / 2 - 2);
    }
    Hold(line + "\r\n");
    WriteHeld();
}

void Log::Hold(std::string line)
{
    heldBytes_ += line.size();
    held_.push_back(std::move(line));
    // The oldest would not survive the trim that writing them all makes.
    while (heldBytes_ > kLogLimitBytes) {
        heldBytes_ -= held_.front().size();
        held_.pop_front();
        heldFillsLog_ = true;
    }
}

void Log::WriteHeld()
{
    if (held_.empty()) {
        return;
    }
    std::string lines;
    for (const std::string& line : held_) {
        lines += line;
    }
    try {
        if (!MendTrim()) {
            return;
        }
        Append(lines, heldFillsLog_);
    } catch (const FileError&) {
        return; // held for the next try
    }
    held_.clear();
    heldBytes_ = 0;
    heldFillsLog_ = false;
}

void Log::Append(const std::string& lines, bool replacingAll) const
{
    klarvo::File file = OpenForAppending(file_);
    if (!replacingAll && file.Size() + lines.size() <= kLogLimitBytes) {
        file.Append(lines);
        return;
    }
    std::string content;
    if (!replacingAll) {
        file.Seek(0);
        content = file.ReadToEnd();
    }
    const std::string trimmed = TrimmedName(file_);
    WriteTrimmed(trimmed, Kept(content + lines));
    file = klarvo::File();
    // Where the old log went but neither file could take its name, the new
    // one is left for MendTrim to put in place.
    if (Replace(trimmed, file_) || !PathExists(file_)) {
        return;
    }
    // The old log is held where it lies (by a viewer that does not let
    // deleting in): the lines go to its end, past the limit, and the next
    // line tries the trim again.
    DeleteFileA(trimmed.c_str());
    OpenForAppending(file_).Append(lines);
}

} // namespace klarvo::resident
