#pragma once

// The resident cleaner's window: the single instance the shell finds, its
// tray icon, hot keys and the two workers that do the cleaning.

#include <windows.h>

#include <atomic>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "resident/window/Commands.h"
#include "resident/disk/DiskBatch.h"
#include "resident/window/Effects.h"
#include "resident/work/Log.h"
#include "resident/work/ResidentSettings.h"
#include "resident/window/Tray.h"
#include "resident/work/Worker.h"
#include "win/Handles.h"
#include "win/MessageWindow.h"

namespace klarvo::resident {

// Name of the mutex that keeps the resident cleaner a single instance.
inline constexpr char kResidentMutexName[] = "Klarvo resident cleaner";
// The shell's program, opened from the tray and at start.
inline constexpr char kShellProgram[] = "KlarvoShell.exe";

// The resident cleaner: one hidden top-level window of the class the shell
// looks for, a tray icon, hot keys and two worker threads, one for RAM
// cleanings and one for disk cleanings, so that the window procedure never
// waits for either. All state lives on the window's thread; the workers
// report back by posting to the window.
class Resident : private MessageWindow {
public:
    // `mutex` is the single-instance mutex this thread owns; it is released
    // as the window goes, so that a cleaner started in that moment can take
    // over at once.
    Resident(HINSTANCE instance, KernelHandle mutex);
    ~Resident();
    Resident(const Resident&) = delete;
    Resident& operator=(const Resident&) = delete;

    // Creates the window and starts the day's work; false when the window
    // could not be made.
    bool Start();
    // The message loop; returns when the cleaner is told to exit.
    int Run();

private:
    enum class RamKind { Fast, FreeUp, Auto };
    struct RamJob {
        RamKind kind;
        std::int32_t megabytes; // FreeUp and Auto
        bool reportProgress;
    };

    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    // A failing handler leaves the cleaner as it was: it keeps running, and
    // the log says what failed.
    void OnFailure() override;
    void OnAttach(HWND window) override { window_ = window; }
    void OnDetach(HWND) override { window_ = nullptr; }

    // Handlers of the window's messages, each answering 0.
    using Handler = void (Resident::*)(WPARAM, LPARAM);
    struct HandlerRow {
        UINT message;
        Handler handler;
    };
    static const HandlerRow kHandlers[];
    void OnCleanerCommand(WPARAM wParam, LPARAM lParam);
    void OnClose(WPARAM, LPARAM);
    void OnRamProgress(WPARAM jobId, LPARAM percent);
    void OnRamDone(WPARAM jobId, LPARAM);
    void OnDiskDone(WPARAM jobId, LPARAM);
    void OnTimer(WPARAM timer, LPARAM);
    void OnHotKey(WPARAM hotKey, LPARAM);
    void OnTrayCallback(WPARAM, LPARAM mouse);
    void OnMenuCommand(WPARAM wParam, LPARAM);
    void OnEndSession(WPARAM ending, LPARAM);
    void OnDestroy(WPARAM, LPARAM);
    void OnTaskbarCreated();

    void Carry(const Command& command);
    void ReloadSettings();
    void ApplySettings();
    void ReportStatus();
    void NotifyShell(int code, std::int32_t value);
    void NotifyShell(HWND shell, int code, std::int32_t value);
    void SetAutoClean(bool on);

    void RequestRam(const RamJob& job);
    // Runs on the RAM worker; returns the kilobytes freed.
    static std::int64_t RunRamJob(const RamJob& job, HWND window, WPARAM jobId, const std::atomic<bool>* stop,
                                  int maxTries, bool fastOnly);
    void RequestDisk(HddCategory category, bool pressed);
    void StartDiskBatch();
    // The preview of the ticked categories, on the disk worker after any
    // Clear before it; its report is opened once written.
    void RequestPreview();
    void StartPreview();
    void ExplainRefusals(const std::vector<std::string>& refusals);
    // An ending cleaner still logs what its disk work did and did not do.
    void LogUnfinishedDiskWork();

    void CheckAutoClean();
    void RefreshTray();
    // Logs a refused tray icon once until the taskbar takes it again.
    void NoteTrayState();
    void ShowTrayMenu();
    void OpenShell();
    void RegisterHotKeys();
    void UnregisterHotKeys();
    void StopWork();
    void End();

    HINSTANCE instance_;
    HWND window_ = nullptr;
    UINT taskbarCreated_ = 0;
    ResidentSettings settings_;
    Effects effects_;
    Uptime uptime_;
    std::unique_ptr<TrayIcon> tray_;

    KernelHandle mutex_;
    std::atomic<bool> stop_{false};
    // Two runners, so that a disk clear never holds up a RAM cleaning's
    // progress.
    JobRunner ram_;
    std::optional<RamJob> ramRunning_;
    int ramPercent_ = -1;
    JobRunner disk_;
    std::deque<DiskJob> diskPending_;
    bool previewWanted_ = false;
    bool previewRunning_ = false;
    UINT autoTimerMs_ = 0;
    UINT trayTimerMs_ = 0;
    bool menuOpen_ = false;
    // An end asked for before the starting shell found the window waits
    // for the shell's first command (see End).
    DWORD startedAt_ = 0;
    bool foundByShell_ = false;
    bool endWanted_ = false;
    KernelHandle shellStarted_;
    std::string programDir_;
    Log log_{""};
    bool trayRefusalLogged_ = false;
    bool explaining_ = false; // a refusal's message box is open
};

// Inside the catch of a failed handler: the log's line for the failure.
std::string HandlerFailureLine();

// The whole program: single instance, then the resident cleaner's life.
int RunResident(HINSTANCE instance);

} // namespace klarvo::resident
