// What the two release programs cost while nobody uses them, against a bare
// window program that copies a 500 x 100 picture twice a second (the least
// the shell's Info page can do). Each program runs for a measuring window
// (60 s unless --seconds=N) in each state: the shell on the Info page, on
// another page and minimised; the cleaner alone with and without its tray
// figure. For each it prints the share of one core (the process's kernel
// and user time over the wall time), the private committed bytes and the
// live GDI and USER objects, and the ratios against the floor.
//
// Under Wine, GetProcessTimes of another process answers with the caller's
// own times, so where drive P: shows the Unix /proc (the script maps it)
// the times are read from there: the time on a processor of every thread
// of the Unix process whose command line names the program.
//
// Run it by hand through run-idle-bench.sh, which puts the programs into
// the sandbox prefix (the cleaner may clean) and passes
// --shell=... --cleaner=... --floor=... as Windows paths.

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "link/Messages.h"
#include "settings/ConfFile.h"
#include "settings/SlotTable.h"
#include "support/Patience.h"
#include "support/Process.h"
#include "support/Pump.h"
#include "support/ShellPlaces.h"
#include "support/TempDir.h"
#include "win/Handles.h"

using namespace klarvo;
using namespace klarvo::test;

namespace {

constexpr DWORD kDefaultSeconds = 60;
// Start-up work (first run, loading pictures, the cleaner starting) is
// over well before this; it is not part of the idle figure.
constexpr DWORD kSettleMs = 4000;
// Of the history's first 25 s, what is left after the settling.
constexpr DWORD kPictureMovingSeconds = 18;
constexpr double kHundredNanosecondsPerSecond = 1e7;

// One process's resource figures at one moment.
struct Snapshot {
    ULONGLONG cpu100ns = 0; // kernel + user
    ULONGLONG wallMs = 0;
    SIZE_T privateBytes = 0;
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
    DWORD windows = 0;
};

// Ticks per second of /proc's times (--hz, from the script).
double unixTicksPerSecond = 100;

// A file's text, or "" when it cannot be read (its process has ended).
std::string ReadWhole(const std::string& path)
{
    try {
        return ReadText(path);
    } catch (const std::exception&) {
        return {};
    }
}

// Calls visit(name) for each entry of a directory pattern but "." and "..",
// until it returns false.
template <typename Visit> void ForEachEntry(const std::string& pattern, Visit&& visit)
{
    WIN32_FIND_DATAA found;
    const FindHandle search(FindFirstFileA(pattern.c_str(), &found));
    if (!search) {
        return;
    }
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != ".." && !visit(name)) {
            return;
        }
    } while (FindNextFileA(search.Get(), &found));
}

std::string Lower(std::string text)
{
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

// "P:\<pid>" of the Unix process whose command line holds `needle`, or ""
// when drive P: is not /proc or no process matches.
std::string UnixProcessDir(const std::string& needle)
{
    const std::string wanted = Lower(needle);
    std::string match;
    ForEachEntry("P:\\*", [&](const std::string& name) {
        if (name.find_first_not_of("0123456789") != std::string::npos) {
            return true;
        }
        std::string line = ReadWhole("P:\\" + name + "\\cmdline");
        for (char& c : line) {
            if (c == '\0') {
                c = ' ';
            }
        }
        // This benchmark's own command line names every program too.
        if (Lower(line).find(wanted) != std::string::npos && line.find("--floor=") == std::string::npos) {
            match = "P:\\" + name;
        }
        return match.empty();
    });
    return match;
}

// User plus system time in 100 ns units from a /proc stat file: clock
// ticks, a hundredth of a second here.
ULONGLONG UnixTicksCpu(const std::string& processDir)
{
    const std::string stat = ReadWhole(processDir + "\\stat");
    // The fields after the command name, which is in parentheses and may
    // hold blanks: state is field 3, utime 14, stime 15.
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos) {
        return 0;
    }
    unsigned long long utime = 0, stime = 0;
    if (std::sscanf(stat.c_str() + close + 1, " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &utime,
                    &stime) != 2) {
        return 0;
    }
    return static_cast<ULONGLONG>(static_cast<double>(utime + stime) / unixTicksPerSecond * 1e7);
}

// Time on a processor in 100 ns units, summed over the process's threads
// from their schedstat (nanoseconds: a tick of the clock above is 0.017 %
// of a minute, about what the floor costs); the clock ticks where the
// kernel keeps no schedstat.
ULONGLONG UnixCpu(const std::string& processDir)
{
    unsigned long long nanoseconds = 0;
    bool any = false;
    ForEachEntry(processDir + "\\task\\*", [&](const std::string& thread) {
        unsigned long long onCpu = 0;
        const std::string line = ReadWhole(processDir + "\\task\\" + thread + "\\schedstat");
        if (std::sscanf(line.c_str(), "%llu", &onCpu) == 1) {
            nanoseconds += onCpu;
            any = true;
        }
        return true;
    });
    return any ? nanoseconds / 100 : UnixTicksCpu(processDir);
}

// A process's share of one core over a measuring window, and its figures
// at the end of it.
struct Row {
    std::string name;
    double corePercent = 0;
    Snapshot after;
};

ULONGLONG FileTimeValue(const FILETIME& t)
{
    return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

struct WindowCount {
    DWORD processId;
    DWORD windows;
};

BOOL CALLBACK CountChild(HWND, LPARAM p)
{
    ++reinterpret_cast<WindowCount*>(p)->windows;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM p)
{
    auto* c = reinterpret_cast<WindowCount*>(p);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == c->processId) {
        ++c->windows;
        EnumChildWindows(window, CountChild, p);
    }
    return TRUE;
}

// The process's windows, top-level and child: the part of its USER objects
// that can be counted from outside where GetGuiResources answers 0.
DWORD WindowsOf(DWORD processId)
{
    WindowCount count{processId, 0};
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&count));
    return count.windows;
}

Snapshot Take(HANDLE process, const std::string& statPath)
{
    Snapshot s;
    FILETIME created, ended, kernel, user;
    if (!statPath.empty()) {
        s.cpu100ns = UnixCpu(statPath);
    } else if (GetProcessTimes(process, &created, &ended, &kernel, &user)) {
        s.cpu100ns = FileTimeValue(kernel) + FileTimeValue(user);
    }
    s.wallMs = GetTickCount64();
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) {
        // Wine leaves PrivateUsage 0 and gives the committed private bytes
        // as PagefileUsage, which Windows NT counts the same way.
        s.privateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
    }
    s.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
    s.userObjects = GetGuiResources(process, GR_USEROBJECTS);
    s.windows = WindowsOf(GetProcessId(process));
    return s;
}

struct Measured {
    std::string name;
    HANDLE process;
    // Names the program on its command line, for /proc.
    std::string commandLine;
};

// Measures the processes side by side over one window of `seconds`,
// pumping this program's own messages meanwhile, and adds their rows.
void Measure(std::vector<Row>& rows, const std::vector<Measured>& processes, DWORD seconds)
{
    std::vector<Snapshot> before;
    std::vector<std::string> statPaths;
    for (const auto& p : processes) {
        statPaths.push_back(UnixProcessDir(p.commandLine));
        std::fprintf(stderr, "%s: %s\n", p.name.c_str(),
                     statPaths.back().empty() ? "times from GetProcessTimes" : statPaths.back().c_str());
        before.push_back(Take(p.process, statPaths.back()));
    }
    WaitUntil([] { return false; }, seconds * 1000);
    for (std::size_t i = 0; i < processes.size(); ++i) {
        const Snapshot after = Take(processes[i].process, statPaths[i]);
        const double wallSeconds = static_cast<double>(after.wallMs - before[i].wallMs) / 1000.0;
        const double cpuSeconds =
            static_cast<double>(after.cpu100ns - before[i].cpu100ns) / kHundredNanosecondsPerSecond;
        rows.push_back(Row{processes[i].name, wallSeconds > 0 ? cpuSeconds / wallSeconds * 100.0 : 0.0, after});
    }
}

// The process behind a window, opened for the figures.
KernelHandle OpenOwner(HWND window)
{
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    return KernelHandle(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | SYNCHRONIZE, FALSE, id));
}

void PrintRows(const std::vector<Row>& rows, const Row& floor)
{
    std::printf("%-34s %8s %7s %10s %8s %5s %5s %5s\n", "program and state", "% core", "x floor", "private KB",
                "x floor", "GDI", "USER", "wnds");
    for (const Row& r : rows) {
        const Snapshot& a = r.after;
        std::printf("%-34s %8.3f %7.2f %10lu %8.2f %5lu %5lu %5lu\n", r.name.c_str(), r.corePercent,
                    floor.corePercent > 0 ? r.corePercent / floor.corePercent : 0.0,
                    static_cast<unsigned long>(a.privateBytes / 1024),
                    floor.after.privateBytes ? static_cast<double>(a.privateBytes) / floor.after.privateBytes : 0.0,
                    static_cast<unsigned long>(a.gdiObjects), static_cast<unsigned long>(a.userObjects),
                    static_cast<unsigned long>(a.windows));
    }
    std::printf("private KB beyond the floor: ");
    for (const Row& r : rows) {
        if (&r != &rows.front()) {
            std::printf(", ");
        }
        std::printf("%s %+ld", r.name.c_str(),
                    (static_cast<long>(r.after.privateBytes) - static_cast<long>(floor.after.privateBytes)) / 1024);
    }
    std::printf("\n");
}

void TellCleanerToReload()
{
    if (HWND cleaner = FindWindowA(kCleanerWindowClass, nullptr)) {
        PostMessageA(cleaner, WM_CLEANERCMD, cmdReloadSettings, 0);
    }
}

// The programs whose cost one run measures, and for how long each state.
struct Programs {
    std::string shell, cleaner, floor;
    DWORD seconds = kDefaultSeconds;
};

void MeasureFloor(const Programs& programs, std::vector<Row>& rows)
{
    Process program(programs.floor, "", "");
    Sleep(kSettleMs);
    Measure(rows, {{"floor (500x100 copy, 500 ms)", program.Handle(), programs.floor}}, programs.seconds);
}

// The shell on Info (its picture moving, then still) with the cleaner it
// asks, on the Auto RAM page and minimised; then closed.
void MeasureShellStates(Process& program, HWND window, HANDLE cleaner, const std::string& shell,
                        const std::string& cleanerCopy, DWORD seconds, std::vector<Row>& rows)
{
    // The history starts as zeros, which shift out over its first 25 s:
    // until then every tick draws a new picture, as it does on a machine
    // whose memory moves. Memory here does not move as the shell sees
    // it (Wine holds a 32-bit program's figures below 2 GB).
    Measure(rows, {{"shell, Info, picture moving", program.Handle(), shell}},
            std::min<DWORD>(seconds, kPictureMovingSeconds));
    Sleep(kSettleMs);
    Measure(rows,
            {{"shell, Info, picture still", program.Handle(), shell},
             {"cleaner, asked by the shell", cleaner, cleanerCopy}},
            seconds);

    PostMessageA(window, WM_SHELLNOTIFY, ntShowPage, 1);
    Sleep(kSettleMs);
    Measure(rows, {{"shell, Auto RAM page", program.Handle(), shell}}, seconds);

    PostMessageA(window, WM_SHELLNOTIFY, ntShowPage, 0);
    Sleep(kSettleMs / 4);
    ShowWindow(window, SW_MINIMIZE);
    Sleep(kSettleMs);
    Measure(rows, {{"shell, minimised on Info", program.Handle(), shell}}, seconds);

    PostMessageA(window, WM_CLOSE, 0, 0);
    if (!program.WaitForExit(kEndPatienceMs)) {
        std::fprintf(stderr, "the shell did not end\n");
    }
}

// What the link's rules alone cost: a bare program in the shell's place
// asking the same cleaner every tick.
void MeasureBareAsking(const Programs& programs, HANDLE cleaner, const std::string& cleanerCopy, std::vector<Row>& rows)
{
    Process bare(programs.floor, "exchange", "");
    Sleep(kSettleMs);
    Measure(rows,
            {{"floor asking the cleaner, no picture", bare.Handle(), programs.floor + " exchange"},
             {"cleaner, asked by that floor", cleaner, cleanerCopy}},
            programs.seconds);
    if (HWND w = FindWindowA(kShellWindowClass, nullptr)) {
        PostMessageA(w, WM_CLOSE, 0, 0);
    }
    bare.WaitForExit(kEndPatienceMs);
}

// The cleaner without a shell, showing its figure in the tray and then
// only its mark; then closed.
void MeasureCleanerAlone(const TempDir& dir, HANDLE cleaner, const std::string& cleanerCopy, DWORD seconds,
                         std::vector<Row>& rows)
{
    const std::string conf = dir.File("Conf.dat");
    for (const bool figure : {true, false}) {
        WriteConf(conf, slotTrayMem, figure ? 1 : 0);
        TellCleanerToReload();
        Sleep(kSettleMs);
        Measure(rows, {{figure ? "cleaner alone, tray figure" : "cleaner alone, tray mark", cleaner, cleanerCopy}},
                seconds);
    }
    if (HWND c = FindWindowA(kCleanerWindowClass, nullptr)) {
        PostMessageA(c, WM_CLOSE, 0, 0);
        WaitForSingleObject(cleaner, kEndPatienceMs);
    }
}

// Both programs from a first run in a directory of their own, through
// every state; false when they did not start.
bool MeasureSuite(const Programs& programs, std::vector<Row>& rows)
{
    TempDir dir;
    const std::string shell = CopyInto(programs.shell, dir.Path());
    const std::string cleanerCopy = CopyInto(programs.cleaner, dir.Path());
    const std::optional<std::string> previousAutorun = AutorunValue();
    {
        // The first run writes the settings and starts the cleaner.
        Process program(shell, "0", dir.Path());
        const HWND window = WaitForWindow(kShellWindowClass, kStartPatienceMs);
        const HWND cleanerWindow = WaitForWindow(kCleanerWindowClass, kStartPatienceMs);
        if (!window || !cleanerWindow) {
            std::fprintf(stderr, "the shell or the cleaner did not start\n");
            return false;
        }
        const KernelHandle owner = OpenOwner(cleanerWindow);
        Sleep(kSettleMs);
        MeasureShellStates(program, window, owner.Get(), shell, cleanerCopy, programs.seconds, rows);
        MeasureBareAsking(programs, owner.Get(), cleanerCopy, rows);
        MeasureCleanerAlone(dir, owner.Get(), cleanerCopy, programs.seconds, rows);
    }
    RestoreAutorun(previousAutorun);
    return true;
}

} // namespace

int main()
{
    Programs programs{FileArgument("shell"), FileArgument("cleaner"), FileArgument("floor")};
    if (programs.shell.empty() || programs.cleaner.empty() || programs.floor.empty()) {
        std::fprintf(stderr, "run with --shell=... --cleaner=... --floor=... [--seconds=N]\n");
        return 2;
    }
    if (const std::string asked = TestArgument("seconds"); !asked.empty()) {
        programs.seconds = static_cast<DWORD>(std::stoul(asked));
    }
    if (const std::string hz = TestArgument("hz"); !hz.empty()) {
        unixTicksPerSecond = std::stod(hz);
    }

    // Nobody uses the programs: the pointer rests in a corner, away from
    // both windows (a control under it would track it).
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);

    std::vector<Row> rows;
    MeasureFloor(programs, rows);
    if (!MeasureSuite(programs, rows)) {
        return 1;
    }

    std::printf("idle cost over %lu s per state (CPU: /proc time on a processor of all threads, else GetProcessTimes; "
                "GetProcessMemoryInfo PrivateUsage, or "
                "PagefileUsage where that is 0; GetGuiResources, 0 where the platform does not count; wnds: "
                "windows of the process)\n",
                static_cast<unsigned long>(programs.seconds));
    PrintRows(rows, rows.front());
    return 0;
}
