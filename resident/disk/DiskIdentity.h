#pragma once

// Where a directory really is, whatever drive letter, share or link leads
// to it. The NT line names a directory by volume serial number and file
// index, through handles; Windows 9x opens no directory, so there the
// system's "true name" of a path and a trial file made in the candidate
// tell it.

#include <string>
#include <vector>

#include "resident/disk/DiskFunctions.h"
#include "resident/disk/PathRules.h"
#include "resident/work/WorkLocks.h"
#include "win/Handles.h"

namespace klarvo::resident {

// A directory opened from its drive's root down, one name at a time, each
// relative to the handle of the one above and never through a link: the
// handle is the very directory the path spells, and the chain the very
// directories that hold it.
struct OpenedDirectory {
    PathVerdict verdict = PathVerdict::Unverifiable;
    FileHandle handle; // open for listing
    std::wstring name; // its path on its volume, as the system names it
    PlaceChain chain;  // identity keys: itself first, up to its letter's root
};

// `normalised` is "X:\...". Missing, Link or Unverifiable when it cannot be
// opened so, or one of its directories has no identity.
OpenedDirectory OpenDirectoryChain(const std::string& normalised, const DiskFunctions& functions);

// The identity keys of a place and the directories above it by name, links
// followed: a protected place is where its links lead. Empty when any of
// them cannot be opened or named.
PlaceChain IdentityChain(const std::string& path, const DiskFunctions& functions);

// The identity keys of every directory inside the place, links not
// entered, sorted. What a letter rooted inside the tree is judged by.
std::vector<std::string> TreeIdentities(const std::string& place, const DiskFunctions& functions);

// The case-folded paths of every directory inside the place, links not
// entered, as far as a path of MAX_PATH reaches.
std::vector<std::string> TreePaths(const std::string& place);

// Windows 9x: a hidden file of a unique name made in the candidate
// directory shows wherever that directory is reached. Before it is made,
// its full path goes into a journal beside the program, so that a cleaner
// ended half way leaves nothing for good: the next one sweeps what the
// journal names. The marker and its line go as the object ends.
class Marker {
public:
    // `directory` normalised, "X:\..."; `journal` may be empty (no record).
    Marker(const std::string& directory, std::string journal);
    ~Marker();
    Marker(const Marker&) = delete;
    Marker& operator=(const Marker&) = delete;

    // False when the directory took no file, or the journal no line:
    // nothing can be established then.
    bool Made() const { return made_; }
    // True when the marker shows in `directory`: it is the candidate.
    bool ShowsIn(const std::string& directory) const;

private:
    WorkLock journalLock_;
    std::string file_;
    std::string journal_;
    bool made_ = false;
};

// The journal's name beside the program.
inline constexpr char kMarkerJournalName[] = "Klarvo.mrk";

// Deletes the markers a journal names, then the journal.
void SweepMarkers(const std::string& journal);

// Whether a file name is one of the markers' own.
bool IsMarkerName(const std::string& name);

#ifdef KLARVO_TEST_HOOKS
// FAT and FAT32 give a volume's root the file index 0, which Wine never
// does: the directories named here report index 0 until the object ends.
class ScopedZeroIndex {
public:
    explicit ScopedZeroIndex(const std::vector<std::string>& directories);
    ~ScopedZeroIndex();
    ScopedZeroIndex(const ScopedZeroIndex&) = delete;
    ScopedZeroIndex& operator=(const ScopedZeroIndex&) = delete;
};

// Markers made while the object lives are left with their journal lines,
// as by a cleaner ended half way through a judgement.
class ScopedAbandonedMarkers {
public:
    ScopedAbandonedMarkers();
    ~ScopedAbandonedMarkers();
    ScopedAbandonedMarkers(const ScopedAbandonedMarkers&) = delete;
    ScopedAbandonedMarkers& operator=(const ScopedAbandonedMarkers&) = delete;
};
#endif

} // namespace klarvo::resident
