#pragma once

#include <atomic>
#include <deque>
#include <string>
#include <vector>

#include "link/Messages.h"

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

// Runs on the disk worker: each job in turn, every outcome reported. When
// `stop` is set the entry under way is finished and the rest is reported
// as not done; a failure of the whole batch is reported, never swallowed.
void RunDiskBatch(const std::deque<DiskJob>& batch, const std::string& programDir, const std::atomic<bool>& stop,
                  DiskReport& report);

// The line for a job that an ending cleaner never started.
std::string NotStartedLine(const DiskJob& job);

} // namespace klarvo::resident
