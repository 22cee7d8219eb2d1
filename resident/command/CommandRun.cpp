#include "resident/command/CommandRun.h"

#include <windows.h>

#include <atomic>
#include <deque>
#include <exception>

#include "resident/disk/DiskBatch.h"
#include "resident/work/Log.h"
#include "resident/command/PreviewSwitch.h"
#include "resident/ram/RamCleaner.h"
#include "resident/work/ResidentSettings.h"
#include "resident/work/WorkLocks.h"
#include "settings/ExeDir.h"
#include "win/Handles.h"
#include "win/SystemFunction.h"

namespace klarvo::resident {
namespace {

constexpr char kCaption[] = "Klarvo";
// A run that ends must not take its lines with it; a cleaner appending
// holds the log for a moment, a viewer that shuts writers out for longer.
constexpr DWORD kLogPatienceMs = 10000;
constexpr DWORD kLogRetryMs = 50;

void WriteToConsole(const std::string& text)
{
    // Windows XP on; before it a windowed program has no way to its
    // starter's console, and the box alone speaks.
    using AttachConsoleFn = BOOL(WINAPI*)(DWORD);
    const auto attach = SystemFunction<AttachConsoleFn>("kernel32.dll", "AttachConsole");
    constexpr DWORD kParentProcess = static_cast<DWORD>(-1);
    if (!attach) {
        return;
    }
    // Refused as already attached: a console came with the start (Wine
    // hands its starter's to a windowed program too).
    if (!attach(kParentProcess) && GetLastError() != ERROR_ACCESS_DENIED) {
        return;
    }
    const FileHandle console(
        CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!console) {
        return;
    }
    // The console's prompt came back as the program started.
    std::string lines = "\r\n";
    for (char c : text) {
        lines += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    DWORD written = 0;
    WriteFile(console.Get(), lines.data(), static_cast<DWORD>(lines.size()), &written, nullptr);
}

void WriteAll(Log& log, const std::vector<std::string>& lines)
{
    for (const std::string& line : lines) {
        log.Write(line);
    }
    const DWORD start = GetTickCount();
    while (log.Holding() && GetTickCount() - start < kLogPatienceMs) {
        Sleep(kLogRetryMs);
        log.WriteHeld();
    }
}

ResidentSettings SettingsOr(const std::string& programDir, std::vector<std::string>& problems)
{
    try {
        return LoadSettings(programDir);
    } catch (const std::exception& error) {
        problems.push_back(std::string("settings not readable: ") + error.what());
        return ResidentSettings{};
    }
}

int CleanDisk(const std::string& programDir, const std::vector<HddCategory>& categories)
{
    std::vector<std::string> problems;
    const ResidentSettings settings = SettingsOr(programDir, problems);
    Log log(programDir + kLogName);
    // Without the places of ConfStr.dat there is nothing it may clean.
    if (!problems.empty()) {
        problems.back() += "; nothing cleaned";
        WriteAll(log, problems);
        return exitIncomplete;
    }
    // As a pressed Clear: a refusal is a failure of what was asked.
    const std::deque<DiskJob> batch = JobsFor(settings, categories, true);
    const std::atomic<bool> never{false};
    DiskReport report;
    RunDiskBatch(batch, programDir, never, report);
    // A clean clearing writes nothing: any line is something not done.
    WriteAll(log, report.logLines);
    return report.logLines.empty() ? exitDone : exitIncomplete;
}

int FreeMemory(const std::string& programDir, std::int32_t megabytes)
{
    std::vector<std::string> problems;
    // Unreadable settings still leave the number of tries a default.
    const ResidentSettings settings = SettingsOr(programDir, problems);
    Log log(programDir + kLogName);
    {
        const WorkLock lock(kRamLockName, kWorkLockPatienceMs, nullptr);
        if (lock.Held()) {
            Win32MemorySystem memory;
            RamCleaner(memory).FreeUp(megabytes, settings.maxTries);
        } else {
            problems.push_back("Memory not freed: another cleaner was freeing memory all the while");
        }
    }
    WriteAll(log, problems);
    return problems.empty() ? exitDone : exitIncomplete;
}

// What a report file named relative to where the command was given means,
// before the directory changes.
std::string FullPath(const std::string& path)
{
    char full[MAX_PATH];
    char* name = nullptr;
    const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, &name);
    return length > 0 && length < MAX_PATH ? std::string(full, length) : path;
}

int RunWork(const CommandLine& line, const std::string& programDir, const std::string& reportFile)
{
    switch (line.invocation) {
    case Invocation::Clear:
        return CleanDisk(programDir, line.categories);
    case Invocation::Ram:
        return FreeMemory(programDir, line.megabytes);
    case Invocation::Preview:
        return RunPreviewSwitch(programDir, line.categories, reportFile);
    case Invocation::Help:
        Tell(CommandLineHelp(), false);
        return exitDone;
    case Invocation::Resident:
    case Invocation::NotUnderstood:
        break;
    }
    Tell("Not understood: " + line.problem + "\n\n" + CommandLineHelp(), true);
    return exitNotUnderstood;
}

} // namespace

void Tell(const std::string& text, bool warning)
{
    WriteToConsole(text);
    MessageBoxA(nullptr, text.c_str(), kCaption,
                MB_OK | MB_SETFOREGROUND | MB_TOPMOST | (warning ? MB_ICONWARNING : MB_ICONINFORMATION));
}

int RunCommandLine(const CommandLine& line)
{
    const std::string reportFile = line.reportFile.empty() ? std::string() : FullPath(line.reportFile);
    const std::string programDir = ExeDir();
    // A batch file started in the temporary folder would otherwise hold it
    // as its current directory, which the system keeps from being removed.
    SetCurrentDirectoryA(programDir.c_str());
    try {
        return RunWork(line, programDir, reportFile);
    } catch (const std::exception& error) {
        Log log(programDir + kLogName);
        WriteAll(log, {std::string("Cleaning from the command line failed: ") + error.what()});
    } catch (...) {
        Log log(programDir + kLogName);
        WriteAll(log, {"Cleaning from the command line failed: unknown error"});
    }
    return exitIncomplete;
}

} // namespace klarvo::resident
