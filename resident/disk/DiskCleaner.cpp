#include "resident/disk/DiskCleaner.h"

#include "resident/disk/DiskEntries.h"
#include "resident/disk/DiskFolders.h"
#include "resident/disk/DiskIdentity.h"

#include <windows.h>

namespace klarvo::resident {
namespace {

// Any link on the way to the directory, the directory included, would make
// the path name a place other than the one it spells. Windows 9x has none
// of its own; Wine shows a Unix link so.
bool PassesThroughLink(const std::string& normalised)
{
    for (std::size_t slash = normalised.find('\\', 3);; slash = normalised.find('\\', slash + 1)) {
        const std::string prefix = slash == std::string::npos ? normalised : normalised.substr(0, slash);
        if (IsLink(GetFileAttributesA(prefix.c_str()))) {
            return true;
        }
        if (slash == std::string::npos) {
            return false;
        }
    }
}

// The longest path the ANSI functions take, its terminating zero included.
constexpr std::size_t kLongestPath = MAX_PATH - 1;
// A directory is listed through "<dir>\*".
constexpr std::size_t kSearchSuffix = 2;
constexpr std::size_t kNoParent = static_cast<std::size_t>(-1);

bool IsKept(DeleteOutcome outcome)
{
    return outcome != DeleteOutcome::Deleted && outcome != DeleteOutcome::Gone;
}

void CountFailed(const std::string& what, ClearTally& tally)
{
    ++tally.failed;
    if (tally.failedFiles.size() < kNamedInUseFiles) {
        tally.failedFiles.push_back(what);
    }
}

void Count(DeleteOutcome outcome, bool directory, const std::string& path, ClearTally& tally)
{
    switch (outcome) {
    case DeleteOutcome::Deleted:
        ++(directory ? tally.directoriesRemoved : tally.filesDeleted);
        break;
    case DeleteOutcome::InUse:
        ++(directory ? tally.foldersInUse : tally.inUse);
        if (!directory && tally.inUseFiles.size() < kNamedInUseFiles) {
            tally.inUseFiles.push_back(path);
        }
        break;
    case DeleteOutcome::Gone:
        break;
    case DeleteOutcome::NotEmpty:
        // A folder something came into meanwhile.
        ++(directory ? tally.foldersKept : tally.failed);
        break;
    case DeleteOutcome::Failed:
        CountFailed(path, tally);
        break;
    case DeleteOutcome::StrandedKept:
    case DeleteOutcome::StrandedAside:
        // The path may name a new file now: never to be reported as the one left.
        CountFailed(path + " (could not go back under its name; kept as " + StrandedName(path, outcome) + ")", tally);
        break;
    case DeleteOutcome::Link:
        ++tally.links;
        break;
    case DeleteOutcome::Marked:
        ++tally.marked;
        break;
    }
}

EntryFate FateOf(DeleteOutcome outcome, bool directory)
{
    switch (outcome) {
    case DeleteOutcome::Deleted:
        return EntryFate::Deleted;
    case DeleteOutcome::InUse:
        return EntryFate::InUse;
    case DeleteOutcome::Gone:
        return EntryFate::Gone;
    case DeleteOutcome::NotEmpty:
        return directory ? EntryFate::KeptFor : EntryFate::Failed;
    case DeleteOutcome::Link:
        return EntryFate::Link;
    case DeleteOutcome::Marked:
        return EntryFate::Marked;
    default:
        return EntryFate::Failed;
    }
}

// Why an entry of a listing is left unopened, or Deleted when it may be
// handled.
EntryFate UnopenedFate(const Entry& entry)
{
    if (entry.name.empty() || HoldsSeparator(entry.name) || IsOddName(entry.name)) {
        return EntryFate::OddName;
    }
    return IsDeviceName(entry.name) ? EntryFate::Device : EntryFate::Deleted;
}

void CountUnopened(EntryFate fate, ClearTally& tally)
{
    switch (fate) {
    case EntryFate::OddName:
        ++tally.oddNames;
        break;
    case EntryFate::Device:
        ++tally.failed;
        break;
    case EntryFate::TooLong:
        ++tally.tooLong;
        break;
    case EntryFate::Link:
        ++tally.links;
        break;
    case EntryFate::Marked:
    case EntryFate::Protected:
        ++tally.marked;
        break;
    case EntryFate::KeptFor:
    case EntryFate::NotListed:
        ++tally.foldersKept;
        break;
    default:
        break;
    }
}

} // namespace

// Everything known of a chosen directory before it is judged: each path
// that names it, and on the NT line the directory itself, opened.
struct DiskCleaner::Facts {
    PathVerdict verdict = PathVerdict::Accepted; // what ended the gathering early
    std::string path;                            // long form, as spelled on disk
    std::vector<std::string> spellings;          // case-folded, that one first
    OpenedDirectory opened;
};

const char* FateText(EntryFate fate)
{
    switch (fate) {
    case EntryFate::Deleted:
        return "deleted";
    case EntryFate::Marked:
        return "read-only or system";
    case EntryFate::Link:
        return "a link";
    case EntryFate::OddName:
        return "a name that cannot be reached as written";
    case EntryFate::Device:
        return "the name of a device";
    case EntryFate::TooLong:
        return "beyond the longest path";
    case EntryFate::InUse:
        return "in use";
    case EntryFate::Protected:
        return "a protected place";
    case EntryFate::KeptFor:
        return "kept for what stays in it";
    case EntryFate::NotListed:
        return "the system would not list it whole";
    case EntryFate::NotEntered:
        return "a subfolder, and subfolders are not cleaned here";
    case EntryFate::Gone:
        return "gone meanwhile";
    case EntryFate::Failed:
        return "refused by the system";
    }
    return "?";
}

// One walk's settings and what it found.
struct DiskCleaner::Walk {
    bool withSubdirectories;
    const std::atomic<bool>* stop;
    const WalkObserver& observer;
    ClearTally tally;

    bool Stopped()
    {
        tally.stopped = tally.stopped || (stop && stop->load());
        return tally.stopped;
    }
    void Tell(const std::string& path, unsigned long long size, bool directory, EntryFate fate) const
    {
        if (observer) {
            observer({path, size, directory, fate});
        }
    }
    // An entry left before anything was opened.
    void Leave(const std::string& path, const Entry& entry, EntryFate fate)
    {
        CountUnopened(fate, tally);
        Tell(path, entry.size, IsDirectory(entry.attributes), fate);
    }
    // What the system answered for an opened entry.
    void Settle(const std::string& path, unsigned long long size, bool directory, DeleteOutcome outcome)
    {
        Count(outcome, directory, path, tally);
        Tell(path, size, directory, FateOf(outcome, directory));
    }
};

struct DiskCleaner::Checked {
    PathVerdict verdict;
    Facts facts;
};

DiskCleaner::DiskCleaner(const std::vector<ProtectedPlace>& places, const std::vector<std::string>& cleanables,
                         std::string markerJournal)
    : functions_(DiskFunctions::Find()), markerJournal_(std::move(markerJournal))
{
    if (!markerJournal_.empty()) {
        SweepMarkers(markerJournal_);
    }
    Prepare(places, cleanables);
}

DiskCleaner::~DiskCleaner() = default;

void DiskCleaner::Prepare(const std::vector<ProtectedPlace>& places, const std::vector<std::string>& cleanables)
{
    for (const ProtectedPlace& place : places) {
        if (place.unreadable) {
            unreadable_.push_back(place.path);
            continue;
        }
        const NormalisedPath normal = NormaliseDirectory(place.path);
        const bool spelled = normal.verdict == PathVerdict::Accepted || normal.verdict == PathVerdict::DriveRoot;
        if (spelled) {
            places_.push_back(
                {FoldCase(CanonicalForm(normal.path, functions_)), place.wholeSubtree, place.allowsCleanables});
        }
        const std::string& path = spelled ? normal.path : place.path;
        const bool exists = IsDirectory(GetFileAttributesA(path.c_str()));
        if (exists && functions_.HandlePath()) {
            PlaceChain chain = IdentityChain(path, functions_);
            if (!chain.empty()) {
                identities_.push_back({std::move(chain), place.wholeSubtree, place.allowsCleanables});
                identityPaths_.push_back(path);
                continue;
            }
        }
        // There and not to be spelled as a drive path (a share, a name
        // outside the code page), or not to be told apart from others.
        if (!spelled || (exists && functions_.HandlePath())) {
            unreadable_.push_back(place.path);
        }
    }
    for (const std::string& place : cleanables) {
        // Only a place that is itself an acceptable spelling may waive.
        const NormalisedPath normal = NormaliseDirectory(place);
        if (normal.verdict != PathVerdict::Accepted) {
            continue;
        }
        cleanables_.push_back(FoldCase(CanonicalForm(normal.path, functions_)));
        if (functions_.HandlePath()) {
            if (PlaceChain chain = IdentityChain(normal.path, functions_); !chain.empty()) {
                cleanableIdentities_.push_back(std::move(chain));
            }
        }
    }
}

std::vector<GuardedPlace> DiskCleaner::GuardsFor(const PlaceChain& candidate) const
{
    // A candidate whose chain reaches the same root as a place's shows by
    // its chain alone whether it lies inside; one that does not (a letter
    // rooted somewhere below) is looked for among the directories inside.
    std::vector<GuardedPlace> guards = identities_;
    trees_.resize(identities_.size());
    for (std::size_t i = 0; i < guards.size(); ++i) {
        GuardedPlace& guard = guards[i];
        if (!guard.wholeSubtree || guard.chain.back() == candidate.back()) {
            continue;
        }
        if (!trees_[i]) {
            trees_[i] = std::make_unique<std::vector<std::string>>(TreeIdentities(identityPaths_[i], functions_));
        }
        guard.inside = trees_[i].get();
    }
    return guards;
}

PathVerdict DiskCleaner::JudgeByMarker(const std::string& path) const
{
    const Marker marker(path, markerJournal_);
    if (!marker.Made()) {
        return PathVerdict::NoMarker;
    }
    // Where the marker shows, the candidate is: a protected place or a
    // directory above one, or one inside a protected tree.
    for (const ProtectedPlace& place : places_) {
        for (const std::string& above : SpellingChain(place.path)) {
            if (marker.ShowsIn(above)) {
                return JudgeAgainst(FoldCase(above), places_, cleanables_);
            }
        }
    }
    trees_.resize(places_.size());
    for (std::size_t i = 0; i < places_.size(); ++i) {
        if (!places_[i].wholeSubtree) {
            continue;
        }
        if (!trees_[i]) {
            trees_[i] = std::make_unique<std::vector<std::string>>(TreePaths(places_[i].path));
        }
        for (const std::string& inside : *trees_[i]) {
            if (marker.ShowsIn(inside)) {
                return JudgeAgainst(inside, places_, cleanables_);
            }
        }
    }
    return PathVerdict::Accepted;
}

DiskCleaner::Facts DiskCleaner::GatherThroughHandle(const std::string& normalised) const
{
    Facts facts;
    facts.opened = OpenDirectoryChain(normalised, functions_);
    if (facts.opened.verdict != PathVerdict::Accepted) {
        facts.verdict = facts.opened.verdict;
        return facts;
    }
    if (!AddSpelling(CanonicalForm(normalised, functions_), facts)) {
        return facts;
    }
    // A volume mounted in a folder as well is also there: asking the
    // system costs less than walking every protected tree for its root.
    for (const std::string& mount : OtherMountPaths(normalised.substr(0, 3))) {
        if (!AddSpelling(mount + facts.path.substr(3), facts)) {
            return facts;
        }
    }
    return facts;
}

DiskCleaner::Facts DiskCleaner::GatherByName(const std::string& normalised) const
{
    Facts facts;
    if (!IsDirectory(GetFileAttributesA(normalised.c_str()))) {
        facts.verdict = PathVerdict::Missing;
        return facts;
    }
    if (PassesThroughLink(normalised)) {
        facts.verdict = PathVerdict::Link;
        return facts;
    }
    if (!AddSpelling(CanonicalForm(normalised, functions_), facts)) {
        return facts;
    }
    // Where the system says a SUBST letter leads, and whether the letter
    // is the network's: both without writing anything.
    std::string trueName;
    if (!TrueName(facts.path, trueName)) {
        facts.verdict = PathVerdict::Unverifiable;
    } else if (trueName.rfind("\\\\", 0) == 0 || !NetworkConnection(facts.path.substr(0, 2)).empty()) {
        facts.verdict = PathVerdict::NetworkDrive;
    } else {
        AddSpelling(trueName, facts);
    }
    return facts;
}

bool DiskCleaner::AddSpelling(const std::string& path, Facts& facts) const
{
    const NormalisedPath normal = NormaliseDirectory(CanonicalForm(path, functions_));
    if (normal.verdict != PathVerdict::Accepted) {
        // Another name for a chosen directory that is no directory path:
        // where it leads is not known.
        facts.verdict = normal.verdict == PathVerdict::DriveRoot ? normal.verdict : PathVerdict::Unverifiable;
        return false;
    }
    if (facts.path.empty()) {
        facts.path = normal.path;
    }
    facts.spellings.push_back(FoldCase(normal.path));
    return true;
}

PathVerdict DiskCleaner::JudgeFacts(const Facts& facts) const
{
    if (facts.verdict != PathVerdict::Accepted) {
        return facts.verdict;
    }
    for (const std::string& spelling : facts.spellings) {
        if (const PathVerdict verdict = JudgeAgainst(spelling, places_, cleanables_);
            verdict != PathVerdict::Accepted) {
            return verdict;
        }
    }
    if (functions_.HandlePath()) {
        return JudgeChain(facts.opened.chain, GuardsFor(facts.opened.chain), cleanableIdentities_);
    }
    // Only once nothing that writes nothing has found fault.
    return JudgeByMarker(facts.path);
}

DiskCleaner::Checked DiskCleaner::Check(const std::string& directory) const
{
    const NormalisedPath normal = NormaliseDirectory(directory);
    if (normal.verdict != PathVerdict::Accepted) {
        return {normal.verdict, {}};
    }
    if (!unreadable_.empty()) {
        return {PathVerdict::UnknownProtected, {}};
    }
    // The spelling is judged before the disk is asked anything, so that
    // neither an alias nor a missing directory slips by.
    if (const PathVerdict verdict = JudgeAgainst(FoldCase(normal.path), places_, cleanables_);
        verdict != PathVerdict::Accepted) {
        return {verdict, {}};
    }
    Facts facts = functions_.HandlePath() ? GatherThroughHandle(normal.path) : GatherByName(normal.path);
    const PathVerdict verdict = JudgeFacts(facts);
    return {verdict, std::move(facts)};
}

PathVerdict DiskCleaner::Judge(const std::string& directory) const
{
    return Check(directory).verdict;
}

PathVerdict DiskCleaner::JudgeSystemPlace(const std::string& directory, const std::string& systemPlace) const
{
    const NormalisedPath line = NormaliseDirectory(directory);
    if (line.verdict != PathVerdict::Accepted) {
        return line.verdict;
    }
    const NormalisedPath own = NormaliseDirectory(systemPlace);
    if (own.verdict != PathVerdict::Accepted) {
        return PathVerdict::NotSystemPlace;
    }
    if (FoldCase(CanonicalForm(line.path, functions_)) == FoldCase(CanonicalForm(own.path, functions_))) {
        return PathVerdict::Accepted;
    }
    if (functions_.HandlePath()) {
        const PlaceChain lineChain = IdentityChain(line.path, functions_);
        if (!lineChain.empty() && lineChain == IdentityChain(own.path, functions_)) {
            return PathVerdict::Accepted;
        }
    }
    return PathVerdict::NotSystemPlace;
}

bool DiskCleaner::IsProtected(const std::string& path) const
{
    return JudgeAgainst(FoldCase(path), places_, cleanables_) != PathVerdict::Accepted;
}

ClearTally DiskCleaner::Clear(const std::string& directory, bool withSubdirectories, const std::atomic<bool>* stop,
                              WalkMode mode, const WalkObserver& observer) const
{
    Walk walk{withSubdirectories, stop, observer, {}};
    Checked checked = Check(directory);
    walk.tally.verdict = checked.verdict;
    if (checked.verdict == PathVerdict::Accepted) {
        Facts& facts = checked.facts;
        ClearInside(functions_.HandlePath() ? HandleFolder(facts.path, std::move(facts.opened), functions_, mode)
                                            : NamedFolder(facts.path, mode),
                    walk);
    }
    return walk.tally;
}

DiskCleaner::Step DiskCleaner::ClearEntry(Folder& folder, const Entry& entry, Walk& walk) const
{
    const bool isDirectory = entry.attributes & FILE_ATTRIBUTE_DIRECTORY;
    const std::string path =
        folder.Path() + '\\' + (entry.name.empty() ? std::string("(a name the code page cannot spell)") : entry.name);
    if (const EntryFate fate = UnopenedFate(entry); fate != EntryFate::Deleted) {
        walk.Leave(path, entry, fate);
        return {};
    }
    if (path.size() + (isDirectory ? kSearchSuffix : 0) > kLongestPath) {
        walk.Leave(path, entry, EntryFate::TooLong);
        return {};
    }
    if (entry.attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        walk.Leave(path, entry, EntryFate::Link);
        return {};
    }
    if (isDirectory) {
        if (!walk.withSubdirectories) {
            walk.Leave(path, entry, EntryFate::NotEntered);
            return {false}; // only the root lists them: it stays anyway
        }
        if (IsProtected(path)) {
            walk.Leave(path, entry, EntryFate::Protected);
            return {};
        }
        return {false, true}; // its own visit tells
    }
    if (IsMarkedToKeep(entry.attributes)) {
        walk.Leave(path, entry, EntryFate::Marked);
        return {};
    }
    const DeleteOutcome outcome = folder.DeleteFile(entry);
    walk.Settle(path, entry.size, false, outcome);
    return {IsKept(outcome)};
}

// A directory of the walk. It is visited twice: first to clear its files
// and queue its subdirectories, then, once they are done, to be removed
// itself, unless something inside it stayed. A subdirectory is opened only
// when its visit begins, through its parent, which stays open below it on
// the stack. The root stays at the bottom and is never removed.
struct DiskCleaner::Visit {
    std::unique_ptr<Folder> folder; // null until its visit begins
    Entry entry;                    // as its parent listed it
    std::size_t parent;
    bool emptied = false;
    bool keptInside = false;
    bool unlisted = false;
};

void DiskCleaner::ClearInside(std::unique_ptr<Folder> root, Walk& walk) const
{
    std::vector<Visit> pending;
    pending.push_back({std::move(root), {}, kNoParent});
    while (!pending.empty() && !walk.Stopped()) {
        const std::size_t current = pending.size() - 1;
        if (pending[current].emptied) {
            Visit done = std::move(pending[current]);
            pending.pop_back();
            if (done.parent != kNoParent && RemoveVisited(done, walk)) {
                pending[done.parent].keptInside = true;
            }
            continue;
        }
        pending[current].emptied = true;
        if (pending[current].folder || EnterVisited(pending, walk)) {
            EmptyVisited(pending, current, walk);
        }
    }
}

// The first visit: every entry cleared, each subdirectory queued above it.
void DiskCleaner::EmptyVisited(std::vector<Visit>& pending, std::size_t current, Walk& walk) const
{
    Folder& folder = *pending[current].folder;
    std::vector<Entry> entries;
    const Listing listing = folder.List(entries);
    if (listing != Listing::Complete) {
        ++(listing == Listing::Cut ? walk.tally.listingsCut : walk.tally.failed);
        pending[current].keptInside = true;
        pending[current].unlisted = true;
    }
    for (Entry& entry : entries) {
        if (walk.Stopped()) {
            return;
        }
        const Step step = ClearEntry(folder, entry, walk);
        if (step.kept) {
            pending[current].keptInside = true;
        }
        if (step.enter) {
            pending.push_back({nullptr, std::move(entry), current});
        }
    }
}

// Opens the subdirectory on top of the stack through its parent. One that
// cannot be entered is settled and leaves the stack (its parent kept when
// the system keeps it); false then.
bool DiskCleaner::EnterVisited(std::vector<Visit>& pending, Walk& walk)
{
    Visit& visit = pending.back();
    Folder& parent = *pending[visit.parent].folder;
    DeleteOutcome why = DeleteOutcome::Failed;
    visit.folder = parent.Enter(visit.entry, why);
    if (visit.folder) {
        return true;
    }
    walk.Settle(parent.Path() + '\\' + visit.entry.name, 0, true, why);
    if (IsKept(why)) {
        pending[visit.parent].keptInside = true;
    }
    pending.pop_back();
    return false;
}

// The second visit: the directory goes unless something inside it stayed
// or it is marked to keep. True when it stays, which keeps its parent.
bool DiskCleaner::RemoveVisited(Visit& done, Walk& walk)
{
    if (done.keptInside) {
        walk.Leave(done.folder->Path(), done.entry, done.unlisted ? EntryFate::NotListed : EntryFate::KeptFor);
        return true;
    }
    if (IsMarkedToKeep(done.entry.attributes)) {
        walk.Leave(done.folder->Path(), done.entry, EntryFate::Marked);
        return true;
    }
    const DeleteOutcome outcome = done.folder->Remove();
    walk.Settle(done.folder->Path(), 0, true, outcome);
    return IsKept(outcome);
}

} // namespace klarvo::resident
