#include "resident/window/Resident.h"

#include <mmsystem.h>
#include <shellapi.h>

#include <algorithm>
#include <exception>

#include "link/Messages.h"
#include "resident/disk/DiskIdentity.h"
#include "resident/window/ResidentParts.h"
#include "settings/ConfFile.h"
#include "settings/ExeDir.h"
#include "settings/SettingsError.h"
#include "settings/SlotTable.h"
#include "win/Files.h"
#include "win/Handles.h"
#include "win/Memory.h"

namespace klarvo::resident {
namespace {

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

} // namespace

Resident::Resident(HINSTANCE instance, KernelHandle mutex)
    : instance_(instance), mutex_(std::move(mutex)), ram_(kRamDone), disk_(kDiskDone)
{
}

Resident::~Resident()
{
    StopWork();
}

bool Resident::Start()
{
    startedAt_ = GetTickCount();
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Procedure<>;
    windowClass.hInstance = instance_;
    windowClass.lpszClassName = kCleanerWindowClass;
    if (!RegisterClassA(&windowClass)) {
        return false;
    }
    // Top-level so that FindWindowA finds it, never shown.
    // The window is ours from WM_NCCREATE on (OnAttach).
    if (!CreateWindowExA(WS_EX_TOOLWINDOW, kCleanerWindowClass, "Klarvo", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                         instance_, static_cast<MessageWindow*>(this))) {
        return false;
    }
    programDir_ = ExeDir();
    log_ = Log(programDir_ + kLogName);
    // Trial files a cleaner ended half way through a judgement left.
    SweepMarkers(programDir_ + kMarkerJournalName);
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
    tray_ = std::make_unique<TrayIcon>(window_, kTrayCallback);
    ReloadSettings();

    if (settings_.clearAtStart) {
        for (const HddCategory category : TickedCategories(settings_)) {
            RequestDisk(category, false);
        }
    }
    // When the shell started us, it is already there: opening it again
    // would only make it jump to its first page.
    if (settings_.openShellAtStart && !FindWindowA(kShellWindowClass, nullptr)) {
        OpenShell();
    }
    return true;
}

int Resident::Run()
{
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        // The system would call a WM_TIMER's lParam as a function; none of
        // ours has one, so such a message came from another program.
        if (message.message == WM_TIMER && message.lParam != 0) {
            continue;
        }
        // The system sends a window its first and last messages itself; from
        // the queue they came from another program, and would part the
        // window from its object (or, with a made-up lParam, end the cleaner).
        if (message.message == WM_NCCREATE || message.message == WM_NCDESTROY) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

const Resident::HandlerRow Resident::kHandlers[] = {
    {WM_CLEANERCMD, &Resident::OnCleanerCommand},
    {WM_CLOSE, &Resident::OnClose},
    {kRamProgress, &Resident::OnRamProgress},
    {kRamDone, &Resident::OnRamDone},
    {kDiskDone, &Resident::OnDiskDone},
    {WM_TIMER, &Resident::OnTimer},
    {WM_HOTKEY, &Resident::OnHotKey},
    {kTrayCallback, &Resident::OnTrayCallback},
    {WM_COMMAND, &Resident::OnMenuCommand},
    {WM_ENDSESSION, &Resident::OnEndSession},
    {WM_DESTROY, &Resident::OnDestroy},
};

LRESULT Resident::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    for (const HandlerRow& row : kHandlers) {
        if (row.message == message) {
            (this->*row.handler)(wParam, lParam);
            return 0;
        }
    }
    // Explorer's announcement of a new taskbar has a number of its own.
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        OnTaskbarCreated();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

std::string HandlerFailureLine()
{
    const std::string lead = "a message handler failed, the cleaner carries on: ";
    try {
        throw;
    } catch (const std::exception& e) {
        return lead + e.what();
    } catch (...) {
        return lead + "unknown failure";
    }
}

void Resident::OnFailure()
{
    log_.Write(HandlerFailureLine());
}

void Resident::OnCleanerCommand(WPARAM wParam, LPARAM lParam)
{
    if (const std::optional<Command> command =
            DecodeCommand(wParam, static_cast<std::int64_t>(static_cast<LONG_PTR>(lParam)))) {
        Carry(*command);
    }
    foundByShell_ = true;
    if (endWanted_) {
        End();
    }
}

void Resident::OnClose(WPARAM, LPARAM)
{
    End();
}

void Resident::OnTimer(WPARAM timer, LPARAM)
{
    if (timer == kAutoTimer) {
        CheckAutoClean();
    } else if (timer == kTrayTimer) {
        RefreshTray();
    } else if (timer == kEndTimer && endWanted_ && GetTickCount() - startedAt_ >= kShellFindsUsMs) {
        End();
    }
}

void Resident::OnHotKey(WPARAM hotKey, LPARAM)
{
    if (hotKey == hotFast) {
        RequestRam({RamKind::Fast, 0, false});
    } else if (hotKey == hotAutoOn || hotKey == hotAutoOff) {
        SetAutoClean(hotKey == hotAutoOn);
    }
}

void Resident::OnEndSession(WPARAM ending, LPARAM)
{
    // Whether Windows or another program sent it, the cleaner ends whole;
    // the shell's next tick starts it again if it was forged. Windows ends
    // the program once this returns, so the end never waits for a starting
    // shell (which is ending too): WM_DESTROY stops the work and logs what
    // it left undone before the answer.
    if (ending && window_) {
        DestroyWindow(window_);
    }
}

void Resident::OnDestroy(WPARAM, LPARAM)
{
    StopWork();
    // Before the window goes: a cleaner started from now on takes over.
    if (mutex_) {
        ReleaseMutex(mutex_.Get());
        mutex_.Reset();
    }
    PostQuitMessage(0);
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
    case trayFreeUp:
        RequestRam({RamKind::FreeUp, PopupMegabytes(settings_, command.argument, TotalRamMB()), true});
        break;
    case trayOpenShell:
        OpenShell();
        break;
    case trayPreviewDisk:
        RequestPreview();
        break;
    case trayExit:
        End();
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
    if (shell) {
        PostMessageA(shell, WM_SHELLNOTIFY, static_cast<WPARAM>(code), static_cast<LPARAM>(value));
    }
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

void Resident::RegisterHotKeys()
{
    UnregisterHotKeys();
    const struct {
        int id;
        char letter;
    } keys[] = {{hotFast, settings_.hotFast}, {hotAutoOn, settings_.hotAutoOn}, {hotAutoOff, settings_.hotAutoOff}};
    for (const auto& key : keys) {
        if (key.letter && !RegisterHotKey(window_, key.id, MOD_ALT, static_cast<UINT>(key.letter))) {
            log_.Write(std::string("hot key Alt+") + key.letter + " not registered: another program holds it");
        }
    }
}

void Resident::UnregisterHotKeys()
{
    for (int id : {hotFast, hotAutoOn, hotAutoOff}) {
        UnregisterHotKey(window_, id);
    }
}

void Resident::End()
{
    if (!window_) {
        return;
    }
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
    ram_.Abandon();
    ramRunning_.reset();
    LogUnfinishedDiskWork();
    if (window_) {
        UnregisterHotKeys();
        KillTimer(window_, kAutoTimer);
        KillTimer(window_, kTrayTimer);
        autoTimerMs_ = trayTimerMs_ = 0;
    }
    if (tray_) {
        tray_->Remove();
    }
    // The last chance of lines a viewer kept out of the log.
    log_.WriteHeld();
}

int RunResident(HINSTANCE instance)
{
    KernelHandle mutex(CreateMutexA(nullptr, TRUE, kResidentMutexName));
    if (!mutex) {
        return 0;
    }
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        // Held, but with no window: a cleaner that is ending (or one still
        // starting). Wait for it to let go rather than leave the shell with
        // no cleaner at all.
        bool owned = false;
        for (DWORD waited = 0; waited < kTakeOverMs && !owned; waited += kTakeOverSliceMs) {
            if (FindWindowA(kCleanerWindowClass, nullptr)) {
                return 0;
            }
            const DWORD result = WaitForSingleObject(mutex.Get(), kTakeOverSliceMs);
            owned = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
        }
        if (!owned) {
            return 0;
        }
    }
    Resident resident(instance, std::move(mutex));
    if (!resident.Start()) {
        return 1;
    }
    return resident.Run();
}

} // namespace klarvo::resident
