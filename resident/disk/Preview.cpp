#include "resident/disk/Preview.h"

#include <windows.h>

#include <shellapi.h>

#include <exception>

#include "resident/disk/DiskBatch.h"
#include "resident/disk/DiskCleaner.h"
#include "resident/work/ResidentSettings.h"
#include "win/File.h"
#include "win/Files.h"

namespace klarvo::resident {
namespace {

const char* CategoryName(HddCategory category)
{
    static const char* const kNames[] = {"Temporary files", "Internet cache", "Cookies", "Chosen folder", "History"};
    return kNames[category];
}

std::string Plural(unsigned long long count, const char* one, const char* many)
{
    return std::to_string(count) + ' ' + (count == 1 ? one : many);
}

// A file's size right-aligned, so that the paths start in one column.
std::string SizeColumn(const WalkedEntry& entry)
{
    std::string size = entry.directory ? std::string("folder") : std::to_string(entry.size);
    constexpr std::size_t kWidth = 14;
    return std::string(size.size() < kWidth ? kWidth - size.size() : 0, ' ') + size;
}

struct Counts {
    unsigned long long files = 0;
    unsigned long long folders = 0;
    unsigned long long bytes = 0;
    unsigned long long kept = 0;

    void Add(const Counts& other)
    {
        files += other.files;
        folders += other.folders;
        bytes += other.bytes;
        kept += other.kept;
    }
    std::string Text() const
    {
        return Plural(files, "file", "files") + " (" + Plural(bytes, "byte", "bytes") + ") and " +
               Plural(folders, "folder", "folders") + " would be deleted; " + Plural(kept, "entry", "entries") +
               " would be kept";
    }
};

// What the walk of one category met, sorted into the report's two lists.
class Findings {
public:
    void Saw(const WalkedEntry& entry)
    {
        if (entry.fate == EntryFate::Deleted) {
            ++(entry.directory ? counts_.folders : counts_.files);
            counts_.bytes += entry.size;
            deleted_ += "  " + SizeColumn(entry) + "  " + entry.path + "\r\n";
            return;
        }
        ++counts_.kept;
        failed_ = failed_ || entry.fate == EntryFate::Failed || entry.fate == EntryFate::NotListed;
        kept_ += "    " + entry.path + " - " + FateText(entry.fate) + "\r\n";
    }
    void WriteTo(std::string& text) const
    {
        text += "  Would delete:\r\n" + (deleted_.empty() ? std::string("    (nothing)\r\n") : deleted_);
        text += "  Would keep:\r\n" + (kept_.empty() ? std::string("    (nothing)\r\n") : kept_);
        text += "  " + counts_.Text() + ".\r\n";
    }
    const Counts& Totals() const { return counts_; }
    bool Failed() const { return failed_; }

private:
    std::string deleted_;
    std::string kept_;
    Counts counts_;
    bool failed_ = false;
};

// One category's part of the report; false when it was refused or failed.
bool PreviewCategory(const DiskCleaner& cleaner, const DiskJob& job, const std::atomic<bool>* stop, std::string& text,
                     Counts& totals)
{
    text +=
        std::string("\r\n") + CategoryName(job.category) + ": " + (job.path.empty() ? "(none set)" : job.path) + "\r\n";
    if (const std::string why = RefusalBeforeWalk(cleaner, job); !why.empty()) {
        text += "  Refused: " + why + ". Nothing there would be deleted.\r\n";
        return false;
    }
    Findings findings;
    const ClearTally tally = cleaner.Clear(job.path, job.withSubdirectories, stop, WalkMode::Preview,
                                           [&findings](const WalkedEntry& entry) { findings.Saw(entry); });
    if (const std::string why = RefusalOfWalk(job, tally.verdict); !why.empty()) {
        text += "  Refused: " + why + ". Nothing there would be deleted.\r\n";
        return false;
    }
    if (tally.verdict != PathVerdict::Accepted) {
        text += std::string("  Nothing to clean: ") + VerdictText(tally.verdict) + ".\r\n";
        return true;
    }
    text += job.withSubdirectories ? "  Would be cleaned, with its subfolders.\r\n"
                                   : "  Would be cleaned, without its subfolders.\r\n";
    findings.WriteTo(text);
    totals.Add(findings.Totals());
    if (tally.stopped) {
        text += "  Stopped: the cleaner was ending.\r\n";
    }
    return !tally.stopped && !findings.Failed();
}

// The whole report; false when something was refused or failed.
bool PreviewText(const std::string& programDir, const std::vector<HddCategory>& categories,
                 const std::atomic<bool>* stop, std::string& text)
{
    text = "Klarvo: what a Clear would delete. Nothing has been deleted.\r\n";
    try {
        const std::deque<DiskJob> jobs = JobsFor(LoadSettings(programDir), categories, false);
        const DiskCleaner cleaner = SystemDiskCleaner(programDir);
        bool whole = true;
        for (const std::string& place : cleaner.UnreadablePlaces()) {
            text += "Protected place not readable: " + place + "; nothing would be cleaned meanwhile.\r\n";
            whole = false;
        }
        if (jobs.empty()) {
            text += "\r\nNo category is ticked.\r\n";
        }
        Counts totals;
        for (const DiskJob& job : jobs) {
            whole = PreviewCategory(cleaner, job, stop, text, totals) && whole;
        }
        text += "\r\nIn all: " + totals.Text() + ".\r\n";
        return whole;
    } catch (const std::exception& error) {
        text += std::string("\r\nThe preview failed: ") + error.what() + "\r\n";
        return false;
    }
}

// ShellExecuteA's answer: above 32 when it opened.
bool Opened(HINSTANCE answer)
{
    return reinterpret_cast<INT_PTR>(answer) > 32;
}

} // namespace

int RunPreview(const std::string& programDir, const std::vector<HddCategory>& categories, const std::string& reportFile)
{
    return RunPreview(programDir, categories, reportFile, nullptr);
}

int RunPreview(const std::string& programDir, const std::vector<HddCategory>& categories, const std::string& reportFile,
               const std::atomic<bool>* stop)
{
    std::string text;
    const bool whole = PreviewText(programDir, categories, stop, text);
    try {
        WriteWholeFile(reportFile, text);
    } catch (const std::exception&) {
        return 1;
    }
    return whole ? 0 : 1;
}

std::string DefaultPreviewFile(const std::string& programDir)
{
    return programDir + kPreviewName;
}

bool OpenPreview(const std::string& reportFile)
{
    if (!FileExists(reportFile)) {
        return false;
    }
    // A system that lost its viewer of .txt files still has Notepad.
    const std::string quoted = '"' + reportFile + '"';
    return Opened(ShellExecuteA(nullptr, "open", reportFile.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) ||
           Opened(ShellExecuteA(nullptr, "open", "notepad.exe", quoted.c_str(), nullptr, SW_SHOWNORMAL));
}

int PreviewAndOpen(const std::string& programDir)
{
    const std::string file = DefaultPreviewFile(programDir);
    const int result = RunPreview(programDir, {}, file);
    OpenPreview(file);
    return result;
}

} // namespace klarvo::resident
