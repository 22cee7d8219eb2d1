#include "hostile.h"

namespace klarvo::test {

// Used less than a tenth of a core over a quarter of a second: whatever was
// queued for it has been handled. (A sent message overtakes posted ones, so
// that a window answers says nothing about its queue.)
bool Idle(DWORD id)
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

namespace {

// INT_MIN, -1, 0, 1, INT_MAX and each end of a range with the value past it.
std::vector<LPARAM> Boundaries(std::initializer_list<std::int64_t> ends)
{
    std::vector<LPARAM> values{static_cast<LPARAM>(INT_MIN), -1, 0, 1, static_cast<LPARAM>(INT_MAX)};
    for (std::int64_t end : ends) {
        values.push_back(static_cast<LPARAM>(end));
        values.push_back(static_cast<LPARAM>(end + 1));
        values.push_back(static_cast<LPARAM>(end - 1));
    }
    return values;
}

std::vector<WPARAM> Codes(int last)
{
    std::vector<WPARAM> codes{static_cast<WPARAM>(INT_MIN), static_cast<WPARAM>(-1), static_cast<WPARAM>(INT_MAX)};
    for (int code = 0; code <= last + 1; ++code)
        codes.push_back(static_cast<WPARAM>(code));
    return codes;
}

// Three suites run side by side on a machine of a few gigabytes: a memory
// cleaning the flood asks for is at most this large. Amounts past the
// limit stay, since the cleaner refuses them without taking anything.
constexpr LPARAM kFloodMostMegabytes = 64;
constexpr LPARAM kCleanerMostMegabytes = 4096;

LPARAM FitsTheMachine(WPARAM code, LPARAM megabytes)
{
    const bool taken = megabytes > kFloodMostMegabytes && megabytes <= kCleanerMostMegabytes;
    return code == cmdFreeRam && taken ? kFloodMostMegabytes : megabytes;
}

} // namespace

std::vector<Forged> Draw(std::mt19937& random, std::size_t count, UINT taskbarCreated)
{
    std::vector<Forged> pool;
    const std::vector<LPARAM> cleanerArguments = Boundaries({kCleanerMostMegabytes, hcTemp, hcHistory});
    for (WPARAM code : Codes(cmdClearHdd))
        for (LPARAM argument : cleanerArguments)
            pool.push_back({WM_CLEANERCMD, code, FitsTheMachine(code, argument)});
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

std::string MakeTree(const TempDir& under, const std::string& name)
{
    const std::string root = under.File(name);
    CreateDirectoryA(root.c_str(), nullptr);
    CreateDirectoryA((root + "\\sub").c_str(), nullptr);
    WriteText(root + "\\top.tmp", "x");
    WriteText(root + "\\sub\\inner.tmp", "x");
    return root;
}

std::vector<std::uint8_t> WithoutSlot1(std::vector<std::uint8_t> bytes)
{
    for (std::size_t i = 4 * slotAuto; i < 4 * (slotAuto + 1) && i < bytes.size(); ++i)
        bytes[i] = 0;
    return bytes;
}

FloodFigures Neighbours::Flood(std::size_t count, std::size_t batch)
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
    HWND cleaner = WaitForWindow(kCleanerWindowClass, kStartPatienceMs);
    HWND utility = window ? UtilityOfShell() : nullptr;
    if (!window || !cleaner || !utility) {
        ADD_FAILURE() << "the programs did not start";
        return figures;
    }
    PostMessageA(cleaner, WM_CLEANERCMD, cmdReloadSettings, 0);
    EXPECT_TRUE(WaitUntil([&] { return Answers(window, 1000) && Answers(cleaner, 1000); }, kAnswerPatienceMs));
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
                kAnswerPatienceMs)) {
            ADD_FAILURE() << "no cleaner answers after " << i + 1 << " messages";
            return figures;
        }
        figures.cleanerEnds += cleaner != before ? 1 : 0;
        figures.mostBoxes =
            std::max(figures.mostBoxes, MessageBoxesOf(shell->Id()).size() + MessageBoxesOf(ProcessOf(cleaner)).size());
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
        static_cast<DWORD>(kAnswerPatienceMs + count / 10)));
    figures.settleMilliseconds = GetTickCount() - start - figures.milliseconds;

    EXPECT_LE(figures.mostBoxes, 1u);
    EXPECT_FALSE(shell->WaitForExit(0));
    EXPECT_TRUE(Answers(window, 1000));
    CloseBoxesOf(shell->Id());
    // Pages the flood showed settle within a few ticks.
    EXPECT_TRUE(WaitUntil([&] { return WindowsOf(shell->Id()) == shellWindows; }, 5000))
        << WindowsOf(shell->Id()) << " windows, " << shellWindows << " before";
    EXPECT_TRUE(WaitUntil([&] { return WindowsOf(ProcessOf(cleaner)) == cleanerWindows; }, kAnswerPatienceMs))
        << WindowsOf(ProcessOf(cleaner)) << " cleaner windows, " << cleanerWindows << " before";

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

} // namespace klarvo::test
