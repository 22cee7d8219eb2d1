#include "resident/DiskCleaner.h"

#include "resident/DiskEntries.h"
#include "resident/DiskIdentity.h"
#include "win/Handles.h"

#include <windows.h>

namespace klarvo::resident {
namespace {

// A directory reached through a link the attributes did not show. Only the
// NT line can open a directory; Windows 9x has no links to hide.
bool IsLinkedDirectory(const std::string& path, const DiskFunctions& functions)
{
    const FileHandle handle(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return handle && LeadsElsewhere(handle.Get(), path, functions);
}

// Any link on the way to the directory, the directory included, would make
// the path name a place other than the one it spells.
bool PassesThroughLink(const std::string& normalised, const DiskFunctions& functions)
{
    if (IsLinkedDirectory(normalised, functions)) {
        return true;
    }
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

// Why an entry of a listing is left unopened, counted; Accepted-like true
// when it may be handled.
bool MayBeOpened(const Entry& entry, ClearTally& tally)
{
    if (entry.name.empty() || HoldsSeparator(entry.name) || IsOddName(entry.name)) {
        ++tally.oddNames;
        return false;
    }
    if (IsDeviceName(entry.name)) {
        ++tally.failed;
        return false;
    }
    return true;
}

} // namespace

DiskCleaner::DiskCleaner(const std::vector<ProtectedPlace>& places, const std::vector<std::string>& cleanables)
    : functions_(DiskFunctions::Find())
{
    Prepare(places, cleanables);
}

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

PathVerdict DiskCleaner::JudgeIdentity(const std::string& path) const
{
    if (functions_.HandlePath()) {
        const PlaceChain candidate = IdentityChain(path, functions_);
        if (candidate.empty()) {
            return PathVerdict::Unverifiable;
        }
        return JudgeChain(candidate, identities_, cleanableIdentities_);
    }
    const Marker marker(FoldCase(path));
    if (!marker.Made()) {
        return PathVerdict::Unverifiable;
    }
    std::vector<GuardedPlace> places;
    for (const ProtectedPlace& place : places_) {
        places.push_back({marker.Translate(SpellingChain(place.path)), place.wholeSubtree, place.allowsCleanables});
    }
    std::vector<PlaceChain> cleanables;
    for (const std::string& cleanable : cleanables_) {
        cleanables.push_back(marker.Translate(SpellingChain(cleanable)));
    }
    return JudgeChain(marker.Candidate(), places, cleanables);
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
    // The spelling is judged before the disk is asked anything, and again in
    // long form, so that neither an alias nor a missing directory slips by.
    if (const PathVerdict verdict = JudgeAgainst(FoldCase(normal.path), places_, cleanables_);
        verdict != PathVerdict::Accepted) {
        return {verdict, {}};
    }
    if (!IsDirectory(GetFileAttributesA(normal.path.c_str()))) {
        return {PathVerdict::Missing, {}};
    }
    if (PassesThroughLink(normal.path, functions_)) {
        return {PathVerdict::Link, {}};
    }
    const NormalisedPath canonical = NormaliseDirectory(CanonicalForm(normal.path, functions_));
    if (canonical.verdict != PathVerdict::Accepted) {
        return {canonical.verdict, {}};
    }
    if (const PathVerdict verdict = JudgeAgainst(FoldCase(canonical.path), places_, cleanables_);
        verdict != PathVerdict::Accepted) {
        return {verdict, {}};
    }
    if (const PathVerdict verdict = JudgeIdentity(canonical.path); verdict != PathVerdict::Accepted) {
        return {verdict, {}};
    }
    return {PathVerdict::Accepted, canonical.path};
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

ClearTally DiskCleaner::Clear(const std::string& directory, bool withSubdirectories,
                              const std::atomic<bool>* stop) const
{
    ClearTally tally;
    const Checked checked = Check(directory);
    tally.verdict = checked.verdict;
    if (checked.verdict == PathVerdict::Accepted) {
        ClearInside(checked.path, withSubdirectories, stop, tally);
    }
    return tally;
}

DiskCleaner::Step DiskCleaner::ClearEntry(const std::string& path, const Entry& entry, bool withSubdirectories,
                                          ClearTally& tally) const
{
    const bool isDirectory = entry.attributes & FILE_ATTRIBUTE_DIRECTORY;
    if (!MayBeOpened(entry, tally)) {
        return {};
    }
    if (path.size() + (isDirectory ? kSearchSuffix : 0) > kLongestPath) {
        ++tally.tooLong;
        return {};
    }
    if (entry.attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        ++tally.links;
        return {};
    }
    if (isDirectory) {
        if (!withSubdirectories) {
            return {false}; // only the root lists them: it stays anyway
        }
        // Looked at again just before entering: it may have been replaced
        // by a link since the listing. What is inside is checked entry by
        // entry all the same.
        const DWORD now = GetFileAttributesA(path.c_str());
        if (!IsDirectory(now) || IsLink(now)) {
            ++tally.links;
            return {};
        }
        if (IsProtected(path)) {
            ++tally.marked;
            return {};
        }
        return {false, true, now}; // its own visit tells
    }
    if (IsMarkedToKeep(entry.attributes)) {
        ++tally.marked;
        return {};
    }
    const DeleteOutcome outcome = DeleteEntry(path, false, functions_);
    Count(outcome, false, path, tally);
    return {IsKept(outcome)};
}

void DiskCleaner::ClearInside(const std::string& root, bool withSubdirectories, const std::atomic<bool>* stop,
                              ClearTally& tally) const
{
    // A directory is visited twice: first to clear its files and queue its
    // subdirectories, then, once they are done, to be removed itself, unless
    // something inside it stayed. The root stays at the bottom of the stack
    // and is never removed.
    struct Visit {
        std::string path;
        DWORD attributes;
        std::size_t parent;
        bool emptied = false;
        bool keptInside = false;
    };
    std::vector<Visit> pending{{root, 0, kNoParent}};
    while (!pending.empty()) {
        if (stop && stop->load()) {
            tally.stopped = true;
            return;
        }
        const std::size_t current = pending.size() - 1;
        if (pending[current].emptied) {
            const Visit done = std::move(pending[current]);
            pending.pop_back();
            if (done.parent == kNoParent) {
                continue;
            }
            bool kept = true;
            if (done.keptInside) {
                ++tally.foldersKept;
            } else if (IsMarkedToKeep(done.attributes)) {
                ++tally.marked;
            } else {
                const DeleteOutcome outcome = DeleteEntry(done.path, true, functions_);
                Count(outcome, true, done.path, tally);
                kept = IsKept(outcome);
            }
            if (kept) {
                pending[done.parent].keptInside = true;
            }
            continue;
        }
        pending[current].emptied = true;
        const std::string directory = pending[current].path;
        std::vector<Entry> entries;
        const Listing listing = ListDirectory(directory, functions_, entries);
        if (listing != Listing::Complete) {
            ++(listing == Listing::Cut ? tally.listingsCut : tally.failed);
            pending[current].keptInside = true;
        }
        for (const Entry& entry : entries) {
            if (stop && stop->load()) {
                tally.stopped = true;
                return;
            }
            const std::string path = directory + "\\" + entry.name;
            const Step step = ClearEntry(path, entry, withSubdirectories, tally);
            if (step.enter) {
                pending.push_back({path, step.attributes, current});
            }
            if (step.kept) {
                pending[current].keptInside = true;
            }
        }
    }
}

} // namespace klarvo::resident
