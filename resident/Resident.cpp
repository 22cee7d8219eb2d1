#include "resident/Resident.h"

#include <mmsystem.h>
#include <shellapi.h>

#include <algorithm>
#include <limits>

#include "link/Messages.h"
#include "resident/DiskCleaner.h"
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

// Posted by the workers to the window.
constexpr UINT kRamProgress = WM_APP + 1; // wParam percent
constexpr UINT kRamDone = WM_APP + 2;     // lParam kilobytes freed
constexpr UINT kDiskDone = WM_APP + 3;
constexpr UINT kTrayCallback = WM_APP + 4;

constexpr UINT_PTR kAutoTimer = 1;
constexpr UINT_PTR kTrayTimer = 2;
constexpr UINT kTrayMilliseconds = 2000;

enum HotKeyId : int { hotFast = 1, hotAutoOn = 2, hotAutoOff = 3 };

// The shell's TotalRamMB: the megabyte figure every amount is based on.
std::int32_t TotalRamMB()
{
    return TotalRamMBFromBytes(ReadMemoryBytes().totalPhysical);
}

LPARAM ClampToLparam(std::int64_t value)
{
    return static_cast<LPARAM>(std::clamp<std::int64_t>(value, 0, std::numeric_limits<std::int32_t>::max()));
}

} // namespace

Resident::Resident(HINSTANCE instance) : instance_(instance) {}

Resident::~Resident()
{
    StopWork();
}

bool Resident::Start()
{
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
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
    tray_ = std::make_unique<TrayIcon>(window_, kTrayCallback);
    ReloadSettings();
    SetTimer(window_, kTrayTimer, kTrayMilliseconds, nullptr);

    if (settings_.clearAtStart)
        for (HddCategory category : {hcTemp, hcInternet, hcCookies, hcDir, hcHistory})
            if (IsSelectedAtStart(settings_, category))
                RequestDisk(category);
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
        return 0;
    case kRamProgress:
        NotifyShell(ntRamProgress, static_cast<std::int32_t>(wParam));
        return 0;
    case kRamDone:
        RamFinished(static_cast<std::int64_t>(lParam));
        return 0;
    case kDiskDone:
        diskWorker_.Join(INFINITE);
        StartDiskBatch();
        return 0;
    case WM_TIMER:
        if (wParam == kAutoTimer)
            CheckAutoClean();
        else if (wParam == kTrayTimer)
            RefreshTray();
        return 0;
    case WM_HOTKEY:
        if (wParam == hotFast)
            RequestRam({RamKind::Fast, 0, false});
        else if (wParam == hotAutoOn || wParam == hotAutoOff)
            SetAutoClean(wParam == hotAutoOn);
        return 0;
    case kTrayCallback:
        if (lParam == WM_RBUTTONUP)
            ShowTrayMenu();
        else if (lParam == WM_LBUTTONDBLCLK)
            OpenShell();
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
            DestroyWindow(window_);
            break;
        }
        return 0;
    case WM_ENDSESSION:
        if (wParam)
            StopWork();
        return 0;
    case WM_DESTROY:
        StopWork();
        PostQuitMessage(0);
        return 0;
    default:
        if (message == taskbarCreated_ && taskbarCreated_ != 0) {
            tray_->Recreate();
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
        RequestDisk(static_cast<HddCategory>(command.argument));
        break;
    }
}

void Resident::ReloadSettings()
{
    try {
        settings_ = LoadSettings(programDir_);
    } catch (const SettingsError&) {
        // A file caught half-written or locked: the last good settings stay
        // until the next reload.
    }
    ApplySettings();
}

void Resident::ApplySettings()
{
    RegisterHotKeys();
    SetTimer(window_, kAutoTimer, static_cast<UINT>(settings_.everyMinutes) * 60 * 1000, nullptr);
    RefreshTray();
}

void Resident::NotifyShell(int code, std::int32_t value)
{
    if (HWND shell = FindWindowA(kShellWindowClass, nullptr))
        PostMessageA(shell, WM_SHELLNOTIFY, static_cast<WPARAM>(code), static_cast<LPARAM>(value));
}

void Resident::ReportStatus()
{
    const Effects::Figures figures = effects_.At(uptime_.Now());
    NotifyShell(ntLastEffect, figures.lastKB);
    NotifyShell(ntTotalEffect, figures.totalKB);
    NotifyShell(ntTimeSince, figures.secondsSince);
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
    if (ramRunning_) {
        // One waits; a newer request replaces it.
        ramPending_ = job;
        return;
    }
    StartRam(job);
}

void Resident::StartRam(const RamJob& job)
{
    const HWND window = window_;
    const std::atomic<bool>* stop = &stop_;
    const int maxTries = settings_.maxTries;
    const bool fastOnly = settings_.fastOnly;
    const bool started = ramWorker_.Start([job, window, stop, maxTries, fastOnly] {
        std::int64_t freedKB = 0;
        // The window waits for this message before it takes the next job,
        // so it is posted whatever happens.
        try {
            freedKB = RunRamJob(job, window, stop, maxTries, fastOnly);
        } catch (...) {
        }
        PostMessageA(window, kRamDone, 0, ClampToLparam(freedKB));
    });
    if (started)
        ramRunning_ = job;
}

std::int64_t Resident::RunRamJob(const RamJob& job, HWND window, const std::atomic<bool>* stop, int maxTries,
                                 bool fastOnly)
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
                                  PostMessageA(window, kRamProgress, static_cast<WPARAM>(percent), 0);
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

void Resident::RamFinished(std::int64_t freedKB)
{
    ramWorker_.Join(INFINITE);
    ramRunning_.reset();
    effects_.Record(freedKB, uptime_.Now());
    if (settings_.playSound && !settings_.soundFile.empty())
        PlaySoundA(settings_.soundFile.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
    ReportStatus();
    RefreshTray();
    if (ramPending_ && !stop_.load()) {
        const RamJob next = *ramPending_;
        ramPending_.reset();
        StartRam(next);
    }
}

void Resident::RequestDisk(HddCategory category)
{
    // The path as saved now: a "Clear" pressed before Apply cleans the
    // directory the files name, not the one on the shell's screen.
    ResidentSettings saved = settings_;
    try {
        saved = LoadSettings(programDir_);
    } catch (const SettingsError&) {
        // Unreadable just now: the settings of the last reload hold.
    }
    diskPending_.push_back({category, saved.categoryPath[category], WithSubdirectories(saved, category)});
    if (!diskWorker_.Busy())
        StartDiskBatch();
}

void Resident::StartDiskBatch()
{
    if (diskPending_.empty() || stop_.load() || diskWorker_.Busy())
        return;
    std::deque<DiskJob> batch;
    batch.swap(diskPending_);
    const HWND window = window_;
    const std::atomic<bool>* stop = &stop_;
    const std::string programDir = programDir_;
    diskWorker_.Start([batch = std::move(batch), window, stop, programDir] {
        try {
            const DiskCleaner cleaner(SystemProtectedPlaces(programDir));
            for (const DiskJob& job : batch) {
                if (stop->load())
                    break;
                cleaner.Clear(job.path, job.withSubdirectories, stop);
            }
        } catch (...) {
            // Out of memory in a huge directory: what was done stays done.
        }
        PostMessageA(window, kDiskDone, 0, 0);
    });
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
}

void Resident::ShowTrayMenu()
{
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
    const std::string shell = programDir_ + kShellProgram;
    if (!FileExists(shell))
        return;
    ShellExecuteA(nullptr, "open", shell.c_str(), "", programDir_.c_str(), SW_SHOWNORMAL);
}

void Resident::RegisterHotKeys()
{
    UnregisterHotKeys();
    const struct {
        int id;
        char letter;
    } keys[] = {{hotFast, settings_.hotFast}, {hotAutoOn, settings_.hotAutoOn}, {hotAutoOff, settings_.hotAutoOff}};
    for (const auto& key : keys)
        if (key.letter)
            RegisterHotKey(window_, key.id, MOD_ALT, static_cast<UINT>(key.letter)); // taken elsewhere: no key
}

void Resident::UnregisterHotKeys()
{
    for (int id : {hotFast, hotAutoOn, hotAutoOff})
        UnregisterHotKey(window_, id);
}

void Resident::StopWork()
{
    stop_.store(true);
    // Both jobs look at the flag between steps; a disk step is one file.
    ramWorker_.Join(INFINITE);
    diskWorker_.Join(INFINITE);
    if (window_) {
        UnregisterHotKeys();
        KillTimer(window_, kAutoTimer);
        KillTimer(window_, kTrayTimer);
    }
    if (tray_)
        tray_->Remove();
}

int RunResident(HINSTANCE instance)
{
    // Deliberately never closed: the system drops it when the process ends.
    CreateMutexA(nullptr, TRUE, kResidentMutexName);
    if (GetLastError() == ERROR_ALREADY_EXISTS)
        return 0;
    Resident resident(instance);
    if (!resident.Start())
        return 1;
    return resident.Run();
}

} // namespace klarvo::resident
