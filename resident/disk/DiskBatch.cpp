#include "resident/disk/DiskBatch.h"

#include <exception>

#include "resident/disk/DiskCleaner.h"
#include "resident/disk/DiskIdentity.h"
#include "resident/work/WorkLocks.h"

namespace klarvo::resident {
namespace {

// Verdicts that mean "nothing to do" rather than "must not": a category
// this system lacks, a directory not made yet.
bool IsRefusal(PathVerdict verdict)
{
    return verdict != PathVerdict::Accepted && verdict != PathVerdict::Empty && verdict != PathVerdict::Missing;
}

void Refuse(const DiskJob& job, const std::string& why, DiskReport& report)
{
    const std::string text = "Not cleaned: " + job.path + " - " + why;
    report.logLines.push_back(text);
    if (job.pressed) {
        report.refusals.push_back(text);
    }
}

// "what count" for each kind there is any of.
void AddCount(std::string& text, const char* what, unsigned long count)
{
    if (count > 0) {
        text += (text.empty() ? "" : ", ") + std::string(what) + " " + std::to_string(count);
    }
}

std::string KeptKinds(const ClearTally& tally)
{
    std::string text;
    AddCount(text, "read-only or system", tally.marked);
    AddCount(text, "links", tally.links);
    AddCount(text, "folders kept for what stayed in them", tally.foldersKept);
    AddCount(text, "files in use", tally.inUse);
    AddCount(text, "folders in use", tally.foldersInUse);
    AddCount(text, "refused by the system", tally.failed);
    AddCount(text, "names that lead elsewhere", tally.oddNames);
    AddCount(text, "beyond the longest path", tally.tooLong);
    AddCount(text, "folders the system would not list whole", tally.listingsCut);
    return text;
}

// One line for all that a clearing left, then the files it can name. A
// clean clearing writes nothing: the log is for what was not cleaned, and
// a cleaning at every start would soon fill it.
void ReportLeftovers(const std::string& path, const ClearTally& tally, DiskReport& report)
{
    if (const std::string kept = KeptKinds(tally); !kept.empty()) {
        std::string done;
        AddCount(done, "files deleted", tally.filesDeleted);
        AddCount(done, "folders removed", tally.directoriesRemoved);
        report.logLines.push_back("Left in " + path + ": " + kept + (done.empty() ? "" : " (" + done + ")"));
    }
    for (const std::string& file : tally.inUseFiles) {
        report.logLines.push_back("left in use: " + file);
    }
    for (const std::string& file : tally.failedFiles) {
        report.logLines.push_back("refused by the system: " + file);
    }
    if (tally.stopped) {
        report.logLines.push_back("Stopped cleaning " + path + ": the cleaner was ending");
    }
}

void RunJob(const DiskCleaner& cleaner, const DiskJob& job, const std::atomic<bool>& stop, DiskReport& report)
{
    if (const std::string why = RefusalBeforeWalk(cleaner, job); !why.empty()) {
        Refuse(job, why, report);
        return;
    }
    const ClearTally tally = cleaner.Clear(job.path, job.withSubdirectories, &stop);
    if (const std::string why = RefusalOfWalk(job, tally.verdict); !why.empty()) {
        Refuse(job, why, report);
        return;
    }
    ReportLeftovers(job.path, tally, report);
}

std::string FailureLine(const std::deque<DiskJob>& batch, std::size_t at, const char* what)
{
    return std::string("Disk cleaning failed") + (at < batch.size() ? " in " + batch[at].path : std::string()) + ": " +
           what;
}

} // namespace

DiskCleaner SystemDiskCleaner(const std::string& programDir)
{
    return DiskCleaner(SystemProtectedPlaces(programDir), SystemCleanablePlaces(),
                       programDir.empty() ? std::string() : programDir + kMarkerJournalName);
}

std::string RefusalBeforeWalk(const DiskCleaner& cleaner, const DiskJob& job)
{
    // The system's own places are cleaned only where the cleaner itself
    // finds them; a line naming anything else is no such place.
    if (job.category == hcDir) {
        return {};
    }
    const std::string own = SystemPlaceOf(job.category);
    const PathVerdict verdict = cleaner.JudgeSystemPlace(job.path, own);
    if (!IsRefusal(verdict)) {
        return {};
    }
    return std::string(VerdictText(verdict)) + (verdict == PathVerdict::NotSystemPlace
                                                    ? " (" + (own.empty() ? std::string("none") : own) + ")"
                                                    : std::string());
}

std::string RefusalOfWalk(const DiskJob& job, PathVerdict verdict)
{
    // A person chose that directory, and a Clear of it that does nothing
    // must not pass for one that emptied it. The system's own places may
    // well not be made yet.
    if (IsRefusal(verdict) || (job.category == hcDir && verdict == PathVerdict::Missing)) {
        return VerdictText(verdict);
    }
    return {};
}

std::string NotStartedLine(const DiskJob& job)
{
    return "Not cleaned: " + job.path + " - the cleaner was ending";
}

std::deque<DiskJob> JobsFor(const ResidentSettings& settings, const std::vector<HddCategory>& categories, bool pressed)
{
    std::deque<DiskJob> jobs;
    for (const HddCategory category : categories.empty() ? TickedCategories(settings) : categories) {
        jobs.push_back({category, settings.categoryPath[category], WithSubdirectories(settings, category), pressed});
    }
    return jobs;
}

void RunDiskBatch(const std::deque<DiskJob>& batch, const std::string& programDir, const std::atomic<bool>& stop,
                  DiskReport& report)
{
    std::size_t done = 0;
    try {
        const DiskCleaner cleaner = SystemDiskCleaner(programDir);
        for (const std::string& place : cleaner.UnreadablePlaces()) {
            report.logLines.push_back("Protected place not readable: " + place + "; nothing is cleaned meanwhile");
        }
        for (; done < batch.size() && !stop.load(); ++done) {
            const WorkLock lock(CategoryLockName(batch[done].category), kWorkLockPatienceMs, &stop);
            if (stop.load()) {
                break; // reported below as not started
            }
            if (!lock.Held()) {
                Refuse(batch[done], "another cleaner was cleaning it all the while", report);
                continue;
            }
            RunJob(cleaner, batch[done], stop, report);
        }
    } catch (const std::exception& error) {
        report.logLines.push_back(FailureLine(batch, done, error.what()));
        ++done; // the one under way: what it did stays done
    } catch (...) {
        report.logLines.push_back(FailureLine(batch, done, "unknown error"));
        ++done;
    }
    for (; done < batch.size(); ++done) {
        report.logLines.push_back(NotStartedLine(batch[done]));
    }
}

} // namespace klarvo::resident
