#pragma once

#include <windows.h>

#include <atomic>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "resident/Commands.h"
#include "resident/DiskBatch.h"
#include "resident/Effects.h"
#include "resident/Log.h"
#include "resident/ResidentSettings.h"
#include "resident/Tray.h"
#include "resident/Worker.h"
#include "win/Handles.h"

namespace klarvo::resident {

// Name of the mutex that keeps the resident cleaner a single instance.
inline constexpr char kResidentMutexName[] = "Klarvo resident cleaner";
// The shell's program, opened from the tray and at start.
inline constexpr char kShellProgram[] = "KlarvoShell.exe";

// Commands of the tray menu, as WM_COMMAND identifiers.
enum MenuId : unsigned {
    menuFreeUp1 = 101, // the three "Free up" amounts of slots 7 to 9
    menuFreeUp2 = 102,
    menuFreeUp3 = 103,
    menuFast = 104,
    menuOpenShell = 105,
    menuExit = 106,
};

// The resident cleaner: one hidden top-level window of the class the shell
// looks for, a tray icon, hot keys and two worker threads, one for RAM
// cleanings and one for disk cleanings, so that the window procedure never
// waits for either. All state lives on the window's thread; the workers
// report back by posting to the window.
class Resident {
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

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    void Carry(const Command& command);
    void ReloadSettings();
    void ApplySettings();
    void ReportStatus();
    void NotifyShell(int code, std::int32_t value);
    void NotifyShell(HWND shell, int code, std::int32_t value);
    void SetAutoClean(bool on);

    void RequestRam(const RamJob& job);
    void StartRam(const RamJob& job);
    // Runs on the RAM worker; returns the kilobytes freed.
    static std::int64_t RunRamJob(const RamJob& job, HWND window, WPARAM jobId, const std::atomic<bool>* stop,
                                  int maxTries, bool fastOnly);
    void RamProgress(WPARAM jobId, LPARAM percent);
    void RamFinished(WPARAM jobId);
    void RequestDisk(HddCategory category, bool pressed);
    void StartDiskBatch();
    void DiskFinished(WPARAM jobId);
    void ExplainRefusals(const std::vector<std::string>& refusals);

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

    // What a worker hands back. The window reads `result` only after it saw
    // `done`, which the worker sets last: a completion message that another
    // program posted finds `done` false and is ignored.
    struct Outcome {
        std::atomic<bool> done{false};
        std::int64_t result = 0;
        std::vector<std::string> logLines; // for Klarvo.log
        std::vector<std::string> refusals; // of pressed Clear buttons
    };
    // An ending cleaner still logs what its disk work did and did not do.
    void LogUnfinishedDiskWork();

    KernelHandle mutex_;
    std::atomic<bool> stop_{false};
    // Ids of the jobs started, so that the workers' messages name theirs.
    WPARAM lastJobId_ = 0;
    Worker ramWorker_;
    std::optional<RamJob> ramRunning_;
    WPARAM ramJobId_ = 0;
    int ramPercent_ = -1;
    std::shared_ptr<Outcome> ramOutcome_;
    Worker diskWorker_;
    WPARAM diskJobId_ = 0;
    std::shared_ptr<Outcome> diskOutcome_;
    std::deque<DiskJob> diskPending_;
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

// The whole program: single instance, then the resident cleaner's life.
int RunResident(HINSTANCE instance);

} // namespace klarvo::resident
