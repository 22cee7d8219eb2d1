#pragma once

// Another program that finds both programs' windows and posts them whatever
// it likes: what it can see of them, and a flood of forged messages. Used by
// the hostile end-to-end tests and by the soak in tests/bench.

#include <gtest/gtest.h>

#include <windows.h>

#include <tlhelp32.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "link/Messages.h"
#include "link/Notifications.h"
#include "settings/ConfFile.h"
#include "settings/ConfStr.h"
#include "settings/SlotTable.h"
#include "support/ListeningShell.h"
#include "support/Process.h"
#include "support/Pump.h"
#include "support/TempDir.h"
#include "suite_fixture.h"

namespace klarvo::test {

// The cleaner's private messages and its tray menu, as another program
// would guess them.
constexpr UINT kCleanerPrivateFirst = WM_APP;
constexpr UINT kCleanerPrivateLast = WM_APP + 16;
constexpr UINT kTrayCallback = WM_APP + 4;
constexpr WPARAM kMenuFirst = 101, kMenuOpenShell = 105, kMenuExit = 106;

struct Census {
    DWORD process;
    const char* windowClass; // null: every top-level window
    std::vector<HWND> found;
};

inline BOOL CALLBACK CountWindow(HWND window, LPARAM context)
{
    auto& census = *reinterpret_cast<Census*>(context);
    if (ProcessOf(window) != census.process)
        return TRUE;
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (!census.windowClass || std::string(name) == census.windowClass)
        census.found.push_back(window);
    return TRUE;
}

inline std::vector<HWND> TopWindowsOf(DWORD process, const char* windowClass = nullptr)
{
    Census census{process, windowClass, {}};
    EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&census));
    return census.found;
}

// Message boxes a process shows.
inline std::size_t BoxesOf(DWORD process)
{
    std::size_t boxes = 0;
    for (HWND box : TopWindowsOf(process, "#32770"))
        boxes += IsWindowVisible(box) ? 1 : 0;
    return boxes;
}

inline void CloseBoxesOf(DWORD process)
{
    for (HWND box : TopWindowsOf(process, "#32770"))
        PostMessageA(box, WM_COMMAND, IDOK, 0);
}

inline BOOL CALLBACK CountChild(HWND, LPARAM count)
{
    ++*reinterpret_cast<std::size_t*>(count);
    return TRUE;
}

// The windows a process owns, children included: its USER objects that
// another process can see.
inline std::size_t WindowsOf(DWORD process)
{
    std::size_t count = 0;
    for (HWND window : TopWindowsOf(process)) {
        ++count;
        EnumChildWindows(window, CountChild, reinterpret_cast<LPARAM>(&count));
    }
    return count;
}

// Running processes of a program file name.
inline std::size_t ProcessesNamed(const char* exe)
{
    std::size_t count = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        count += lstrcmpiA(entry.szExeFile, exe) == 0 ? 1 : 0;
    CloseHandle(snapshot);
    return count;
}

// The window's thread handles messages within the time.
inline bool Answers(HWND window, UINT milliseconds)
{
    DWORD_PTR result = 0;
    return window && SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, milliseconds, &result) != 0;
}

inline bool WaitForProcessEnd(DWORD id, DWORD milliseconds)
{
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
    if (!process)
        return true;
    const bool ended = WaitForSingleObject(process, milliseconds) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

// Used less than a tenth of a core over a quarter of a second: whatever was
// queued for it has been handled. (A sent message overtakes posted ones, so
// that a window answers says nothing about its queue.)
inline bool Idle(DWORD id)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, id);
    if (!process)
        return false;
    auto used = [process] {
        FILETIME created, ended, kernel, user;
        GetProcessTimes(process, &created, &ended, &kernel, &user);
        auto ticks = [](FILETIME t) { return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
        return ticks(kernel) + ticks(user); // 100 ns units
    };
    const std::uint64_t before = used();
    Sleep(250);
    const bool idle = used() - before < 250000;
    CloseHandle(process);
    return idle;
}

// ---- the flood ---------------------------------------------------------------

struct Forged {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// INT_MIN, -1, 0, 1, INT_MAX and each end of a range with the value past it.
inline std::vector<LPARAM> Boundaries(std::initializer_list<std::int64_t> ends)
{
    std::vector<LPARAM> values{static_cast<LPARAM>(INT_MIN), -1, 0, 1, static_cast<LPARAM>(INT_MAX)};
    for (std::int64_t end : ends) {
        values.push_back(static_cast<LPARAM>(end));
        values.push_back(static_cast<LPARAM>(end + 1));
        values.push_back(static_cast<LPARAM>(end - 1));
    }
    return values;
}

inline std::vector<WPARAM> Codes(int last)
{
    std::vector<WPARAM> codes{static_cast<WPARAM>(INT_MIN), static_cast<WPARAM>(-1), static_cast<WPARAM>(INT_MAX)};
    for (int code = 0; code <= last + 1; ++code)
        codes.push_back(static_cast<WPARAM>(code));
    return codes;
}

// `count` messages for one program, drawn from the messages either program
// registers with every code and the boundary arguments, timers with random
// ids, commands with the menu's ids and random ones, the private range, the
// end of a session (wParam 0; the real end is placed by the caller), hot
// keys and the taskbar's announcement.
inline std::vector<Forged> Draw(std::mt19937& random, std::size_t count, UINT taskbarCreated)
{
    std::vector<Forged> pool;
    const std::vector<LPARAM> cleanerArguments = Boundaries({4096, hcTemp, hcHistory});
    for (WPARAM code : Codes(cmdClearHdd))
        for (LPARAM argument : cleanerArguments)
            pool.push_back({WM_CLEANERCMD, code, argument});
    for (WPARAM code : Codes(ntAutoChanged))
        for (LPARAM value : Boundaries({kLastPageIndex, 100}))
            pool.push_back({WM_SHELLNOTIFY, code, value});
    for (WPARAM id = kMenuFirst; id < kMenuExit; ++id)
        pool.push_back({WM_COMMAND, id, 0});
    for (UINT message = kCleanerPrivateFirst; message <= kCleanerPrivateLast; ++message)
        for (LPARAM value : Boundaries({100, WM_LBUTTONDBLCLK}))
            pool.push_back({message, static_cast<WPARAM>(value), value});
    for (WPARAM id = 0; id <= 4; ++id)
        pool.push_back({WM_HOTKEY, id, 0});
    pool.push_back({WM_ENDSESSION, 0, 0});
    pool.push_back({taskbarCreated, 0, 0});

    std::uniform_int_distribution<std::uint32_t> any;
    std::uniform_int_distribution<std::size_t> pick(0, pool.size() + pool.size() / 4);
    std::vector<Forged> drawn;
    drawn.reserve(count);
    while (drawn.size() < count) {
        const std::size_t index = pick(random);
        if (index < pool.size()) {
            drawn.push_back(pool[index]);
        } else if (index % 2) {
            drawn.push_back({WM_TIMER, static_cast<WPARAM>(any(random)), 0});
        } else {
            // Random menu ids, never the exit's.
            WPARAM id = any(random) & 0xFFFF;
            drawn.push_back({WM_COMMAND, id == kMenuExit ? 0 : id, 0});
        }
    }
    return drawn;
}

// A tree with a file and a subdirectory, to be emptied.
inline std::string MakeTree(const TempDir& under, const std::string& name)
{
    const std::string root = under.File(name);
    CreateDirectoryA(root.c_str(), nullptr);
    CreateDirectoryA((root + "\\sub").c_str(), nullptr);
    WriteText(root + "\\top.tmp", "x");
    WriteText(root + "\\sub\\inner.tmp", "x");
    return root;
}

inline std::vector<std::uint8_t> WithoutSlot1(std::vector<std::uint8_t> bytes)
{
    for (std::size_t i = 4 * slotAuto; i < 4 * (slotAuto + 1) && i < bytes.size(); ++i)
        bytes[i] = 0;
    return bytes;
}

// What a flood came to.
struct FloodFigures {
    std::size_t sent = 0;         // to each program
    DWORD milliseconds = 0;       // to post them all
    DWORD settleMilliseconds = 0; // then until both programs were idle
    std::size_t mostBoxes = 0;    // message boxes of both programs at once
    std::size_t cleanerEnds = 0;  // cleaners that ended and were started again
};

class Neighbours : public Suite {
protected:
    HWND UtilityOfShell() const
    {
        const std::vector<HWND> found = TopWindowsOf(shell->Id(), "KlarvoUtility");
        return found.empty() ? nullptr : found.front();
    }

    // Both programs running, every disk category pointing into the test's
    // own trees; `count` forged messages to each, checked every `batch`.
    // Afterwards: both alive and answering, the settings files as they were
    // but for slot 1, nothing outside the trees gone, never more than one
    // box, and as many windows as before.
    FloodFigures Flood(std::size_t count, std::size_t batch = 200)
    {
        FloodFigures figures;
        if (!FirstStart()) {
            ADD_FAILURE() << "the programs did not start";
            return figures;
        }
        std::vector<std::string> lines = ReadConfStr(dir.File("ConfStr.dat"));
        for (int line : {lineTemp, lineDir})
            lines.at(line) = MakeTree(trees, "tree" + std::to_string(line));
        // The browser's places of this prefix are none of the test's trees:
        // a Clear of them would be refused with a box.
        for (int line : {lineCache, lineCookies, lineHistory})
            lines.at(line).clear();
        WriteConfStr(dir.File("ConfStr.dat"), lines);
        // The cleaner cleans a temporary line only where its own TMP leads;
        // it inherits this one through the shell.
        struct OwnTemporary {
            explicit OwnTemporary(const std::string& path)
            {
                had = GetEnvironmentVariableA("TMP", saved, MAX_PATH) > 0;
                SetEnvironmentVariableA("TMP", path.c_str());
            }
            ~OwnTemporary() { SetEnvironmentVariableA("TMP", had ? saved : nullptr); }
            char saved[MAX_PATH] = {};
            bool had = false;
        } const ownTemporary(lines.at(lineTemp));
        // One try keeps the cleanings short.
        WriteConf(Conf(), slotMaxTry, 1);
        const std::string kept = MakeTree(outside, "kept");
        const std::vector<std::uint8_t> confBefore = ReadBytes(Conf());
        const std::string confStrBefore = ReadText(dir.File("ConfStr.dat"));

        HWND window = OpenShell();
        HWND cleaner = WaitForWindow(kCleanerWindowClass, kPatienceMs);
        HWND utility = window ? UtilityOfShell() : nullptr;
        if (!window || !cleaner || !utility) {
            ADD_FAILURE() << "the programs did not start";
            return figures;
        }
        PostMessageA(cleaner, WM_CLEANERCMD, cmdReloadSettings, 0);
        EXPECT_TRUE(WaitUntil([&] { return Answers(window, 1000) && Answers(cleaner, 1000); }, kPatienceMs));
        const std::size_t shellWindows = WindowsOf(shell->Id());
        const std::size_t cleanerWindows = WindowsOf(ProcessOf(cleaner));

        std::mt19937 random(14);
        const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
        const std::vector<Forged> toShell = Draw(random, std::min<std::size_t>(count, 100000), taskbarCreated);
        const std::vector<Forged> toCleaner = Draw(random, toShell.size(), taskbarCreated);
        const DWORD start = GetTickCount();
        for (std::size_t i = 0; i < count; ++i) {
            const Forged& s = toShell[i % toShell.size()];
            PostMessageA(i % 2 ? utility : window, s.message, s.wParam, s.lParam);
            Forged c = toCleaner[i % toCleaner.size()];
            // The two messages that end the cleaner on purpose, once each
            // per 10,000: the shell starts it again.
            if (i % 10000 == 3333)
                c = {WM_ENDSESSION, 1, 0};
            else if (i % 10000 == 6666)
                c = {WM_COMMAND, kMenuExit, 0};
            PostMessageA(cleaner, c.message, c.wParam, c.lParam);
            if ((i + 1) % batch != 0 && i + 1 != count)
                continue;
            if (!Answers(window, 10000)) {
                ADD_FAILURE() << "the shell stopped answering after " << i + 1 << " messages";
                return figures;
            }
            HWND before = cleaner;
            if (!WaitUntil(
                    [&] {
                        cleaner = FindWindowA(kCleanerWindowClass, nullptr);
                        return Answers(cleaner, 1000);
                    },
                    kPatienceMs)) {
                ADD_FAILURE() << "no cleaner answers after " << i + 1 << " messages";
                return figures;
            }
            figures.cleanerEnds += cleaner != before ? 1 : 0;
            figures.mostBoxes = std::max(figures.mostBoxes, BoxesOf(shell->Id()) + BoxesOf(ProcessOf(cleaner)));
            figures.sent = i + 1;
        }
        figures.milliseconds = GetTickCount() - start;
        // What is still queued is handled before anything is judged; a
        // session end among it costs a restart by the shell's tick.
        EXPECT_TRUE(WaitUntil(
            [&] {
                cleaner = FindWindowA(kCleanerWindowClass, nullptr);
                return cleaner && Idle(shell->Id()) && Idle(ProcessOf(cleaner)) &&
                       cleaner == FindWindowA(kCleanerWindowClass, nullptr);
            },
            static_cast<DWORD>(kPatienceMs + count / 10)));
        figures.settleMilliseconds = GetTickCount() - start - figures.milliseconds;

        EXPECT_LE(figures.mostBoxes, 1u);
        EXPECT_FALSE(shell->WaitForExit(0));
        EXPECT_TRUE(Answers(window, 1000));
        CloseBoxesOf(shell->Id());
        // Pages the flood showed settle within a few ticks.
        EXPECT_TRUE(WaitUntil([&] { return WindowsOf(shell->Id()) == shellWindows; }, 5000))
            << WindowsOf(shell->Id()) << " windows, " << shellWindows << " before";
        EXPECT_EQ(WindowsOf(ProcessOf(cleaner)), cleanerWindows);

        EXPECT_EQ(WithoutSlot1(ReadBytes(Conf())), WithoutSlot1(confBefore));
        EXPECT_EQ(ReadText(dir.File("ConfStr.dat")), confStrBefore);
        EXPECT_TRUE(FileExists(kept + "\\top.tmp"));
        EXPECT_TRUE(FileExists(kept + "\\sub\\inner.tmp"));
        EXPECT_TRUE(FileExists(shellExe));
        EXPECT_TRUE(FileExists(dir.File("Klarvo.exe")));

        // The cleaner answers a status request within a second once the
        // real shell has made way for a listener, and still cleans.
        CloseShell();
        ListeningShell listener;
        PostMessageA(cleaner, WM_CLEANERCMD, cmdReportStatus, 0);
        EXPECT_TRUE(listener.WaitFor(listener.Has(ntTimeSince), 1000));
        const std::string fresh = lines[lineTemp] + "\\fresh.tmp";
        WriteText(fresh, "x");
        EXPECT_TRUE(listener.WaitFor(
            [&] {
                for (const Notification& n : listener.received)
                    if (n == Notification(ntRamProgress, 100))
                        return true;
                return false;
            },
            kCleaningPatienceMs, [&] { PostMessageA(cleaner, WM_CLEANERCMD, cmdFreeRam, 1); }))
            << "no manual cleaning gets done";
        PostMessageA(cleaner, WM_CLEANERCMD, cmdClearHdd, hcTemp);
        EXPECT_TRUE(WaitUntil([&] { return !FileExists(fresh); }, kCleaningPatienceMs)) << "no disk cleaning gets done";
        // No shell was opened from the tray while the real one ran.
        EXPECT_EQ(ProcessesNamed("KlarvoShell.exe"), 0u);
        if (HWND stray = FindWindowA(kShellWindowClass, nullptr))
            PostMessageA(stray, WM_CLOSE, 0, 0);
        return figures;
    }

    TempDir trees, outside;
};

} // namespace klarvo::test
