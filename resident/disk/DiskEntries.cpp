#include "resident/disk/DiskEntries.h"

#include <cwchar>

#include "win/Handles.h"

namespace klarvo::resident {
namespace {

bool IsDotEntry(const std::string& name)
{
    return name == "." || name == "..";
}

Listing ListingOfError(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES ? Listing::Complete : Listing::Failed;
}

Listing HowItEnded()
{
    return GetLastError() == ERROR_NO_MORE_FILES ? Listing::Complete : Listing::Cut;
}

Listing ListNarrow(const std::string& directory, std::vector<Entry>& entries)
{
    WIN32_FIND_DATAA found;
    const FindHandle search(FindFirstFileA((directory + "\\*").c_str(), &found));
    if (!search) {
        return ListingOfError(GetLastError());
    }
    do {
        std::string name = found.cFileName;
        if (IsDotEntry(name)) {
            continue;
        }
        // A long name that does not fit the code page comes back with '?'
        // in it; only its short name can reach it.
        if (name.find('?') != std::string::npos) {
            name = found.cAlternateFileName;
        }
        if (name.find('?') != std::string::npos) {
            name.clear();
        }
        const unsigned long long size =
            (static_cast<unsigned long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        entries.push_back({name, found.dwFileAttributes, {}, size});
    } while (FindNextFileA(search.Get(), &found));
    return HowItEnded();
}

DeleteOutcome Classify(DWORD error)
{
    switch (error) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return DeleteOutcome::InUse;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return DeleteOutcome::Gone;
    case ERROR_DIR_NOT_EMPTY:
        return DeleteOutcome::NotEmpty;
    default:
        return DeleteOutcome::Failed;
    }
}

#ifdef KLARVO_TEST_HOOKS
NamedDelete& NamedDeleteStandIn()
{
    static NamedDelete standIn;
    return standIn;
}
#endif

// The exclusive open fails for a file some program has open; Windows 9x
// would delete it all the same. Deleted means it may go. (Windows 9x has no
// links that could hide behind a plain file.)
DeleteOutcome TestOpen(const std::string& path)
{
    const FileHandle probe(
        CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return probe ? DeleteOutcome::Deleted : Classify(GetLastError());
}

DeleteOutcome TestAndDelete(const std::string& path)
{
#ifdef KLARVO_TEST_HOOKS
    if (NamedDeleteStandIn()) {
        return NamedDeleteStandIn()(path);
    }
#endif
    if (const DeleteOutcome tested = TestOpen(path); tested != DeleteOutcome::Deleted) {
        return tested;
    }
    if (DeleteFileA(path.c_str())) {
        return DeleteOutcome::Deleted;
    }
    return Classify(GetLastError());
}

// Names of the cleaner's own, short enough for any file system: the one a
// file is put aside under, and the ones it keeps where it could be neither
// deleted nor put back.
constexpr char kAsideName[] = "KLARVO~~.DEL";
constexpr char kKeptStem[] = "KLARVO";
constexpr char kKeptExtension[] = ".KPT";
constexpr std::size_t kLongestPath = MAX_PATH - 1;

std::string Beside(const std::string& path, const std::string& name)
{
    return path.substr(0, path.rfind('\\') + 1) + name;
}

// Put back under the short name a listing fell back to, a file would lose
// its long one; so it is not moved at all unless `path` spells the very
// name the file system holds for it.
bool SpellsItsOwnName(const std::string& path)
{
    WIN32_FIND_DATAA found;
    const FindHandle search(FindFirstFileA(path.c_str(), &found));
    return search && path.compare(path.rfind('\\') + 1, std::string::npos, found.cFileName) == 0;
}

// Windows 9x cannot delete a file it holds open, so a window between the
// test and the delete stays. The file is first put aside under the
// cleaner's own name, which no program knows: one that looks for it by its
// old name no longer finds it, and only one that found the new name in the
// instants before the delete could still open it. Renaming fails for a
// file that is open there, so most files in use never move at all.
DeleteOutcome DeleteFileByName(const std::string& path)
{
    const std::string aside = Beside(path, kAsideName);
    if (aside.size() > kLongestPath || lstrcmpiA(aside.c_str(), path.c_str()) == 0 || !SpellsItsOwnName(path)) {
        return TestAndDelete(path);
    }
    if (!MoveFileA(path.c_str(), aside.c_str())) {
        const DWORD error = GetLastError();
        if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) {
            return TestAndDelete(path); // an earlier one in the way
        }
        return Classify(error);
    }
    const DeleteOutcome outcome = TestAndDelete(aside);
    if (outcome == DeleteOutcome::Deleted || outcome == DeleteOutcome::Gone) {
        return outcome;
    }
    // A move never replaces: a program that made the name again meanwhile
    // keeps its new file, and the old one a name that says whose it is.
    if (MoveFileA(aside.c_str(), path.c_str())) {
        return outcome;
    }
    if (GetLastError() == ERROR_FILE_NOT_FOUND) {
        return DeleteOutcome::Gone;
    }
    if (MoveFileA(aside.c_str(), StrandedName(path, DeleteOutcome::StrandedKept).c_str())) {
        return DeleteOutcome::StrandedKept;
    }
    return DeleteOutcome::StrandedAside;
}

} // namespace

#ifdef KLARVO_TEST_HOOKS
void StandInForNamedDelete(NamedDelete standIn)
{
    NamedDeleteStandIn() = std::move(standIn);
}
#endif

bool Narrowed(const wchar_t* name, std::string& narrow)
{
    char buffer[MAX_PATH * 2];
    BOOL usedDefault = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, 0, name, -1, buffer, sizeof buffer, nullptr, &usedDefault);
    if (length <= 1 || usedDefault) {
        return false;
    }
    wchar_t back[MAX_PATH * 2];
    if (MultiByteToWideChar(CP_ACP, 0, buffer, -1, back, MAX_PATH * 2) == 0 || std::wcscmp(back, name) != 0) {
        return false;
    }
    narrow = buffer;
    return true;
}

std::wstring Widened(const std::string& text)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(length > 0 ? length : 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
    wide.resize(length > 0 ? length - 1 : 0);
    return wide;
}

Listing ListByName(const std::string& directory, std::vector<Entry>& entries)
{
    return ListNarrow(directory, entries);
}

std::string FoldCase(std::string text)
{
    if (!text.empty()) {
        CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
    }
    return text;
}

bool IsDirectory(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsLink(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool IsMarkedToKeep(DWORD attributes)
{
    return attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM);
}

std::string CanonicalForm(const std::string& path, const DiskFunctions& functions)
{
    char buffer[MAX_PATH * 2];
    DWORD length = 0;
    if (functions.longPath) {
        length = functions.longPath(path.c_str(), buffer, sizeof buffer);
    } else {
        length = GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
    }
    if (length == 0 || length >= sizeof buffer) {
        return path;
    }
    return std::string(buffer, length);
}

std::string StrandedName(const std::string& path, DeleteOutcome outcome)
{
    if (outcome != DeleteOutcome::StrandedKept) {
        return Beside(path, kAsideName);
    }
    // One of 256 by the name it had, so that two kept in one folder seldom
    // ask for the same.
    unsigned char sum = 0;
    for (const char c : FoldCase(path.substr(path.rfind('\\') + 1))) {
        sum = static_cast<unsigned char>(sum * 31 + static_cast<unsigned char>(c));
    }
    const char digits[] = "0123456789ABCDEF";
    return Beside(path, std::string(kKeptStem) + digits[sum >> 4] + digits[sum & 15] + kKeptExtension);
}

DeleteOutcome DeleteEntry(const std::string& path, bool directory, WalkMode mode)
{
    if (mode == WalkMode::Preview) {
        // Windows 9x opens no directory: whether one is in use shows only
        // when it is removed.
        return directory ? DeleteOutcome::Deleted : TestOpen(path);
    }
    if (!directory) {
        return DeleteFileByName(path);
    }
    if (RemoveDirectoryA(path.c_str())) {
        return DeleteOutcome::Deleted;
    }
    return Classify(GetLastError());
}

} // namespace klarvo::resident
