#pragma once

// The NT line's own file calls (ntdll, NT 3.1 on). They open a name
// relative to a directory that is already open, so that nothing below a
// judged directory is ever looked up by path again: renaming or linking a
// parent meanwhile cannot lead a walk out of its tree. Windows 9x has none
// of them and works by name.

#include <windows.h>

#include <string>
#include <vector>

#include "win/Handles.h"

namespace klarvo::resident {

using NtStatus = LONG;

// The statuses the disk work tells apart.
namespace nt_status {
inline constexpr NtStatus kNoMoreFiles = static_cast<NtStatus>(0x80000006);
inline constexpr NtStatus kBufferOverflow = static_cast<NtStatus>(0x80000005);
inline constexpr NtStatus kNoSuchFile = static_cast<NtStatus>(0xC000000F);
inline constexpr NtStatus kAccessDenied = static_cast<NtStatus>(0xC0000022);
inline constexpr NtStatus kNameNotFound = static_cast<NtStatus>(0xC0000034);
inline constexpr NtStatus kPathNotFound = static_cast<NtStatus>(0xC000003A);
inline constexpr NtStatus kSharingViolation = static_cast<NtStatus>(0xC0000043);
inline constexpr NtStatus kDeletePending = static_cast<NtStatus>(0xC0000056);
inline constexpr NtStatus kFileIsADirectory = static_cast<NtStatus>(0xC00000BA);
inline constexpr NtStatus kDirectoryNotEmpty = static_cast<NtStatus>(0xC0000101);
inline constexpr NtStatus kNotADirectory = static_cast<NtStatus>(0xC0000103);
inline constexpr NtStatus kCannotDelete = static_cast<NtStatus>(0xC0000121);
} // namespace nt_status

// Options of an open (the native open's CreateOptions).
namespace nt_open {
inline constexpr ULONG kDirectory = 0x00000001;
inline constexpr ULONG kSynchronous = 0x00000020; // FILE_SYNCHRONOUS_IO_NONALERT
inline constexpr ULONG kNotDirectory = 0x00000040;
inline constexpr ULONG kForBackup = 0x00004000;
inline constexpr ULONG kReparsePointItself = 0x00200000; // never what a link names
} // namespace nt_open

inline constexpr ULONG kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

struct NtFileCalls {
    using Open = NtStatus(NTAPI*)(HANDLE*, ACCESS_MASK, void* attributes, void* status, ULONG share, ULONG options);
    using QueryDirectory = NtStatus(NTAPI*)(HANDLE, HANDLE event, void* apc, void* context, void* status, void* buffer,
                                            ULONG length, int infoClass, BOOLEAN single, void* mask, BOOLEAN restart);
    using Information = NtStatus(NTAPI*)(HANDLE, void* status, void* buffer, ULONG length, int infoClass);
    using CompareNames = BOOLEAN(NTAPI*)(const void* first, const void* second, BOOLEAN ignoreCase);

    Open open = nullptr;
    QueryDirectory queryDirectory = nullptr;
    Information query = nullptr;
    Information set = nullptr;
    CompareNames compareNames = nullptr;

    static NtFileCalls Find();
    bool Present() const { return open && queryDirectory && query && set && compareNames; }
};

// One entry of a directory as the system holds it.
struct NtEntry {
    std::wstring name;
    std::wstring shortName; // empty where the file system keeps none
    DWORD attributes = 0;
    ULONGLONG size = 0;
};

struct NtListing {
    NtStatus status = 0; // kNoMoreFiles when complete
    std::vector<NtEntry> entries;
};

// Opens `name`, one entry of the open directory `directory`, with the
// given access, sharing and options; `opened` holds it on success.
NtStatus OpenRelative(const NtFileCalls& calls, HANDLE directory, const std::wstring& name, ACCESS_MASK access,
                      ULONG share, ULONG options, FileHandle& opened);

// Every entry but "." and "..", the whole listing at once.
NtListing ListEntries(const NtFileCalls& calls, HANDLE directory);

// The entry of the directory that `name` reaches, as listed (under its long
// name, for a short one); false when there is none. The system keeps the
// first pattern it was asked on a handle: a directory so asked is listed no
// more.
bool FindEntry(const NtFileCalls& calls, HANDLE directory, const std::wstring& name, NtEntry& found);

// The path of the open entry from the root of its volume ("\A\B"), as the
// system found it: a link followed on the way shows as another path.
bool QueryName(const NtFileCalls& calls, HANDLE handle, std::wstring& name);

// The attributes of the open entry as they are now, and its path as
// QueryName gives it, asked at once.
bool QueryAttributesAndName(const NtFileCalls& calls, HANDLE handle, DWORD& attributes, std::wstring& name);

// Deletes the open entry once its last handle closes.
NtStatus MarkForDeletion(const NtFileCalls& calls, HANDLE handle);

// The names compared as the file systems of the NT line do, case ignored.
bool SameName(const NtFileCalls& calls, const std::wstring& first, const std::wstring& second);

// "\A" and "B" give "\A\B"; the root "\" and "B" give "\B".
std::wstring ChildName(const std::wstring& directory, const std::wstring& entry);

} // namespace klarvo::resident
