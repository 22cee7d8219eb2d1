#include "hostile.h"

namespace klarvo::test {
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
    for (int code = 0; code <= last + 1; ++code) {
        codes.push_back(static_cast<WPARAM>(code));
    }
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
    for (WPARAM code : Codes(cmdClearHdd)) {
        for (LPARAM argument : cleanerArguments) {
            // A Clear of the chosen directory is the barrier after the
            // flood: only the barrier may ask for one.
            if (code != cmdClearHdd || argument != hcDir) {
                pool.push_back({WM_CLEANERCMD, code, FitsTheMachine(code, argument)});
            }
        }
    }
    for (WPARAM code : Codes(ntAutoChanged)) {
        for (LPARAM value : Boundaries({kLastPageIndex, 100})) {
            pool.push_back({WM_SHELLNOTIFY, code, value});
        }
    }
    for (WPARAM id = kMenuFirst; id < kMenuExit; ++id) {
        pool.push_back({WM_COMMAND, id, 0});
    }
    for (UINT message = kCleanerPrivateFirst; message <= kCleanerPrivateLast; ++message) {
        for (LPARAM value : Boundaries({100, WM_LBUTTONDBLCLK})) {
            pool.push_back({message, static_cast<WPARAM>(value), value});
        }
    }
    for (WPARAM id = 0; id <= 4; ++id) {
        pool.push_back({WM_HOTKEY, id, 0});
    }
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

std::vector<std::uint8_t> WithoutSlot1(std::vector<std::uint8_t> bytes)
{
    for (std::size_t i = 4 * slotAuto; i < 4 * (slotAuto + 1) && i < bytes.size(); ++i) {
        bytes[i] = 0;
    }
    return bytes;
}

namespace {

// What a cleaner is sent in place of the flood's own message: the two
// messages that end it on purpose, once each per 10,000 (the shell starts
// it again). The exit comes last, so that the barrier after the flood often
// meets a cleaner that has yet to end.
Forged ForCleaner(const std::vector<Forged>& drawn, std::size_t i)
{
    if (i % 10000 == 3333) {
        return {WM_ENDSESSION, 1, 0};
    }
    if (i % 10000 == 9999) {
        return {WM_COMMAND, kMenuExit, 0};
    }
    return drawn[i % drawn.size()];
}

} // namespace

FloodFigures Neighbours::Flood(std::size_t count, std::size_t batch)
{
    FloodFigures figures;
    FloodScene scene;
    if (!FirstStart()) {
        ADD_FAILURE() << "the programs did not start";
        return figures;
    }
    PointCategoriesAtTrees(scene);
    // The cleaner cleans a temporary line only where its own TMP leads; it
    // inherits this one through the shell.
    const ScopedVariable ownTemporary("TMP", scene.lines.at(lineTemp).c_str());
    if (!StartFloodPrograms(scene)) {
        ADD_FAILURE() << "the programs did not start";
        return figures;
    }
    if (!PostFlood(scene, count, batch, figures)) {
        return figures;
    }
    const DWORD posted = GetTickCount();
    WaitUntilFloodHandled(scene, count);
    figures.settleMilliseconds = GetTickCount() - posted;

    EXPECT_LE(figures.mostBoxes, 1u);
    ExpectNothingHarmed(scene);
    ExpectCleanerStillServes(scene);
    return figures;
}

void Neighbours::PointCategoriesAtTrees(FloodScene& scene)
{
    scene.lines = ReadConfStr(dir.File("ConfStr.dat"));
    for (int line : {lineTemp, lineDir}) {
        scene.lines.at(line) = MakeTree(trees, "tree" + std::to_string(line));
    }
    // The browser's places of this prefix are none of the test's trees:
    // a Clear of them would be refused with a box.
    for (int line : {lineCache, lineCookies, lineHistory}) {
        scene.lines.at(line).clear();
    }
    WriteConfStr(dir.File("ConfStr.dat"), scene.lines);
    // One try keeps the cleanings short.
    WriteConf(Conf(), slotMaxTry, 1);
    scene.kept = MakeTree(outside, "kept");
    scene.confBefore = ReadBytes(Conf());
    scene.confStrBefore = ReadText(dir.File("ConfStr.dat"));
}

bool Neighbours::StartFloodPrograms(FloodScene& scene)
{
    scene.window = OpenShell();
    scene.cleaner = WaitForWindow(kCleanerWindowClass, kStartPatienceMs);
    scene.utility = scene.window ? UtilityOfShell() : nullptr;
    if (!scene.window || !scene.cleaner || !scene.utility) {
        return false;
    }
    PostMessageA(scene.cleaner, WM_CLEANERCMD, cmdReloadSettings, 0);
    EXPECT_TRUE(
        WaitUntil([&] { return Answers(scene.window, 1000) && Answers(scene.cleaner, 1000); }, kAnswerPatienceMs));
    scene.shellWindows = WindowsOf(shell->Id());
    scene.cleanerWindows = WindowsOf(ProcessOf(scene.cleaner));
    return true;
}

bool Neighbours::PostFlood(FloodScene& scene, std::size_t count, std::size_t batch, FloodFigures& figures)
{
    std::mt19937 random(14);
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    const std::vector<Forged> toShell = Draw(random, std::min<std::size_t>(count, 100000), taskbarCreated);
    const std::vector<Forged> toCleaner = Draw(random, toShell.size(), taskbarCreated);
    const DWORD start = GetTickCount();
    for (std::size_t i = 0; i < count; ++i) {
        const Forged& s = toShell[i % toShell.size()];
        PostMessageA(i % 2 ? scene.utility : scene.window, s.message, s.wParam, s.lParam);
        const Forged c = ForCleaner(toCleaner, i);
        PostMessageA(scene.cleaner, c.message, c.wParam, c.lParam);
        if ((i + 1) % batch != 0 && i + 1 != count) {
            continue;
        }
        if (!BothStillAnswer(scene, i + 1, figures)) {
            return false;
        }
        figures.sent = i + 1;
    }
    figures.milliseconds = GetTickCount() - start;
    return true;
}

bool Neighbours::BothStillAnswer(FloodScene& scene, std::size_t sent, FloodFigures& figures)
{
    if (!Answers(scene.window, 10000)) {
        ADD_FAILURE() << "the shell stopped answering after " << sent << " messages";
        return false;
    }
    HWND before = scene.cleaner;
    if (!WaitUntil(
            [&] {
                scene.cleaner = FindWindowA(kCleanerWindowClass, nullptr);
                return Answers(scene.cleaner, 1000);
            },
            kAnswerPatienceMs)) {
        ADD_FAILURE() << "no cleaner answers after " << sent << " messages";
        return false;
    }
    figures.cleanerEnds += scene.cleaner != before ? 1 : 0;
    figures.mostBoxes = std::max(figures.mostBoxes,
                                 MessageBoxesOf(shell->Id()).size() + MessageBoxesOf(ProcessOf(scene.cleaner)).size());
    return true;
}

void Neighbours::WaitUntilFloodHandled(FloodScene& scene, std::size_t count)
{
    // What is still queued is handled before anything is judged. Each
    // program's queue is passed by a barrier: the shell's by a minimise,
    // the cleaner's by a Clear of the chosen directory, which the flood
    // never asks for, emptying it of a fresh file. The shell's handling may
    // post to the cleaner and the cleaner's to the shell, so the shell is
    // passed again; a session end among the flood costs a restart by the
    // shell's tick, after which the new cleaner is the one passed. A cleaner
    // with an end still queued ahead of the barrier never reaches it, and one
    // that ends on taking it (an exit put off until the shell found it) no
    // longer answers once the Clear is done: either way the next one is
    // passed.
    const DWORD patience = static_cast<DWORD>(kAnswerPatienceMs + count / 10);
    const std::string barrier = scene.lines.at(lineDir) + "\\barrier.tmp";
    EXPECT_TRUE(HandledWhatWasPosted(scene.window, patience));
    EXPECT_TRUE(WaitUntil(
        [&] {
            const HWND passed = FindWindowA(kCleanerWindowClass, nullptr);
            if (!passed) {
                return false;
            }
            WriteText(barrier, "x");
            PostMessageA(passed, WM_CLEANERCMD, cmdClearHdd, hcDir);
            WaitUntil([&] { return !FileExists(barrier) || !IsWindow(passed); }, patience);
            scene.cleaner = passed;
            return !FileExists(barrier) && Answers(passed, 1000) && passed == FindWindowA(kCleanerWindowClass, nullptr);
        },
        patience));
    EXPECT_TRUE(HandledWhatWasPosted(scene.window, patience));
}

void Neighbours::ExpectNothingHarmed(const FloodScene& scene)
{
    EXPECT_FALSE(shell->WaitForExit(0));
    EXPECT_TRUE(Answers(scene.window, 1000));
    CloseBoxesOf(shell->Id());
    // Pages the flood showed settle within a few ticks.
    EXPECT_TRUE(WaitUntil([&] { return WindowsOf(shell->Id()) == scene.shellWindows; }, 5000))
        << WindowsOf(shell->Id()) << " windows, " << scene.shellWindows << " before";
    EXPECT_TRUE(
        WaitUntil([&] { return WindowsOf(ProcessOf(scene.cleaner)) == scene.cleanerWindows; }, kAnswerPatienceMs))
        << WindowsOf(ProcessOf(scene.cleaner)) << " cleaner windows, " << scene.cleanerWindows << " before";

    EXPECT_EQ(WithoutSlot1(ReadBytes(Conf())), WithoutSlot1(scene.confBefore));
    EXPECT_EQ(ReadText(dir.File("ConfStr.dat")), scene.confStrBefore);
    EXPECT_TRUE(FileExists(scene.kept + "\\top.tmp"));
    EXPECT_TRUE(FileExists(scene.kept + "\\sub\\inner.tmp"));
    EXPECT_TRUE(FileExists(shellExe));
    EXPECT_TRUE(FileExists(dir.File("Klarvo.exe")));
}

void Neighbours::ExpectCleanerStillServes(const FloodScene& scene)
{
    // The cleaner answers a status request within a second once the
    // real shell has made way for a listener, and still cleans.
    CloseShell();
    ListeningShell listener;
    PostMessageA(scene.cleaner, WM_CLEANERCMD, cmdReportStatus, 0);
    EXPECT_TRUE(listener.WaitFor(listener.Has(ntTimeSince), 1000));
    const std::string fresh = scene.lines[lineTemp] + "\\fresh.tmp";
    WriteText(fresh, "x");
    EXPECT_TRUE(listener.WaitFor(listener.Received({ntRamProgress, 100}), kCleaningPatienceMs, [&] {
        PostMessageA(scene.cleaner, WM_CLEANERCMD, cmdFreeRam, 1);
    })) << "no manual cleaning gets done";
    PostMessageA(scene.cleaner, WM_CLEANERCMD, cmdClearHdd, hcTemp);
    EXPECT_TRUE(WaitUntil([&] { return !FileExists(fresh); }, kCleaningPatienceMs)) << "no disk cleaning gets done";
    // No shell was opened from the tray while the real one ran.
    EXPECT_EQ(ProcessesNamed("KlarvoShell.exe"), 0u);
    if (HWND stray = FindWindowA(kShellWindowClass, nullptr)) {
        PostMessageA(stray, WM_CLOSE, 0, 0);
    }
}

} // namespace klarvo::test
