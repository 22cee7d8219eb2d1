// The cleaner's background work: RAM cleanings and disk clears, each on its
// own runner, started from the window's thread and finished there when the
// runner's done message arrives.
#include "resident/window/Resident.h"

#include <mmsystem.h>

#include <algorithm>

#include "link/Messages.h"
#include "resident/disk/Preview.h"
#include "resident/ram/RamCleaner.h"
#include "resident/window/ResidentParts.h"
#include "resident/work/WorkLocks.h"

namespace klarvo::resident {
namespace {

constexpr char kRefusalCaption[] = "Klarvo";

} // namespace

void Resident::RequestRam(const RamJob& job)
{
    // One cleaning at a time: a request while one runs is dropped, so that a
    // manual cleaning's progress runs once from 0 to 100.
    if (ramRunning_ || stop_.load()) {
        return;
    }
    const HWND window = window_;
    const std::atomic<bool>* stop = &stop_;
    const int maxTries = settings_.maxTries;
    const bool fastOnly = settings_.fastOnly;
    const bool started = ram_.Start(window, [job, window, stop, maxTries, fastOnly](WPARAM id, JobOutcome& outcome) {
        outcome.result = RunRamJob(job, window, id, stop, maxTries, fastOnly);
    });
    if (started) {
        ramRunning_ = job;
        ramPercent_ = -1;
    }
}
std::int64_t Resident::RunRamJob(const RamJob& job, HWND window, WPARAM jobId, const std::atomic<bool>* stop,
                                 int maxTries, bool fastOnly)
{
    // Another cleaner pressing memory meanwhile would only push against us.
    const WorkLock lock(kRamLockName, kWorkLockPatienceMs, stop);
    if (!lock.Held()) {
        return 0;
    }
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
                              if (job.reportProgress) {
                                  PostMessageA(window, kRamProgress, jobId, static_cast<LPARAM>(percent));
                              }
                          },
                          stop)
                      .freedKB;
        break;
    case RamKind::Auto:
        freedKB = cleaner.Fast(stop).freedKB;
        if (!fastOnly && !(stop && stop->load())) {
            freedKB += cleaner.FreeUp(job.megabytes, maxTries, {}, stop).freedKB;
        }
        break;
    }
    return freedKB;
}

void Resident::OnRamProgress(WPARAM jobId, LPARAM percent)
{
    // Only the running manual cleaning's own reports, each higher than the
    // last, reach the shell.
    if (!ramRunning_ || jobId != ram_.Id() || !ramRunning_->reportProgress || percent < 0 || percent > 100 ||
        percent <= ramPercent_) {
        return;
    }
    ramPercent_ = static_cast<int>(percent);
    NotifyShell(ntRamProgress, ramPercent_);
}

void Resident::OnRamDone(WPARAM jobId, LPARAM)
{
    const std::shared_ptr<JobOutcome> outcome = ram_.Finish(jobId);
    if (!outcome) {
        return;
    }
    ramRunning_.reset();
    effects_.Record(outcome->result, uptime_.Now());
    if (settings_.playSound && !settings_.soundFile.empty()) {
        PlaySoundA(settings_.soundFile.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
    }
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
    StartDiskBatch();
}

void Resident::StartDiskBatch()
{
    if (stop_.load() || disk_.Running()) {
        return;
    }
    // Clears go first: a preview waiting shows what is there once they are
    // done.
    if (diskPending_.empty()) {
        StartPreview();
        return;
    }
    std::deque<DiskJob> batch;
    batch.swap(diskPending_);
    const std::atomic<bool>* stop = &stop_;
    const std::string programDir = programDir_;
    const bool started = disk_.Start(window_, [batch, stop, programDir](WPARAM, JobOutcome& outcome) {
        DiskReport report;
        RunDiskBatch(batch, programDir, *stop, report);
        outcome.logLines = std::move(report.logLines);
        outcome.refusals = std::move(report.refusals);
    });
    // Kept for the next request to try again.
    if (!started) {
        diskPending_.insert(diskPending_.begin(), batch.begin(), batch.end());
    }
}

void Resident::OnDiskDone(WPARAM jobId, LPARAM)
{
    const std::shared_ptr<JobOutcome> outcome = disk_.Finish(jobId);
    if (!outcome) {
        return;
    }
    if (previewRunning_) {
        previewRunning_ = false;
        OpenPreview(DefaultPreviewFile(programDir_));
    }
    StartDiskBatch();
    for (const std::string& line : outcome->logLines) {
        log_.Write(line);
    }
    ExplainRefusals(outcome->refusals);
}

void Resident::RequestPreview()
{
    // Asked again while one waits, it is still one preview.
    previewWanted_ = true;
    StartDiskBatch();
}

void Resident::StartPreview()
{
    if (!previewWanted_) {
        return;
    }
    const std::atomic<bool>* stop = &stop_;
    const std::string programDir = programDir_;
    previewRunning_ = disk_.Start(window_, [stop, programDir](WPARAM, JobOutcome& outcome) {
        outcome.result = RunPreview(programDir, {}, DefaultPreviewFile(programDir), stop);
    });
    previewWanted_ = !previewRunning_;
}

void Resident::LogUnfinishedDiskWork()
{
    // The batch's report never reached the window: the cleaner ended first.
    if (const std::shared_ptr<JobOutcome> outcome = disk_.Abandon()) {
        for (const std::string& line : outcome->logLines) {
            log_.Write(line);
        }
    }
    for (const DiskJob& job : diskPending_) {
        log_.Write(NotStartedLine(job));
    }
    diskPending_.clear();
}

void Resident::ExplainRefusals(const std::vector<std::string>& refusals)
{
    // One box at a time: presses refused while it is open are in the log.
    if (refusals.empty() || explaining_) {
        return;
    }
    explaining_ = true;
    std::string text;
    for (const std::string& refusal : refusals) {
        text += refusal + "\n";
    }
    text += "\nNothing there was deleted.";
    // Its own loop keeps the window's messages flowing meanwhile.
    MessageBoxA(nullptr, text.c_str(), kRefusalCaption, MB_OK | MB_ICONWARNING | MB_SETFOREGROUND | MB_TOPMOST);
    explaining_ = false;
}

void Resident::CheckAutoClean()
{
    if (!settings_.autoClean || ramRunning_) {
        return;
    }
    const MemoryBytes memory = ReadMemoryBytes();
    if (AutoCleaningDue(settings_, memory.totalPhysical, memory.availablePhysical)) {
        RequestRam({RamKind::Auto, AutoCleaningMegabytes(settings_, TotalRamMB()), false});
    }
}

} // namespace klarvo::resident
