#pragma once

// The entries of one directory as the disk walk sees them, listed by name
// (Windows 9x) or through the directory's handle (the NT line).

#include <windows.h>

#include <string>
#include <vector>

#ifdef KLARVO_TEST_HOOKS
#include <functional>
#endif

#include "resident/disk/DiskFunctions.h"

namespace klarvo::resident {

// One entry of a directory as the cleaner may name it to the ANSI
// functions. An empty name is one that cannot be reached safely.
struct Entry {
    std::string name;
    DWORD attributes;
    std::wstring wide; // the NT line: the name exactly as the system holds it
    unsigned long long size = 0;
};

enum class Listing {
    Complete,
    Cut,    // the system ended the listing with an error: entries are missing
    Failed, // not listed at all
};

// The whole listing first: deleting while a search is open may make it skip
// entries on some file systems. A name is kept only if the ANSI functions
// reach that very entry by it: the long name when it survives the
// conversion to the code page, else the short one; neither leaves it
// unnamed. Windows 9x lists in the code page, where only the characters
// can be checked; the NT line lists through the directory's handle.
Listing ListByName(const std::string& directory, std::vector<Entry>& entries);

// The code page's spelling of a name, only if it leads back to the very
// same name: "．．＼" would come out as "..\" and name the parent.
bool Narrowed(const wchar_t* name, std::string& narrow);
std::wstring Widened(const std::string& text);

// A walk deletes, or only shows what it would delete: every check and every
// open as for deleting, then nothing marked, renamed or removed.
enum class WalkMode { Delete, Preview };

enum class DeleteOutcome {
    Deleted,
    InUse,
    Gone,
    Failed,
    Link,
    Marked,
    NotEmpty,
    // Windows 9x: put aside to be deleted, not deleted, and not to be put
    // back (its name made again meanwhile), so kept beside it under a name
    // of the cleaner's; failing that, under the one it was put aside under.
    StrandedKept,
    StrandedAside,
};

// The system's own upper case, the form in which paths are compared.
std::string FoldCase(std::string text);

bool IsDirectory(DWORD attributes);
bool IsLink(DWORD attributes);
bool IsMarkedToKeep(DWORD attributes);

// One spelling per directory for comparisons: the long form, or on Windows
// 95 the short one; the path unchanged when the system cannot say.
std::string CanonicalForm(const std::string& path, const DiskFunctions& functions);

// Windows 9x: deletes one entry found in a listing, by the path the listing
// gave, never a file some program holds open. A preview only test-opens a
// file and answers Deleted where the delete would be tried.
DeleteOutcome DeleteEntry(const std::string& path, bool directory, WalkMode mode = WalkMode::Delete);

// Where a file that DeleteEntry left stranded lies now: in the folder of
// `path`, under an 8.3 name that says the cleaner kept it, or the one it
// was put aside under.
std::string StrandedName(const std::string& path, DeleteOutcome outcome);

#ifdef KLARVO_TEST_HOOKS
// While set, stands in for the tested delete of one file by name (the way
// of Windows 95 and 98), given the path it was asked to delete, so that a
// test can make it fail and change the folder at that very moment.
using NamedDelete = std::function<DeleteOutcome(const std::string& path)>;
void StandInForNamedDelete(NamedDelete standIn);
#endif

} // namespace klarvo::resident
