#pragma once

// A batch of disk cleanings, one per category, run on the disk worker: each
// judged, walked and reported for the log and the refusal box.

#include <atomic>
#include <deque>
#include <string>
#include <vector>

#include "link/Messages.h"
#include "resident/disk/DiskCleaner.h"
#include "resident/work/ResidentSettings.h"

namespace klarvo::resident {

struct DiskJob {
    HddCategory category;
    std::string path;
    bool withSubdirectories;
    bool pressed; // a Clear button, not the cleaning at start
};

// What a batch leaves for Klarvo.log and, for pressed Clear buttons that
// were refused, for the one message box.
struct DiskReport {
    std::vector<std::string> logLines;
    std::vector<std::string> refusals;
};

// One job per category (none: the ticked ones) at the places of the
// settings; `pressed` as for a Clear button.
std::deque<DiskJob> JobsFor(const ResidentSettings& settings, const std::vector<HddCategory>& categories, bool pressed);

// Runs on the disk worker: each job in turn, every outcome reported. When
// `stop` is set the entry under way is finished and the rest is reported
// as not done; a failure of the whole batch is reported, never swallowed.
void RunDiskBatch(const std::deque<DiskJob>& batch, const std::string& programDir, const std::atomic<bool>& stop,
                  DiskReport& report);

// The judge of this system's places for a cleaner in `programDir`.
DiskCleaner SystemDiskCleaner(const std::string& programDir);

// Why a job must not be walked: a system category's place that is not the
// system's own. Empty when it may be.
std::string RefusalBeforeWalk(const DiskCleaner& cleaner, const DiskJob& job);
// Why the walk's judgement refused the job's place; empty when it was
// walked or simply holds nothing to clean.
std::string RefusalOfWalk(const DiskJob& job, PathVerdict verdict);

// The line for a job that an ending cleaner never started.
std::string NotStartedLine(const DiskJob& job);

} // namespace klarvo::resident
