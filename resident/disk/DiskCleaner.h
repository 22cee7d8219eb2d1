#pragma once

// Clearing one chosen directory: the judgement of where it really leads,
// then the walk through judged handles that deletes, or only lists for a
// preview, and the tally of what it did and kept.

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "resident/disk/DiskEntries.h"
#include "resident/disk/DiskFunctions.h"
#include "resident/disk/PathRules.h"

namespace klarvo::resident {

class Folder;

// What one clearing did. Nothing is ever deleted unless verdict is Accepted.
struct ClearTally {
    PathVerdict verdict = PathVerdict::Accepted;
    unsigned long filesDeleted = 0;
    unsigned long directoriesRemoved = 0;
    unsigned long inUse = 0;        // open in some program: left alone
    unsigned long marked = 0;       // read-only or system: left alone on purpose
    unsigned long links = 0;        // links and reparse points: neither entered nor removed
    unsigned long failed = 0;       // refused by the system for another reason
    unsigned long oddNames = 0;     // names the API would resolve to another entry
    unsigned long tooLong = 0;      // beyond what a path of MAX_PATH reaches
    unsigned long foldersKept = 0;  // kept for what stayed inside them
    unsigned long foldersInUse = 0; // open in some program: left alone
    unsigned long listingsCut = 0;  // listings the system ended with an error
    bool stopped = false;           // asked to stop before the end
    // The first few files left because some program held them open.
    std::vector<std::string> inUseFiles;
    // As many of those counted as failed, each with what became of it.
    std::vector<std::string> failedFiles;
};

// What became of one entry a walk met: deleted (in a preview: would be), or
// why it stays.
enum class EntryFate {
    Deleted,
    Marked,     // read-only or system
    Link,       // a link or reparse point, or swapped for one since the listing
    OddName,    // a name the system would take for another, or the code page cannot spell
    Device,     // the name of a device
    TooLong,    // beyond the longest path
    InUse,      // open in some program
    Protected,  // a protected place inside the tree
    KeptFor,    // a folder kept for what stays inside it
    NotListed,  // a folder the system would not list whole
    NotEntered, // a subfolder of a place cleaned without them
    Gone,       // went meanwhile
    Failed,     // refused by the system
};

const char* FateText(EntryFate fate);

struct WalkedEntry {
    std::string path;
    unsigned long long size; // 0 for folders
    bool directory;
    EntryFate fate;
};

// Told of every entry below the cleared directory, a folder after all that
// was inside it.
using WalkObserver = std::function<void(const WalkedEntry&)>;

// How many in-use files a tally names; the count goes on past them.
inline constexpr std::size_t kNamedInUseFiles = 16;

// Deletes what lies inside a directory, never the directory itself.
//
// Rules, in the order they are applied:
// - The directory must be spelled as a full "X:\..." path (PathRules.h),
//   must exist, and neither it nor any of its ancestors may be a link or
//   reparse point.
// - It must not be, hold, or (for subtree places) lie inside a protected
//   place; places and candidate are compared in their long, case-folded form
//   so that "C:\WINDOW~1" is the Windows directory too, and again by where
//   they really are (DiskIdentity.h), so that no drive letter, share or link
//   leads into one, wherever the letter is rooted. Where that cannot be
//   established, it is refused; so is everything while a protected place
//   exists that could not be read.
// - On the NT line the directory is opened once, from its drive's root
//   down, and judged through that handle; everything below it is opened
//   relative to its directory's handle, never through a link, checked
//   through its own handle and deleted through it: nothing swapped in
//   after the check can be reached. Windows 9x has no links on its own
//   file systems and works by name.
// - Inside, entries with the reparse-point attribute (junctions, symbolic
//   links, Wine's view of Unix links) are left as they are: never entered,
//   never removed, so nothing outside the tree is reachable through them.
// - Entries marked read-only or system are left: a person or Windows marked
//   them to be kept (desktop.ini of the special folders, for instance).
//   Directories so marked are still emptied but not removed.
// - A file is deleted only when no program holds it open; Windows 9x would
//   otherwise delete a file that is open for normal input and output.
// - Names of devices ("NUL", "COM1"), names the API would resolve
//   elsewhere ("...", "x.", a name holding a separator) and names that do
//   not survive the conversion to the code page (DiskEntries.h) are never
//   opened or deleted; neither is anything whose path is longer than
//   MAX_PATH.
// - A directory is removed only once everything inside it went.
// - Subdirectories are entered only with withSubdirectories; each is
//   removed once emptied. The walk keeps its own stack, so depth costs no
//   call stack.
class DiskCleaner {
public:
    // `cleanables` are the places the categories clean, as the system
    // names them; inside the Windows and Program Files trees only they may
    // be cleaned. `markerJournal` is where Windows 9x notes its trial files
    // (DiskIdentity.h); empty, they are noted nowhere.
    explicit DiskCleaner(const std::vector<ProtectedPlace>& places, const std::vector<std::string>& cleanables = {},
                         std::string markerJournal = {});
    ~DiskCleaner();
    DiskCleaner(const DiskCleaner&) = delete;
    DiskCleaner& operator=(const DiskCleaner&) = delete;

    // Accepted, or why the directory must not be cleaned.
    PathVerdict Judge(const std::string& directory) const;

    // Accepted when `directory` is the place this system keeps for a
    // category, `systemPlace`, however either is spelled.
    PathVerdict JudgeSystemPlace(const std::string& directory, const std::string& systemPlace) const;

    // Clears the directory; `stop` is polled between entries. A preview
    // judges and walks exactly so, and deletes nothing.
    ClearTally Clear(const std::string& directory, bool withSubdirectories, const std::atomic<bool>* stop = nullptr,
                     WalkMode mode = WalkMode::Delete, const WalkObserver& observer = {}) const;

    // The protected places that exist but could not be read; while there
    // is one, everything is refused.
    const std::vector<std::string>& UnreadablePlaces() const { return unreadable_; }

private:
    struct Facts;
    struct Checked;
    // The facts are gathered first, asking the system but writing nothing,
    // then judged in one place.
    Checked Check(const std::string& directory) const;
    Facts GatherThroughHandle(const std::string& normalised) const;
    Facts GatherByName(const std::string& normalised) const;
    bool AddSpelling(const std::string& path, Facts& facts) const;
    PathVerdict JudgeFacts(const Facts& facts) const;
    PathVerdict JudgeByMarker(const std::string& path) const;
    std::vector<GuardedPlace> GuardsFor(const PlaceChain& candidate) const;
    bool IsProtected(const std::string& path) const;
    // What became of one listed entry: kept, or a directory to enter.
    struct Step {
        bool kept = true;
        bool enter = false;
    };
    struct Walk;
    struct Visit;
    Step ClearEntry(Folder& folder, const Entry& entry, Walk& walk) const;
    void ClearInside(std::unique_ptr<Folder> root, Walk& walk) const;
    void EmptyVisited(std::vector<Visit>& pending, std::size_t current, Walk& walk) const;
    static bool EnterVisited(std::vector<Visit>& pending, Walk& walk);
    static bool RemoveVisited(Visit& done, Walk& walk);
    void Prepare(const std::vector<ProtectedPlace>& places, const std::vector<std::string>& cleanables);

    DiskFunctions functions_;
    std::string markerJournal_;
    std::vector<ProtectedPlace> places_;     // long form, case-folded
    std::vector<std::string> cleanables_;    // long form, case-folded
    std::vector<GuardedPlace> identities_;   // the NT line: what they are
    std::vector<std::string> identityPaths_; // and where, as spelled
    std::vector<PlaceChain> cleanableIdentities_;
    std::vector<std::string> unreadable_;
    // The directories inside each whole-subtree place, gathered once, when
    // a candidate first needs them: identity keys on the NT line (by
    // index into identities_), case-folded paths on Windows 9x (into
    // places_).
    mutable std::vector<std::unique_ptr<std::vector<std::string>>> trees_;
};

// The places of this machine and user that are never emptied: the Windows
// directory and the Program Files directory (as the registry names it) with
// all inside them but the cleanable places, the system directory with all
// inside it, the user's profile, the folders that hold a person's own files
// (desktop, documents, favourites, start menu, application data, from User
// Shell Folders where that has them, else Shell Folders), `programDir` and
// the current directory. A value that is missing protects nothing; one that
// is there but unreadable comes back marked so.
std::vector<ProtectedPlace> SystemProtectedPlaces(const std::string& programDir);

// The place this system keeps for a category, as the cleaner itself reads
// it: the temporary directory that TMP or else TEMP names (absolute only;
// otherwise none), the browser's cache, cookies and history from the
// registry. Empty when there is none, and for the chosen directory.
std::string SystemPlaceOf(int category);

// Those places for every category that has one.
std::vector<std::string> SystemCleanablePlaces();

} // namespace klarvo::resident
