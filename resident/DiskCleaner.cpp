#include "resident/DiskCleaner.h"

#include "win/Handles.h"
#include "win/SystemFunction.h"

#include <windows.h>

#include <initializer_list>

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
    static const auto function = SystemFunction<LongPathFunction>("kernel32.dll", "GetLongPathNameA");
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
    static const auto function = SystemFunction<FinalPathFunction>("kernel32.dll", "GetFinalPathNameByHandleA");
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

enum class DeleteOutcome { Deleted, InUse, Gone, Failed, Link, Marked, NotEmpty };

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

// Deleting through an open handle. SetFileInformationByHandle arrived with
// Windows Vista; before it, the NT line offers the same through ntdll's
// NtSetInformationFile (Windows NT 3.1 on). Windows 9x has neither.
constexpr int kFileDispositionInfo = 4;           // FILE_INFO_BY_HANDLE_CLASS
constexpr ULONG kFileDispositionInformation = 13; // FILE_INFORMATION_CLASS
constexpr LONG kStatusDirectoryNotEmpty = static_cast<LONG>(0xC0000101);
constexpr LONG kStatusSharingViolation = static_cast<LONG>(0xC0000043);

struct DispositionInfo {
    BOOLEAN deleteFile;
};

struct IoStatus {
    union {
        LONG status;
        void* pointer;
    };
    ULONG_PTR information;
};

using SetInformationFunction = BOOL(WINAPI*)(HANDLE, int, void*, DWORD);
using NtSetInformationFunction = LONG(NTAPI*)(HANDLE, IoStatus*, void*, ULONG, ULONG);
using InformationFunction = BOOL(WINAPI*)(HANDLE, BY_HANDLE_FILE_INFORMATION*);

struct Disposition {
    SetInformationFunction byHandle = nullptr;
    NtSetInformationFunction native = nullptr;
    // Loaded too, so that nothing of this path is imported where it is
    // never taken.
    InformationFunction information = nullptr;
};

const Disposition& DispositionFunctions()
{
    static const Disposition functions = [] {
        Disposition found;
        const HMODULE kernel = GetModuleHandleA("kernel32.dll");
        found.information = SystemFunction<InformationFunction>(kernel, "GetFileInformationByHandle");
        found.byHandle = SystemFunction<SetInformationFunction>(kernel, "SetFileInformationByHandle");
        // Windows 98 ships an ntdll of its own that is no NT kernel: the
        // native call is taken on the NT line only (high bit of GetVersion
        // clear). A system that has the documented function has links,
        // whatever version it reports.
        if (!found.byHandle && !(GetVersion() & 0x80000000u))
            if (HMODULE ntdll = GetModuleHandleA("ntdll.dll"))
                found.native = SystemFunction<NtSetInformationFunction>(ntdll, "NtSetInformationFile");
        return found;
    }();
    return functions;
}

bool DeletesThroughHandle()
{
    const Disposition& functions = DispositionFunctions();
    return functions.information && (functions.byHandle || functions.native);
}

// Marks the open entry for deletion when its last handle closes.
DeleteOutcome MarkForDeletion(HANDLE handle)
{
    const Disposition& functions = DispositionFunctions();
    DispositionInfo info{TRUE};
    if (functions.byHandle) {
        if (functions.byHandle(handle, kFileDispositionInfo, &info, sizeof info))
            return DeleteOutcome::Deleted;
        return Classify(GetLastError());
    }
    IoStatus status{};
    const LONG result = functions.native(handle, &status, &info, sizeof info, kFileDispositionInformation);
    if (result >= 0)
        return DeleteOutcome::Deleted;
    if (result == kStatusDirectoryNotEmpty)
        return DeleteOutcome::NotEmpty;
    if (result == kStatusSharingViolation)
        return DeleteOutcome::InUse;
    return DeleteOutcome::Failed;
}

// Opens the entry once, not following a link, with no sharing (so that one
// some program holds open shows as in use), checks through that handle that
// it is still what the listing showed, where it was listed, and deletes it
// through the same handle as it closes.
DeleteOutcome DeleteThroughHandle(const std::string& path, bool directory)
{
    const DWORD flags = FILE_FLAG_OPEN_REPARSE_POINT | (directory ? FILE_FLAG_BACKUP_SEMANTICS : 0);
    // A directory that Explorer watches is still removed, as RemoveDirectory
    // would; it goes once the watcher lets go.
    const DWORD sharing = directory ? FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE : 0;
    const FileHandle handle(
        CreateFileA(path.c_str(), DELETE | FILE_READ_ATTRIBUTES, sharing, nullptr, OPEN_EXISTING, flags, nullptr));
    if (!handle)
        return Classify(GetLastError());
    BY_HANDLE_FILE_INFORMATION information;
    if (!DispositionFunctions().information(handle.Get(), &information))
        return DeleteOutcome::Failed;
    const DWORD attributes = information.dwFileAttributes;
    if (IsLink(attributes) || IsDirectory(attributes) != directory)
        return DeleteOutcome::Link; // swapped since the listing
    if (IsMarkedToKeep(attributes))
        return DeleteOutcome::Marked;
    if (LeadsElsewhere(handle.Get(), path))
        return DeleteOutcome::Link;
    return MarkForDeletion(handle.Get());
}

// Windows 9x: no links to fear, but files open for normal input and output
// are deleted there; the exclusive open fails for them.
DeleteOutcome DeleteFileByName(const std::string& path)
{
    {
        const FileHandle probe(
            CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!probe)
            return Classify(GetLastError());
        if (LeadsElsewhere(probe.Get(), path))
            return DeleteOutcome::Link;
    }
    if (DeleteFileA(path.c_str()))
        return DeleteOutcome::Deleted;
    return Classify(GetLastError());
}

DeleteOutcome DeleteEntry(const std::string& path, bool directory)
{
    if (DeletesThroughHandle())
        return DeleteThroughHandle(path, directory);
    if (!directory)
        return DeleteFileByName(path);
    if (RemoveDirectoryA(path.c_str()))
        return DeleteOutcome::Deleted;
    return Classify(GetLastError());
}

void Count(DeleteOutcome outcome, bool directory, const std::string& path, ClearTally& tally)
{
    switch (outcome) {
    case DeleteOutcome::Deleted:
        ++(directory ? tally.directoriesRemoved : tally.filesDeleted);
        break;
    case DeleteOutcome::InUse:
        if (directory)
            break; // kept like one that something inside kept
        ++tally.inUse;
        if (tally.inUseFiles.size() < kNamedInUseFiles)
            tally.inUseFiles.push_back(path);
        break;
    case DeleteOutcome::Gone:
        break;
    case DeleteOutcome::NotEmpty:
        // Something inside was kept: the directory stays with it.
        if (!directory)
            ++tally.failed;
        break;
    case DeleteOutcome::Failed:
        // A directory that kept something is refused in several ways.
        if (!directory)
            ++tally.failed;
        break;
    case DeleteOutcome::Link:
        ++tally.links;
        break;
    case DeleteOutcome::Marked:
        ++tally.marked;
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
        prepared.push_back({Fold(CanonicalForm(normal.path)), place.wholeSubtree, place.allowsCleanables});
    }
    return prepared;
}

std::vector<std::string> Prepared(const std::vector<std::string>& cleanables)
{
    std::vector<std::string> prepared;
    for (const std::string& place : cleanables) {
        // Only a place that is itself an acceptable spelling may waive.
        const NormalisedPath normal = NormaliseDirectory(place);
        if (normal.verdict == PathVerdict::Accepted)
            prepared.push_back(Fold(CanonicalForm(normal.path)));
    }
    return prepared;
}

// The longest path the ANSI functions take, its terminating zero included.
constexpr std::size_t kLongestPath = MAX_PATH - 1;
// A directory is listed through "<dir>\*".
constexpr std::size_t kSearchSuffix = 2;

} // namespace

DiskCleaner::DiskCleaner(const std::vector<ProtectedPlace>& places, const std::vector<std::string>& cleanables)
    : places_(Prepared(places)), cleanables_(Prepared(cleanables))
{
}

DiskCleaner::Checked DiskCleaner::Check(const std::string& directory) const
{
    const NormalisedPath normal = NormaliseDirectory(directory);
    if (normal.verdict != PathVerdict::Accepted)
        return {normal.verdict, {}};
    // The spelling is judged before the disk is asked anything, and again in
    // long form, so that neither an alias nor a missing directory slips by.
    if (const PathVerdict verdict = JudgeAgainst(Fold(normal.path), places_, cleanables_);
        verdict != PathVerdict::Accepted)
        return {verdict, {}};
    if (!IsDirectory(GetFileAttributesA(normal.path.c_str())))
        return {PathVerdict::Missing, {}};
    if (PassesThroughLink(normal.path))
        return {PathVerdict::Link, {}};
    const NormalisedPath canonical = NormaliseDirectory(CanonicalForm(normal.path));
    if (canonical.verdict != PathVerdict::Accepted)
        return {canonical.verdict, {}};
    if (const PathVerdict verdict = JudgeAgainst(Fold(canonical.path), places_, cleanables_);
        verdict != PathVerdict::Accepted)
        return {verdict, {}};
    return {PathVerdict::Accepted, canonical.path};
}

PathVerdict DiskCleaner::Judge(const std::string& directory) const
{
    return Check(directory).verdict;
}

bool DiskCleaner::IsProtected(const std::string& path) const
{
    return JudgeAgainst(Fold(path), places_, cleanables_) != PathVerdict::Accepted;
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

void DiskCleaner::ClearInside(const std::string& root, bool withSubdirectories, const std::atomic<bool>* stop,
                              ClearTally& tally) const
{
    // A directory is visited twice: first to clear its files and queue its
    // subdirectories, then, once they are done, to be removed itself.
    struct Visit {
        std::string path;
        DWORD attributes;
        bool emptied;
        bool isRoot;
    };
    std::vector<Visit> pending{{root, 0, false, true}};
    while (!pending.empty()) {
        if (stop && stop->load()) {
            tally.stopped = true;
            return;
        }
        if (pending.back().emptied) {
            const Visit done = std::move(pending.back());
            pending.pop_back();
            if (IsMarkedToKeep(done.attributes))
                ++tally.marked;
            else
                Count(DeleteEntry(done.path, true), true, done.path, tally);
            continue;
        }
        pending.back().emptied = true;
        const std::string directory = pending.back().path;
        if (pending.back().isRoot)
            pending.pop_back(); // the directory itself is never removed
        std::vector<Entry> entries;
        if (!ListDirectory(directory, entries)) {
            ++tally.failed;
            continue;
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
            if (IsOddName(entry.name)) {
                ++tally.oddNames;
                continue;
            }
            const std::string path = directory + "\\" + entry.name;
            const bool isDirectory = entry.attributes & FILE_ATTRIBUTE_DIRECTORY;
            if (path.size() + (isDirectory ? kSearchSuffix : 0) > kLongestPath) {
                ++tally.tooLong;
                continue;
            }
            if (entry.attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
                ++tally.links;
                continue;
            }
            if (isDirectory) {
                if (!withSubdirectories)
                    continue;
                // Looked at again just before entering: it may have been
                // replaced by a link since the listing. What is inside is
                // checked entry by entry all the same.
                const DWORD now = GetFileAttributesA(path.c_str());
                if (!IsDirectory(now) || IsLink(now)) {
                    ++tally.links;
                    continue;
                }
                if (IsProtected(path)) {
                    ++tally.marked;
                    continue;
                }
                pending.push_back({path, now, false, false});
                continue;
            }
            if (IsMarkedToKeep(entry.attributes)) {
                ++tally.marked;
                continue;
            }
            Count(DeleteEntry(path, false), false, path, tally);
        }
    }
}

namespace {

// Explorer's names of the per-user folders, Windows 95 on.
constexpr char kShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kCurrentVersionKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";

void AddRegistryPaths(HKEY root, const char* keyName, std::initializer_list<const char*> values,
                      std::vector<std::string>& paths)
{
    RegistryKey key;
    if (RegOpenKeyExA(root, keyName, 0, KEY_QUERY_VALUE, key.Receive()) != ERROR_SUCCESS)
        return;
    for (const char* name : values) {
        char buffer[MAX_PATH];
        DWORD type = 0;
        DWORD size = sizeof buffer;
        if (RegQueryValueExA(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) ==
                ERROR_SUCCESS &&
            type == REG_SZ && size > 1 && size <= sizeof buffer)
            paths.push_back(std::string(buffer, size - 1).c_str());
    }
}

bool IsVariableSet(const char* name)
{
    char buffer[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA(name, buffer, sizeof buffer);
    return length > 0;
}

} // namespace

std::vector<ProtectedPlace> SystemProtectedPlaces(const std::string& programDir)
{
    std::vector<ProtectedPlace> places;
    char buffer[MAX_PATH];
    if (UINT length = GetWindowsDirectoryA(buffer, MAX_PATH); length > 0 && length < MAX_PATH)
        places.push_back({std::string(buffer, length), true, true});
    if (UINT length = GetSystemDirectoryA(buffer, MAX_PATH); length > 0 && length < MAX_PATH)
        places.push_back({std::string(buffer, length), true});
    std::vector<std::string> programFiles;
    AddRegistryPaths(HKEY_LOCAL_MACHINE, kCurrentVersionKey,
                     {"ProgramFilesDir", "ProgramFilesDir (x86)", "ProgramW6432Dir"}, programFiles);
    for (const std::string& path : programFiles)
        places.push_back({path, true, true});
    if (DWORD length = GetEnvironmentVariableA("USERPROFILE", buffer, MAX_PATH); length > 0 && length < MAX_PATH)
        places.push_back({std::string(buffer, length), false});
    // Windows 9x without user profiles keeps a person's folders here only.
    std::vector<std::string> own;
    AddRegistryPaths(HKEY_CURRENT_USER, kShellFoldersKey, {"Desktop", "Personal", "Favorites", "Start Menu", "AppData"},
                     own);
    for (const std::string& path : own)
        places.push_back({path, false});
    if (!programDir.empty())
        places.push_back({programDir, false});
    // Where a temporary path that names no directory of its own leads.
    if (DWORD length = GetCurrentDirectoryA(MAX_PATH, buffer); length > 0 && length < MAX_PATH)
        places.push_back({std::string(buffer, length), false});
    return places;
}

std::vector<std::string> SystemCleanablePlaces()
{
    std::vector<std::string> places;
    char buffer[MAX_PATH];
    if (IsVariableSet("TMP") || IsVariableSet("TEMP"))
        if (DWORD length = GetTempPathA(MAX_PATH, buffer); length > 0 && length < MAX_PATH)
            places.push_back(std::string(buffer, length));
    AddRegistryPaths(HKEY_CURRENT_USER, kShellFoldersKey, {"Cache", "Cookies", "History"}, places);
    return places;
}

} // namespace klarvo::resident
