#include "resident/Resident.h"

#include <mmsystem.h>
#include <shellapi.h>

#include <algorithm>

#include "link/Messages.h"
#include "resident/RamCleaner.h"
#include "settings/ConfFile.h"
#include "settings/ExeDir.h"
#include "settings/SettingsError.h"
#include "settings/SlotTable.h"
#include "win/Files.h"
#include "win/Handles.h"
#include "win/Memory.h"

namespace klarvo::resident {
namespace {

// Posted by the workers to the window, wParam the id of the job. Any
// program can post these too, so each is taken only for the job running.
constexpr UINT kRamProgress = WM_APP + 1; // lParam percent
constexpr UINT kRamDone = WM_APP + 2;
constexpr UINT kDiskDone = WM_APP + 3;
constexpr UINT kTrayCallback = WM_APP + 4;

constexpr UINT_PTR kAutoTimer = 1;
constexpr UINT_PTR kTrayTimer = 2;
constexpr UINT_PTR kEndTimer = 3;
// The shell that starts a cleaner looks for its window only every 100 ms
// for 5 s, and gives up for good when it never sees it. A cleaner told to
// end before the shell found it therefore stays until the shell's first
// command shows that it did, or at most this long after its start: the
// shell's looks began before the start, and it posts a command on the look
// that finds the window, so a shell that sent nothing by then was not
// looking.
constexpr DWORD kShellFindsUsMs = 6000;
// The tray's figure follows free RAM this often. The mark shows nothing
// that moves, and its tip is brought up to date when the pointer comes
// over it, so then the timer only keeps the uptime clock past
// GetTickCount's wrap: an idle cleaner wakes once an hour.
constexpr UINT kTrayFigureMilliseconds = 2000;
constexpr UINT kTrayMarkMilliseconds = 60 * 60 * 1000;

enum HotKeyId : int { hotFast = 1, hotAutoOn = 2, hotAutoOff = 3 };

// How long a starting cleaner waits for one that is ending to let go of the
// mutex, looking for a live cleaner's window every slice.
constexpr DWORD kTakeOverMs = 5000;
constexpr DWORD kTakeOverSliceMs = 100;

constexpr char kRefusalCaption[] = "Klarvo";

// The shell's TotalRamMB: the megabyte figure every amount is based on.
std::int32_t TotalRamMB()
{
    return TotalRamMBFromBytes(ReadMemoryBytes().totalPhysical);
}

} // namespace

Resident::Resident(HINSTANCE instance, KernelHandle mutex) : instance_(instance), mutex_(std::move(mutex)) {}

Resident::~Resident()
{
    StopWork();
}

bool Resident::Start()
{
    startedAt_ = GetTickCount();
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance_;
    windowClass.lpszClassName = kCleanerWindowClass;
    if (!RegisterClassA(&windowClass))
        return false;
    // Top-level so that FindWindowA finds it, never shown.
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW, kCleanerWindowClass, "Klarvo", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              instance_, this);
    if (!window_)
        return false;
    programDir_ = ExeDir();
    log_ = Log(programDir_ + kLogName);
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
    tray_ = std::make_unique<TrayIcon>(window_, kTrayCallback);
    ReloadSettings();

    if (settings_.clearAtStart)
        for (HddCategory category : {hcTemp, hcInternet, hcCookies, hcDir, hcHistory})
            if (IsSelectedAtStart(settings_, category))
                RequestDisk(category, false);
    // When the shell started us, it is already there: opening it again
    // would only make it jump to its first page.
    if (settings_.openShellAtStart && !FindWindowA(kShellWindowClass, nullptr))
        OpenShell();
    return true;
}

int Resident::Run()
{
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        // The system would call a WM_TIMER's lParam as a function; none of
        // ours has one, so such a message came from another program.
        if (message.message == WM_TIMER && message.lParam != 0)
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

LRESULT CALLBACK Resident::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Resident*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self || !self->window_)
        return DefWindowProcA(window, message, wParam, lParam);
    // Nothing thrown may cross into the system's code.
    try {
        return self->Handle(message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

LRESULT Resident::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLEANERCMD:
        if (const std::optional<Command> command =
                DecodeCommand(wParam, static_cast<std::int64_t>(static_cast<LONG_PTR>(lParam))))
            Carry(*command);
        foundByShell_ = true;
        if (endWanted_)
            End();
        return 0;
    case WM_CLOSE:
        End();
        return 0;
    case kRamProgress:
        RamProgress(wParam, lParam);
        return 0;
    case kRamDone:
        RamFinished(wParam);
        return 0;
    case kDiskDone:
        DiskFinished(wParam);
        return 0;
    case WM_TIMER:
        if (wParam == kAutoTimer)
            CheckAutoClean();
        else if (wParam == kTrayTimer)
            RefreshTray();
        else if (wParam == kEndTimer && endWanted_ && GetTickCount() - startedAt_ >= kShellFindsUsMs)
            End();
        return 0;
    case WM_HOTKEY:
        if (wParam == hotFast)
            RequestRam({RamKind::Fast, 0, false});
        else if (wParam == hotAutoOn || wParam == hotAutoOff)
            SetAutoClean(wParam == hotAutoOn);
        return 0;
    case kTrayCallback:
        // The menu's own loop handles messages: a click posted meanwhile
        // must not open a second menu inside the first.
        if (lParam == WM_RBUTTONUP && !menuOpen_)
            ShowTrayMenu();
        else if (lParam == WM_LBUTTONDBLCLK)
            OpenShell();
        else if (lParam == WM_MOUSEMOVE)
            RefreshTray(); // before its tip shows
        return 0;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case menuFreeUp1:
        case menuFreeUp2:
        case menuFreeUp3: {
            const int index = LOWORD(wParam) - menuFreeUp1;
            RequestRam({RamKind::FreeUp, PopupMegabytes(settings_, index, TotalRamMB()), true});
            break;
        }
        case menuFast:
            RequestRam({RamKind::Fast, 0, false});
            break;
        case menuOpenShell:
            OpenShell();
            break;
        case menuExit:
            End();
            break;
        }
        return 0;
    case WM_ENDSESSION:
        // Whether Windows or another program sent it, the cleaner ends
        // whole; the shell's next tick starts it again if it was forged.
        if (wParam)
            End();
        return 0;
    case WM_DESTROY:
        StopWork();
        // Before the window goes: a cleaner started from now on takes over.
        if (mutex_) {
            ReleaseMutex(mutex_.Get());
            mutex_.Reset();
        }
        PostQuitMessage(0);
        return 0;
    default:
        if (message == taskbarCreated_ && taskbarCreated_ != 0) {
            tray_->Recreate();
            NoteTrayState();
            return 0;
        }
        return DefWindowProcA(window_, message, wParam, lParam);
    }
}

void Resident::Carry(const Command& command)
{
    switch (command.code) {
    case cmdReloadSettings:
        ReloadSettings();
        break;
    case cmdFastClean:
        RequestRam({RamKind::Fast, 0, false});
        break;
    case cmdReportStatus:
        ReportStatus();
        break;
    case cmdFreeRam:
        RequestRam({RamKind::FreeUp, command.argument, true});
        break;
    case cmdClearHdd:
        RequestDisk(static_cast<HddCategory>(command.argument), true);
        break;
    }
}

void Resident::ReloadSettings()
{
    try {
        settings_ = LoadSettings(programDir_);
    } catch (const SettingsError& error) {
        // A file caught half-written or locked: the last good settings stay
        // until the next reload.
        log_.Write(std::string("settings not readable, the last ones stay: ") + error.what());
    }
    ApplySettings();
}

void Resident::ApplySettings()
{
    RegisterHotKeys();
    // Restarting the timer on every reload would let a steady stream of
    // reloads hold off automatic cleaning for good.
    const UINT interval = static_cast<UINT>(settings_.everyMinutes) * 60 * 1000;
    if (interval != autoTimerMs_) {
        autoTimerMs_ = interval;
        SetTimer(window_, kAutoTimer, interval, nullptr);
    }
    const UINT trayInterval = settings_.trayShowsFree ? kTrayFigureMilliseconds : kTrayMarkMilliseconds;
    if (trayInterval != trayTimerMs_) {
        trayTimerMs_ = trayInterval;
        SetTimer(window_, kTrayTimer, trayInterval, nullptr);
    }
    RefreshTray();
}

void Resident::NotifyShell(int code, std::int32_t value)
{
    NotifyShell(FindWindowA(kShellWindowClass, nullptr), code, value);
}

void Resident::NotifyShell(HWND shell, int code, std::int32_t value)
{
    if (shell)
        PostMessageA(shell, WM_SHELLNOTIFY, static_cast<WPARAM>(code), static_cast<LPARAM>(value));
}

void Resident::ReportStatus()
{
    // Asked twice a second: one look for the shell serves all three
    // figures, which then arrive together.
    const HWND shell = FindWindowA(kShellWindowClass, nullptr);
    const Effects::Figures figures = effects_.At(uptime_.Now());
    NotifyShell(shell, ntLastEffect, figures.lastKB);
    NotifyShell(shell, ntTotalEffect, figures.totalKB);
    NotifyShell(shell, ntTimeSince, figures.secondsSince);
}

void Resident::SetAutoClean(bool on)
{
    try {
        WriteConf(programDir_ + "Conf.dat", slotAuto, on ? 1 : 0);
    } catch (const SettingsError&) {
        return; // not stored, so nothing to announce
    }
    settings_.autoClean = on;
    NotifyShell(ntAutoChanged, 0);
}

void Resident::RequestRam(const RamJob& job)
{
    // One cleaning at a time: a request while one runs is dropped, so that a
    // manual cleaning's progress runs once from 0 to 100.
    if (ramRunning_ || stop_.load())
        return;
    StartRam(job);
}

void Resident::StartRam(const RamJob& job)
{
    const HWND window = window_;
    const std::atomic<bool>* stop = &stop_;
    const int maxTries = settings_.maxTries;
    const bool fastOnly = settings_.fastOnly;
    const WPARAM id = ++lastJobId_;
    auto outcome = std::make_shared<Outcome>();
    const bool started = ramWorker_.Start([job, window, id, outcome, stop, maxTries, fastOnly] {
        std::int64_t freedKB = 0;
        // The window waits for this message before it takes the next job,
        // so it is posted whatever happens.
        try {
            freedKB = RunRamJob(job, window, id, stop, maxTries, fastOnly);
        } catch (...) {
        }
        outcome->result = freedKB;
        outcome->done.store(true);
        PostMessageA(window, kRamDone, id, 0);
    });
    if (started) {
        ramRunning_ = job;
        ramJobId_ = id;
        ramPercent_ = -1;
        ramOutcome_ = std::move(outcome);
    }
}

std::int64_t Resident::RunRamJob(const RamJob& job, HWND window, WPARAM jobId, const std::atomic<bool>* stop,
                                 int maxTries, bool fastOnly)
{
    Win32MemorySystem memory;
    RamCleaner cleaner(memory);
    std::int64_t freedKB = 0;
    switch (job.kind) {
    case RamKind::Fast:
        freedKB = cleaner.Fast(stop).freedKB;
        break;
    case RamKind::FreeUp:
        freedKB = cleaner
                      .FreeUp(
                          job.megabytes, maxTries,
                          [&](int percent) {
                              if (job.reportProgress)
                                  PostMessageA(window, kRamProgress, jobId, static_cast<LPARAM>(percent));
                          },
                          stop)
                      .freedKB;
        break;
    case RamKind::Auto:
        freedKB = cleaner.Fast(stop).freedKB;
        if (!fastOnly && !(stop && stop->load()))
            freedKB += cleaner.FreeUp(job.megabytes, maxTries, {}, stop).freedKB;
        break;
    }
    return freedKB;
}

void Resident::RamProgress(WPARAM jobId, LPARAM percent)
{
    // Only the running manual cleaning's own reports, each higher than the
    // last, reach the shell.
    if (!ramRunning_ || jobId != ramJobId_ || !ramRunning_->reportProgress || percent < 0 || percent > 100 ||
        percent <= ramPercent_)
        return;
    ramPercent_ = static_cast<int>(percent);
    NotifyShell(ntRamProgress, ramPercent_);
}

void Resident::RamFinished(WPARAM jobId)
{
    if (!ramRunning_ || jobId != ramJobId_ || !ramOutcome_ || !ramOutcome_->done.load())
        return;
    // The worker posted this as its last act: the wait is for its return.
    ramWorker_.Join(INFINITE);
    const std::int64_t freedKB = ramOutcome_->result;
    ramOutcome_.reset();
    ramRunning_.reset();
    effects_.Record(freedKB, uptime_.Now());
    if (settings_.playSound && !settings_.soundFile.empty())
        PlaySoundA(settings_.soundFile.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
    ReportStatus();
    RefreshTray();
}

void Resident::RequestDisk(HddCategory category, bool pressed)
{
    // Path and flag from one reading, the one of the last reload: the shell
    // asks for that only once both files are written, so an Apply under way
    // never lends the old directory its new subdirectory flag.
    DiskJob job{category, settings_.categoryPath[category], WithSubdirectories(settings_, category), pressed};
    // One waiting request per category.
    const auto waiting = std::find_if(diskPending_.begin(), diskPending_.end(),
                                      [category](const DiskJob& pending) { return pending.category == category; });
    if (waiting != diskPending_.end()) {
        job.pressed = job.pressed || waiting->pressed;
        *waiting = std::move(job);
    } else {
        diskPending_.push_back(std::move(job));
    }
    if (!diskOutcome_)
        StartDiskBatch();
}

void Resident::StartDiskBatch()
{
    if (diskPending_.empty() || stop_.load() || diskOutcome_)
        return;
    std::deque<DiskJob> batch;
    batch.swap(diskPending_);
    const HWND window = window_;
    const std::atomic<bool>* stop = &stop_;
    const std::string programDir = programDir_;
    const WPARAM id = ++lastJobId_;
    auto outcome = std::make_shared<Outcome>();
    const bool started = diskWorker_.Start([batch, window, id, outcome, stop, programDir] {
        DiskReport report;
        RunDiskBatch(batch, programDir, *stop, report);
        outcome->logLines = std::move(report.logLines);
        outcome->refusals = std::move(report.refusals);
        outcome->done.store(true);
        PostMessageA(window, kDiskDone, id, 0);
    });
    if (started) {
        diskJobId_ = id;
        diskOutcome_ = std::move(outcome);
    } else {
        // Kept for the next request to try again.
        diskPending_.insert(diskPending_.begin(), batch.begin(), batch.end());
    }
}

void Resident::DiskFinished(WPARAM jobId)
{
    if (!diskOutcome_ || jobId != diskJobId_ || !diskOutcome_->done.load())
        return;
    diskWorker_.Join(INFINITE);
    const std::shared_ptr<Outcome> outcome = std::move(diskOutcome_);
    diskOutcome_.reset();
    StartDiskBatch();
    for (const std::string& line : outcome->logLines)
        log_.Write(line);
    ExplainRefusals(outcome->refusals);
}

void Resident::LogUnfinishedDiskWork()
{
    // The batch's report never reached the window: the cleaner ended first.
    if (diskOutcome_ && diskOutcome_->done.load())
        for (const std::string& line : diskOutcome_->logLines)
            log_.Write(line);
    diskOutcome_.reset();
    for (const DiskJob& job : diskPending_)
        log_.Write(NotStartedLine(job));
    diskPending_.clear();
}

void Resident::ExplainRefusals(const std::vector<std::string>& refusals)
{
    // One box at a time: presses refused while it is open are in the log.
    if (refusals.empty() || explaining_)
        return;
    explaining_ = true;
    std::string text;
    for (const std::string& refusal : refusals)
        text += refusal + "\n";
    text += "\nNothing there was deleted.";
    // Its own loop keeps the window's messages flowing meanwhile.
    MessageBoxA(nullptr, text.c_str(), kRefusalCaption, MB_OK | MB_ICONWARNING | MB_SETFOREGROUND | MB_TOPMOST);
    explaining_ = false;
}

void Resident::CheckAutoClean()
{
    if (!settings_.autoClean || ramRunning_)
        return;
    const MemoryBytes memory = ReadMemoryBytes();
    if (AutoCleaningDue(settings_, memory.totalPhysical, memory.availablePhysical))
        RequestRam({RamKind::Auto, AutoCleaningMegabytes(settings_, TotalRamMB()), false});
}

void Resident::RefreshTray()
{
    uptime_.Now(); // keeps the clock counting past GetTickCount's wrap
    if (!tray_)
        return;
    const int freeMB = FreeMBFromBytes(ReadMemoryBytes().availablePhysical);
    std::string tip = "Klarvo: free RAM " + std::to_string(freeMB) + " MB";
    if (!settings_.autoClean)
        tip += ", auto cleaning off";
    tray_->Show(settings_.trayShowsFree ? freeMB : -1, tip);
    NoteTrayState();
}

void Resident::NoteTrayState()
{
    if (tray_->Shown()) {
        trayRefusalLogged_ = false;
    } else if (!trayRefusalLogged_) {
        log_.Write("tray icon not added: the taskbar refused it");
        trayRefusalLogged_ = true;
    }
}

void Resident::ShowTrayMenu()
{
    menuOpen_ = true;
    struct Closed {
        bool& open;
        ~Closed() { open = false; }
    } closed{menuOpen_};
    const MenuHandle owned(CreatePopupMenu());
    if (!owned)
        return;
    HMENU menu = owned.Get();
    const UINT busy = ramRunning_ ? MF_GRAYED : 0;
    for (int i = 0; i < 3; ++i) {
        const std::int32_t megabytes = PopupMegabytes(settings_, i, TotalRamMB());
        AppendMenuA(menu, MF_STRING | busy, menuFreeUp1 + i, ("Free up " + std::to_string(megabytes) + " MB").c_str());
    }
    AppendMenuA(menu, MF_STRING | busy, menuFast, "Fast cleaning");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, menuOpenShell, "Open Klarvo Shell");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, menuExit, "Exit");
    SetMenuDefaultItem(menu, menuOpenShell, FALSE);
    POINT at;
    GetCursorPos(&at);
    // Without these two the menu does not close when clicked away from.
    SetForegroundWindow(window_);
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, window_, nullptr);
    PostMessageA(window_, WM_NULL, 0, 0);
}

void Resident::OpenShell()
{
    // One shell at a time. A running one is brought forward on its first
    // page, as a second start of it would do.
    if (HWND shell = FindWindowA(kShellWindowClass, nullptr)) {
        SetForegroundWindow(shell);
        PostMessageA(shell, WM_SHELLNOTIFY, ntShowPage, 0);
        return;
    }
    // One started a moment ago has no window yet.
    if (shellStarted_ && WaitForSingleObject(shellStarted_.Get(), 0) == WAIT_TIMEOUT)
        return;
    shellStarted_.Reset();
    const std::string shell = programDir_ + kShellProgram;
    if (!FileExists(shell))
        return;
    SHELLEXECUTEINFOA run{};
    run.cbSize = sizeof run;
    run.fMask = SEE_MASK_NOCLOSEPROCESS;
    run.lpVerb = "open";
    run.lpFile = shell.c_str();
    run.lpParameters = "";
    run.lpDirectory = programDir_.c_str();
    run.nShow = SW_SHOWNORMAL;
    if (ShellExecuteExA(&run))
        shellStarted_.Reset(run.hProcess);
}

void Resident::RegisterHotKeys()
{
    UnregisterHotKeys();
    const struct {
        int id;
        char letter;
    } keys[] = {{hotFast, settings_.hotFast}, {hotAutoOn, settings_.hotAutoOn}, {hotAutoOff, settings_.hotAutoOff}};
    for (const auto& key : keys)
        if (key.letter && !RegisterHotKey(window_, key.id, MOD_ALT, static_cast<UINT>(key.letter)))
            log_.Write(std::string("hot key Alt+") + key.letter + " not registered: another program holds it");
}

void Resident::UnregisterHotKeys()
{
    for (int id : {hotFast, hotAutoOn, hotAutoOff})
        UnregisterHotKey(window_, id);
}

void Resident::End()
{
    if (!window_)
        return;
    // A window gone between two of the starting shell's looks would leave
    // it waiting for one that never comes; without a shell nobody looks.
    const DWORD age = GetTickCount() - startedAt_;
    if (!foundByShell_ && age < kShellFindsUsMs && FindWindowA(kShellWindowClass, nullptr)) {
        endWanted_ = true;
        SetTimer(window_, kEndTimer, kShellFindsUsMs - age, nullptr);
        return;
    }
    // WM_DESTROY stops the work, removes the icon and hot keys and lets go
    // of the mutex.
    DestroyWindow(window_);
}

void Resident::StopWork()
{
    stop_.store(true);
    // Both jobs look at the flag between steps; a disk step is one file.
    ramWorker_.Join(INFINITE);
    diskWorker_.Join(INFINITE);
    LogUnfinishedDiskWork();
    if (window_) {
        UnregisterHotKeys();
        KillTimer(window_, kAutoTimer);
        KillTimer(window_, kTrayTimer);
        autoTimerMs_ = trayTimerMs_ = 0;
    }
    if (tray_)
        tray_->Remove();
}

int RunResident(HINSTANCE instance)
{
    KernelHandle mutex(CreateMutexA(nullptr, TRUE, kResidentMutexName));
    if (!mutex)
        return 0;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        // Held, but with no window: a cleaner that is ending (or one still
        // starting). Wait for it to let go rather than leave the shell with
        // no cleaner at all.
        bool owned = false;
        for (DWORD waited = 0; waited < kTakeOverMs && !owned; waited += kTakeOverSliceMs) {
            if (FindWindowA(kCleanerWindowClass, nullptr))
                return 0;
            const DWORD result = WaitForSingleObject(mutex.Get(), kTakeOverSliceMs);
            owned = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
        }
        if (!owned)
            return 0;
    }
    Resident resident(instance, std::move(mutex));
    if (!resident.Start())
        return 1;
    return resident.Run();
}

} // namespace klarvo::resident
