#pragma once

// Which directories may be cleaned: the verdicts, the protected places and
// the plain checks on a path's text.

#include <string>
#include <vector>

namespace klarvo::resident {

// Why a directory may or may not be cleaned. Everything but Accepted means
// nothing at all is touched.
enum class PathVerdict {
    Accepted,
    Empty,            // no path configured
    NotAbsolute,      // relative, UNC or device path: only "X:\..." is cleaned
    BadCharacters,    // wildcards, control characters, names ending in '.' or ' '
    DotComponent,     // "." or ".." somewhere: the path could leave its tree
    DriveRoot,        // "C:\" itself
    Protected,        // the Windows or system directory, the profile, our own...
    HoldsProtected,   // an ancestor of one of those
    InsideProtected,  // inside a place whose whole subtree is off limits
    Link,             // the directory or one of its ancestors is a link
    Missing,          // no such directory: nothing to clean
    Unverifiable,     // where it really leads cannot be established here
    UnknownProtected, // a protected place exists but could not be read
    NotSystemPlace,   // not the place this system keeps for the category
    NetworkDrive,     // Windows 9x: a drive of the network, where it leads unknown
    NoMarker,         // Windows 9x: no trial file could be made in it to tell
};

const char* VerdictText(PathVerdict verdict);

// A directory the cleaner must never empty. Its ancestors are refused too,
// since emptying them with subdirectories would take it along.
struct ProtectedPlace {
    std::string path;  // absolute, in the same form as the candidate
    bool wholeSubtree; // also refuse everything inside it
    // Inside a whole subtree, the places the other categories clean (the
    // temporary directory, the browser's folders) stay allowed: Windows 9x
    // keeps them inside the Windows directory.
    bool allowsCleanables = false;
    // There, but its value could not be read or expanded: where it lies is
    // unknown, so nothing may be cleaned. `path` then names it for the log.
    bool unreadable = false;
};

// A place as keys: the place itself first, then each directory above it up
// to the root of its drive. Keys of spelling are case-folded paths; keys of
// identity name the directory itself, however it is reached.
using PlaceChain = std::vector<std::string>;

// "C:\A\B" gives "C:\A\B", "C:\A", "C:\".
PlaceChain SpellingChain(const std::string& folded);

struct GuardedPlace {
    PlaceChain chain;
    bool wholeSubtree;
    bool allowsCleanables;
    // For a whole subtree: the keys of every directory inside it, sorted,
    // where the candidate's chain does not reach the place's own root (a
    // drive letter rooted inside the tree); null where it does.
    const std::vector<std::string>* inside = nullptr;
};

// The verdict for a candidate directory given as a chain of the same kind
// of key as the places and the cleanable places.
PathVerdict JudgeChain(const PlaceChain& candidate, const std::vector<GuardedPlace>& places,
                       const std::vector<PlaceChain>& cleanables);

struct NormalisedPath {
    PathVerdict verdict;
    std::string path; // "C:\A\B": single backslashes, no trailing one
};

// Checks the spelling of a configured directory and brings it to one form.
// Forward slashes count as backslashes; doubled and trailing separators are
// dropped; surrounding blanks are kept (they would be part of a name) except
// that a path of blanks only counts as empty.
NormalisedPath NormaliseDirectory(const std::string& text);

// True when `inner` is `outer` or lies inside it. Both are normalised and
// case-folded the same way; the comparison respects component boundaries
// ("C:\TEMP2" is not inside "C:\TEMP").
bool IsSameOrInside(const std::string& inner, const std::string& outer);

// True for names Windows maps to a device wherever they appear ("NUL",
// "com1.txt"): opening or deleting one would reach the device, not a file.
bool IsDeviceName(const std::string& name);

// True for names Windows would not reach as spelled: only dots and blanks
// ("...", ".. "), or ending in a dot or blank ("x."). Such entries exist on
// disk; passed to the API by name they open a different entry.
bool IsOddName(const std::string& name);

// True for names that would make a path of more than one entry once joined
// to their directory: a separator or a drive or stream mark inside.
bool HoldsSeparator(const std::string& name);

// JudgeChain for spellings: a normalised, case-folded directory against
// case-folded protected places (empty paths among them are ignored) and the
// case-folded places the categories clean.
PathVerdict JudgeAgainst(const std::string& folded, const std::vector<ProtectedPlace>& places,
                         const std::vector<std::string>& cleanables = {});

} // namespace klarvo::resident
