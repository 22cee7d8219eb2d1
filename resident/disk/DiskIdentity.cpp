#include "resident/disk/DiskIdentity.h"

#include <windows.h>

#include <algorithm>

#include "resident/disk/DiskEntries.h"
#include "win/File.h"

namespace klarvo::resident {
namespace {

// Another cleaner's judgement holds the trial files for one walk of the
// protected places: seconds, even on a slow disk.
constexpr DWORD kTrialFilePatienceMs = 30000;

#ifdef KLARVO_TEST_HOOKS
std::vector<std::string>* g_zeroIndexKeys = nullptr;
bool g_abandonMarkers = false;
#endif

std::string HexKey(DWORD serial, DWORD high, DWORD low)
{
    char key[32];
    wsprintfA(key, "%08lX:%08lX%08lX", serial, high, low);
    return key;
}

// Serial number and file index. An index of zero is a file system that
// keeps none (FAT gives it to a volume's root): the root is then told by
// its volume, anything else cannot be told apart from its neighbours.
std::string KeyOf(HANDLE handle, bool volumeRoot, const DiskFunctions& functions)
{
    BY_HANDLE_FILE_INFORMATION information;
    if (!functions.information(handle, &information)) {
        return {};
    }
    DWORD high = information.nFileIndexHigh;
    DWORD low = information.nFileIndexLow;
#ifdef KLARVO_TEST_HOOKS
    if (g_zeroIndexKeys && std::find(g_zeroIndexKeys->begin(), g_zeroIndexKeys->end(),
                                     HexKey(information.dwVolumeSerialNumber, high, low)) != g_zeroIndexKeys->end()) {
        high = low = 0;
    }
#endif
    if (high == 0 && low == 0) {
        return volumeRoot ? "V" + HexKey(information.dwVolumeSerialNumber, 0, 0) : std::string();
    }
    return HexKey(information.dwVolumeSerialNumber, high, low);
}

FileHandle OpenByName(const std::string& path)
{
    return FileHandle(CreateFileA(path.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE, kShareAll,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

constexpr ACCESS_MASK kListing = FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES;
constexpr ULONG kDirectoryItself = nt_open::kDirectory | nt_open::kSynchronous | nt_open::kReparsePointItself;

// Where the part above the directories ends: "X:\" or "\\server\share\".
std::size_t RootLength(const std::string& path)
{
    if (path.size() >= 3 && path[1] == ':' && path[2] == '\\') {
        return 3;
    }
    if (path.rfind("\\\\", 0) != 0) {
        return std::string::npos;
    }
    const std::size_t server = path.find('\\', 2);
    if (server == std::string::npos) {
        return std::string::npos;
    }
    const std::size_t share = path.find('\\', server + 1);
    return share == std::string::npos ? path.size() : share + 1;
}

std::vector<std::string> Components(const std::string& normalised)
{
    std::vector<std::string> components;
    for (std::size_t at = 3; at < normalised.size();) {
        std::size_t end = normalised.find('\\', at);
        if (end == std::string::npos) {
            end = normalised.size();
        }
        components.push_back(normalised.substr(at, end - at));
        at = end + 1;
    }
    return components;
}

bool IsLinkOrFile(DWORD attributes)
{
    return !IsDirectory(attributes) || IsLink(attributes);
}

PathVerdict VerdictOfFailedOpen(NtStatus status)
{
    switch (status) {
    case nt_status::kNameNotFound:
    case nt_status::kPathNotFound:
    case nt_status::kNotADirectory:
        return PathVerdict::Missing;
    default:
        return PathVerdict::Unverifiable;
    }
}

std::vector<std::wstring> SubdirectoriesOf(HANDLE directory, const DiskFunctions& functions)
{
    std::vector<std::wstring> names;
    for (NtEntry& entry : ListEntries(functions.nt, directory).entries) {
        if (!IsLinkOrFile(entry.attributes)) {
            names.push_back(std::move(entry.name));
        }
    }
    return names;
}

std::string JournalLine(const std::string& file)
{
    return file + "\r\n";
}

} // namespace

OpenedDirectory OpenDirectoryChain(const std::string& normalised, const DiskFunctions& functions)
{
    OpenedDirectory opened;
    opened.handle = OpenByName(normalised.substr(0, 3));
    if (!opened.handle) {
        opened.verdict = PathVerdict::Missing; // no such drive, or none in it
        return opened;
    }
    PlaceChain downwards{KeyOf(opened.handle.Get(), true, functions)};
    if (downwards.back().empty() || !QueryName(functions.nt, opened.handle.Get(), opened.name)) {
        return opened;
    }
    for (const std::string& component : Components(normalised)) {
        // By the name the directory holds it under, so that the system's
        // name for it must be exactly its parent's and that one.
        NtEntry listed;
        if (!FindEntry(functions.nt, opened.handle.Get(), Widened(component), listed)) {
            opened.verdict = PathVerdict::Missing;
            return opened;
        }
        if (IsLink(listed.attributes)) {
            opened.verdict = PathVerdict::Link;
            return opened;
        }
        FileHandle next;
        const NtStatus status =
            OpenRelative(functions.nt, opened.handle.Get(), listed.name, kListing, kShareAll, kDirectoryItself, next);
        if (status < 0) {
            opened.verdict = VerdictOfFailedOpen(status);
            return opened;
        }
        BY_HANDLE_FILE_INFORMATION information;
        std::wstring name;
        if (!functions.information(next.Get(), &information) || !QueryName(functions.nt, next.Get(), name)) {
            return opened;
        }
        if (IsLink(information.dwFileAttributes)) {
            opened.verdict = PathVerdict::Link;
            return opened;
        }
        // Named elsewhere: Wine follows a Unix link it does not list as one,
        // and names a directory from the deepest drive letter rooted at or
        // above it, so this is all that can be said.
        if (!SameName(functions.nt, name, ChildName(opened.name, listed.name))) {
            return opened;
        }
        downwards.push_back(KeyOf(next.Get(), false, functions));
        if (downwards.back().empty()) {
            return opened; // a directory that cannot be told apart
        }
        opened.handle = std::move(next);
        opened.name = std::move(name);
    }
    opened.chain.assign(downwards.rbegin(), downwards.rend());
    opened.verdict = PathVerdict::Accepted;
    return opened;
}

PlaceChain IdentityChain(const std::string& path, const DiskFunctions& functions)
{
    PlaceChain chain;
    if (!functions.HandlePath()) {
        return chain;
    }
    const std::size_t root = RootLength(path);
    if (root == std::string::npos) {
        return chain;
    }
    std::string current = path;
    while (current.size() > root && current.back() == '\\') {
        current.pop_back();
    }
    for (;;) {
        const bool atRoot = current.size() <= root;
        const FileHandle handle = OpenByName(atRoot ? path.substr(0, root) : current);
        const std::string key = handle ? KeyOf(handle.Get(), atRoot, functions) : std::string();
        if (key.empty()) {
            return {};
        }
        chain.push_back(key);
        if (atRoot) {
            return chain;
        }
        const std::size_t slash = current.rfind('\\');
        current = slash + 1 <= root ? current.substr(0, root) : current.substr(0, slash);
    }
}

std::vector<std::string> TreeIdentities(const std::string& place, const DiskFunctions& functions)
{
    std::vector<std::string> keys;
    struct Frame {
        FileHandle handle;
        std::vector<std::wstring> subdirectories;
        std::size_t next = 0;
    };
    std::vector<Frame> path;
    if (FileHandle root = OpenByName(place)) {
        std::vector<std::wstring> inside = SubdirectoriesOf(root.Get(), functions);
        path.push_back({std::move(root), std::move(inside)});
    }
    while (!path.empty()) {
        Frame& top = path.back();
        if (top.next == top.subdirectories.size()) {
            path.pop_back();
            continue;
        }
        FileHandle child;
        if (OpenRelative(functions.nt, top.handle.Get(), top.subdirectories[top.next++], kListing, kShareAll,
                         kDirectoryItself, child) < 0) {
            continue;
        }
        BY_HANDLE_FILE_INFORMATION information;
        if (!functions.information(child.Get(), &information) || IsLink(information.dwFileAttributes)) {
            continue;
        }
        if (std::string key = KeyOf(child.Get(), false, functions); !key.empty()) {
            keys.push_back(std::move(key));
        }
        std::vector<std::wstring> inside = SubdirectoriesOf(child.Get(), functions);
        path.push_back({std::move(child), std::move(inside)});
    }
    std::sort(keys.begin(), keys.end());
    return keys;
}

std::vector<std::string> TreePaths(const std::string& place)
{
    std::vector<std::string> paths;
    std::vector<std::string> pending{place};
    while (!pending.empty()) {
        const std::string directory = std::move(pending.back());
        pending.pop_back();
        std::vector<Entry> entries;
        ListByName(directory, entries);
        for (const Entry& entry : entries) {
            const std::string path = directory + '\\' + entry.name;
            if (entry.name.empty() || IsLinkOrFile(entry.attributes) || path.size() + 2 >= MAX_PATH) {
                continue;
            }
            paths.push_back(FoldCase(path));
            pending.push_back(path);
        }
    }
    return paths;
}

Marker::Marker(const std::string& directory, std::string journal)
    : journalLock_(kMarkerJournalLockName, kTrialFilePatienceMs, nullptr), journal_(std::move(journal))
{
    if (!journalLock_.Held()) {
        return; // nothing can be established without it
    }
    char name[32];
    wsprintfA(name, "KLARVO~%08lX%04lX.MRK", GetTickCount(), GetCurrentProcessId() & 0xFFFF);
    file_ = directory + '\\' + name;
    try {
        if (!journal_.empty()) {
            File::OpenAlways(journal_).Append(JournalLine(file_));
        }
    } catch (const FileError&) {
        return;
    }
    made_ = static_cast<bool>(
        FileHandle(CreateFileA(file_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_HIDDEN, nullptr)));
}

Marker::~Marker()
{
#ifdef KLARVO_TEST_HOOKS
    if (g_abandonMarkers) {
        return;
    }
#endif
    if (made_) {
        DeleteFileA(file_.c_str());
    }
    if (journal_.empty()) {
        return;
    }
    // Two cleaners may judge at once: only this marker's line goes.
    try {
        std::string lines = ReadWholeFile(journal_);
        if (const std::size_t at = lines.find(JournalLine(file_)); at != std::string::npos) {
            lines.erase(at, JournalLine(file_).size());
        }
        if (lines.empty()) {
            DeleteFileA(journal_.c_str());
        } else {
            WriteWholeFile(journal_, lines);
        }
    } catch (const FileError&) {
        // Left for the next sweep, which finds the marker gone.
    }
}

bool Marker::ShowsIn(const std::string& directory) const
{
    const std::string name = file_.substr(file_.rfind('\\'));
    const std::string base = directory.back() == '\\' ? directory.substr(0, directory.size() - 1) : directory;
    return GetFileAttributesA((base + name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsMarkerName(const std::string& name)
{
    const std::string folded = FoldCase(name);
    return folded.size() > 11 && folded.rfind("KLARVO~", 0) == 0 && folded.ends_with(".MRK");
}

void SweepMarkers(const std::string& journal)
{
    // Another cleaner is judging: its lines are no leftovers, and the next
    // sweep comes.
    const WorkLock lock(kMarkerJournalLockName, 0, nullptr);
    if (!lock.Held()) {
        return;
    }
    std::string lines;
    try {
        lines = ReadWholeFile(journal);
    } catch (const FileError&) {
        return; // none: nothing was left
    }
    for (std::size_t at = 0; at < lines.size();) {
        std::size_t end = lines.find("\r\n", at);
        if (end == std::string::npos) {
            end = lines.size();
        }
        const std::string file = lines.substr(at, end - at);
        at = end + 2;
        const std::size_t slash = file.rfind('\\');
        // Only a marker, only where a marker could have been made.
        if (slash != std::string::npos && IsMarkerName(file.substr(slash + 1)) &&
            NormaliseDirectory(file.substr(0, slash)).verdict == PathVerdict::Accepted) {
            DeleteFileA(file.c_str());
        }
    }
    DeleteFileA(journal.c_str());
}

#ifdef KLARVO_TEST_HOOKS
ScopedZeroIndex::ScopedZeroIndex(const std::vector<std::string>& directories)
{
    const DiskFunctions functions = DiskFunctions::Find();
    g_zeroIndexKeys = new std::vector<std::string>;
    for (const std::string& directory : directories) {
        BY_HANDLE_FILE_INFORMATION information;
        const FileHandle handle = OpenByName(directory);
        if (handle && functions.information && functions.information(handle.Get(), &information)) {
            g_zeroIndexKeys->push_back(
                HexKey(information.dwVolumeSerialNumber, information.nFileIndexHigh, information.nFileIndexLow));
        }
    }
}

ScopedZeroIndex::~ScopedZeroIndex()
{
    delete g_zeroIndexKeys;
    g_zeroIndexKeys = nullptr;
}

ScopedAbandonedMarkers::ScopedAbandonedMarkers()
{
    g_abandonMarkers = true;
}

ScopedAbandonedMarkers::~ScopedAbandonedMarkers()
{
    g_abandonMarkers = false;
}
#endif

} // namespace klarvo::resident
