#include "resident/DiskCleaner.h"

#include "win/Handles.h"

#include <windows.h>

namespace klarvo::resident {
namespace {

std::string Fold(std::string text)
{
    if (!text.empty())
        CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// GetLongPathNameA is missing on Windows 95; there both sides of every
// comparison use the short form instead, which is just as unique.
using LongPathFunction = DWORD(WINAPI*)(LPCSTR, LPSTR, DWORD);

LongPathFunction LongPathName()
{
    static const auto function = reinterpret_cast<LongPathFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetLongPathNameA")));
    return function;
}

// One spelling per directory for comparisons; the path unchanged when the
// system cannot say (it does not exist, for instance).
std::string CanonicalForm(const std::string& path)
{
    char buffer[MAX_PATH * 2];
    DWORD length = 0;
    if (LongPathFunction function = LongPathName())
        length = function(path.c_str(), buffer, sizeof buffer);
    else
        length = GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer)
        return path;
    return std::string(buffer, length);
}

using FinalPathFunction = DWORD(WINAPI*)(HANDLE, LPSTR, DWORD, DWORD);

// Present from Windows Vista on, and in Wine; systems without it have no
// links that could hide behind a plain file's attributes.
FinalPathFunction FinalPathName()
{
    static const auto function = reinterpret_cast<FinalPathFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetFinalPathNameByHandleA")));
    return function;
}

// True when the open handle is not the object that `path` spells: a link
// was followed on the way. Wine shows a Unix link to a file as a plain
// file, and deleting it by name there deletes its target.
bool LeadsElsewhere(HANDLE handle, const std::string& path)
{
    const FinalPathFunction function = FinalPathName();
    if (!function)
        return false;
    char buffer[MAX_PATH * 2];
    const DWORD length = function(handle, buffer, sizeof buffer, 0);
    if (length == 0 || length >= sizeof buffer)
        return true; // cannot tell: better left alone
    std::string final(buffer, length);
    if (final.rfind("\\\\?\\", 0) == 0)
        final.erase(0, 4);
    return Fold(final) != Fold(path) && Fold(final) != Fold(CanonicalForm(path));
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

// A directory reached through a link the attributes did not show. Only the
// NT line can open a directory; Windows 9x has no links to hide.
bool IsLinkedDirectory(const std::string& path)
{
    const FileHandle handle(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return handle && LeadsElsewhere(handle.Get(), path);
}

// Any link on the way to the directory, the directory included, would make
// the path name a place other than the one it spells.
bool PassesThroughLink(const std::string& normalised)
{
    if (IsLinkedDirectory(normalised))
        return true;
    for (std::size_t slash = normalised.find('\\', 3);; slash = normalised.find('\\', slash + 1)) {
        const std::string prefix = slash == std::string::npos ? normalised : normalised.substr(0, slash);
        if (IsLink(GetFileAttributesA(prefix.c_str())))
            return true;
        if (slash == std::string::npos)
            return false;
    }
}

struct Entry {
    std::string name;
    DWORD attributes;
};

// The whole listing first: deleting while a search is open may make it skip
// entries on some file systems.
bool ListDirectory(const std::string& directory, std::vector<Entry>& entries)
{
    WIN32_FIND_DATAA found;
    const FindHandle search(FindFirstFileA((directory + "\\*").c_str(), &found));
    if (!search)
        return GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_NO_MORE_FILES;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        // A long name that does not fit the code page comes back with '?'
        // in it; only its short name can reach it.
        if (name.find('?') != std::string::npos)
            name = found.cAlternateFileName;
        entries.push_back({name, found.dwFileAttributes});
    } while (FindNextFileA(search.Get(), &found));
    return true;
}

enum class DeleteOutcome { Deleted, InUse, Gone, Failed, Link };

DeleteOutcome Classify(DWORD error)
{
    switch (error) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return DeleteOutcome::InUse;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return DeleteOutcome::Gone;
    default:
        return DeleteOutcome::Failed;
    }
}

DeleteOutcome DeleteIfUnused(const std::string& path)
{
    // Windows 9x deletes files that are open; the exclusive open fails for
    // them there and on the NT line alike.
    bool link = false;
    {
        const FileHandle probe(
            CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!probe)
            return Classify(GetLastError());
        link = LeadsElsewhere(probe.Get(), path);
    }
    if (link)
        return DeleteOutcome::Link;
    if (DeleteFileA(path.c_str()))
        return DeleteOutcome::Deleted;
    return Classify(GetLastError());
}

void Count(DeleteOutcome outcome, ClearTally& tally)
{
    switch (outcome) {
    case DeleteOutcome::Deleted:
        ++tally.filesDeleted;
        break;
    case DeleteOutcome::InUse:
        ++tally.inUse;
        break;
    case DeleteOutcome::Gone:
        break;
    case DeleteOutcome::Failed:
        ++tally.failed;
        break;
    case DeleteOutcome::Link:
        ++tally.links;
        break;
    }
}

std::vector<ProtectedPlace> Prepared(const std::vector<ProtectedPlace>& places)
{
    std::vector<ProtectedPlace> prepared;
    for (const ProtectedPlace& place : places) {
        const NormalisedPath normal = NormaliseDirectory(place.path);
        if (normal.verdict != PathVerdict::Accepted && normal.verdict != PathVerdict::DriveRoot)
            continue;
        prepared.push_back({Fold(CanonicalForm(normal.path)), place.wholeSubtree});
    }
    return prepared;
}

} // namespace

DiskCleaner::DiskCleaner(const std::vector<ProtectedPlace>& places) : places_(Prepared(places)) {}

DiskCleaner::Checked DiskCleaner::Check(const std::string& directory) const
{
    const NormalisedPath normal = NormaliseDirectory(directory);
    if (normal.verdict != PathVerdict::Accepted)
        return {normal.verdict, {}};
    // The spelling is judged before the disk is asked anything, and again in
    // long form, so that neither an alias nor a missing directory slips by.
    if (const PathVerdict verdict = JudgeAgainst(Fold(normal.path), places_); verdict != PathVerdict::Accepted)
        return {verdict, {}};
    if (!IsDirectory(GetFileAttributesA(normal.path.c_str())))
        return {PathVerdict::Missing, {}};
    if (PassesThroughLink(normal.path))
        return {PathVerdict::Link, {}};
    const NormalisedPath canonical = NormaliseDirectory(CanonicalForm(normal.path));
    if (canonical.verdict != PathVerdict::Accepted)
        return {canonical.verdict, {}};
    if (const PathVerdict verdict = JudgeAgainst(Fold(canonical.path), places_); verdict != PathVerdict::Accepted)
        return {verdict, {}};
    return {PathVerdict::Accepted, canonical.path};
}

PathVerdict DiskCleaner::Judge(const std::string& directory) const
{
    return Check(directory).verdict;
}

bool DiskCleaner::IsProtected(const std::string& path) const
{
    const std::string folded = Fold(path);
    for (const ProtectedPlace& place : places_)
        if (folded == place.path || IsSameOrInside(place.path, folded) ||
            (place.wholeSubtree && IsSameOrInside(folded, place.path)))
            return true;
    return false;
}

ClearTally DiskCleaner::Clear(const std::string& directory, bool withSubdirectories,
                              const std::atomic<bool>* stop) const
{
    ClearTally tally;
    const Checked checked = Check(directory);
    tally.verdict = checked.verdict;
    if (checked.verdict == PathVerdict::Accepted)
        ClearInside(checked.path, withSubdirectories, stop, tally);
    return tally;
}

void DiskCleaner::ClearInside(const std::string& directory, bool withSubdirectories, const std::atomic<bool>* stop,
                              ClearTally& tally) const
{
    std::vector<Entry> entries;
    if (!ListDirectory(directory, entries)) {
        ++tally.failed;
        return;
    }
    for (const Entry& entry : entries) {
        if (stop && stop->load()) {
            tally.stopped = true;
            return;
        }
        if (entry.name.empty() || IsDeviceName(entry.name)) {
            ++tally.failed;
            continue;
        }
        const std::string path = directory + "\\" + entry.name;
        if (entry.attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            ++tally.links;
            continue;
        }
        if (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (!withSubdirectories)
                continue;
            // Looked at again just before entering: it may have been
            // replaced by a link since the listing.
            const DWORD now = GetFileAttributesA(path.c_str());
            if (!IsDirectory(now) || IsLink(now) || IsLinkedDirectory(path)) {
                ++tally.links;
                continue;
            }
            if (IsProtected(path)) {
                ++tally.marked;
                continue;
            }
            ClearInside(path, true, stop, tally);
            if (tally.stopped)
                return;
            if (IsMarkedToKeep(now))
                ++tally.marked;
            else if (RemoveDirectoryA(path.c_str()))
                ++tally.directoriesRemoved;
            // Otherwise something inside was kept: the directory stays.
            continue;
        }
        if (IsMarkedToKeep(entry.attributes)) {
            ++tally.marked;
            continue;
        }
        Count(DeleteIfUnused(path), tally);
    }
}

std::vector<ProtectedPlace> SystemProtectedPlaces(const std::string& programDir)
{
    std::vector<ProtectedPlace> places;
    char buffer[MAX_PATH];
    if (UINT length = GetWindowsDirectoryA(buffer, MAX_PATH); length > 0 && length < MAX_PATH)
        places.push_back({std::string(buffer, length), false});
    if (UINT length = GetSystemDirectoryA(buffer, MAX_PATH); length > 0 && length < MAX_PATH)
        places.push_back({std::string(buffer, length), true});
    if (DWORD length = GetEnvironmentVariableA("USERPROFILE", buffer, MAX_PATH); length > 0 && length < MAX_PATH)
        places.push_back({std::string(buffer, length), false});
    // Windows 9x without user profiles keeps a person's folders here only.
    RegistryKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0,
                      KEY_QUERY_VALUE, key.Receive()) == ERROR_SUCCESS) {
        for (const char* name : {"Desktop", "Personal", "Favorites", "Start Menu", "AppData"}) {
            DWORD type = 0;
            DWORD size = sizeof buffer;
            if (RegQueryValueExA(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) ==
                    ERROR_SUCCESS &&
                type == REG_SZ && size > 1 && size <= sizeof buffer)
                places.push_back({std::string(buffer, size - 1).c_str(), false});
        }
    }
    if (!programDir.empty())
        places.push_back({programDir, false});
    return places;
}

} // namespace klarvo::resident
