#include "resident/disk/NtFiles.h"

#include <cstddef>
#include <cstring>

#include "win/SystemFunction.h"

namespace klarvo::resident {
namespace {

// The native structures, spelled out here: the headers of the toolchains
// differ on which of them they carry.
struct CountedName {
    USHORT length; // bytes
    USHORT capacity;
    const wchar_t* buffer;
};

struct ObjectAttributes {
    ULONG length;
    HANDLE root;
    const CountedName* name;
    ULONG attributes;
    void* security;
    void* quality;
};

struct IoStatus {
    union {
        NtStatus status;
        void* pointer;
    };
    ULONG_PTR information;
};

constexpr ULONG kCaseInsensitive = 0x40; // OBJ_CASE_INSENSITIVE, as the Win32 calls open

// FILE_INFORMATION_CLASS values.
constexpr int kBothDirectoryInformation = 3;
constexpr int kAllInformation = 18;
constexpr int kNameInformation = 9;
constexpr int kDispositionInformation = 13;

struct BothDirectoryInformation {
    ULONG next;
    ULONG index;
    LARGE_INTEGER created, accessed, written, changed;
    LARGE_INTEGER endOfFile;
    LARGE_INTEGER allocated;
    ULONG attributes;
    ULONG nameBytes;
    ULONG eaSize;
    CCHAR shortNameBytes;
    wchar_t shortName[12];
    wchar_t name[1];
};

struct Disposition {
    BOOLEAN deleteFile;
};

CountedName Counted(const std::wstring& text)
{
    const auto bytes = static_cast<USHORT>(text.size() * sizeof(wchar_t));
    return {bytes, bytes, text.c_str()};
}

bool IsDotEntry(const wchar_t* name, std::size_t length)
{
    return (length == 1 && name[0] == L'.') || (length == 2 && name[0] == L'.' && name[1] == L'.');
}

NtEntry EntryOf(const BothDirectoryInformation& found)
{
    NtEntry entry;
    entry.name.assign(found.name, found.nameBytes / sizeof(wchar_t));
    entry.shortName.assign(found.shortName, static_cast<std::size_t>(found.shortNameBytes) / sizeof(wchar_t));
    entry.attributes = found.attributes;
    entry.size = static_cast<ULONGLONG>(found.endOfFile.QuadPart);
    return entry;
}

// One read of a listing is as large as the system likes to fill at once.
constexpr ULONG kListingBytes = 64 * 1024;

} // namespace

NtFileCalls NtFileCalls::Find()
{
    NtFileCalls calls;
    calls.open = SystemFunction<Open>("ntdll.dll", "NtOpenFile");
    calls.queryDirectory = SystemFunction<QueryDirectory>("ntdll.dll", "NtQueryDirectoryFile");
    calls.query = SystemFunction<Information>("ntdll.dll", "NtQueryInformationFile");
    calls.set = SystemFunction<Information>("ntdll.dll", "NtSetInformationFile");
    calls.compareNames = SystemFunction<CompareNames>("ntdll.dll", "RtlEqualUnicodeString");
    return calls;
}

NtStatus OpenRelative(const NtFileCalls& calls, HANDLE directory, const std::wstring& name, ACCESS_MASK access,
                      ULONG share, ULONG options, FileHandle& opened)
{
    const CountedName counted = Counted(name);
    ObjectAttributes attributes{sizeof(ObjectAttributes), directory, &counted, kCaseInsensitive, nullptr, nullptr};
    IoStatus status{};
    HANDLE handle = nullptr;
    const NtStatus result = calls.open(&handle, access | SYNCHRONIZE, &attributes, &status, share, options);
    if (result >= 0) {
        opened = FileHandle(handle);
    }
    return result;
}

NtListing ListEntries(const NtFileCalls& calls, HANDLE directory)
{
    NtListing listing;
    std::vector<ULONGLONG> buffer(kListingBytes / sizeof(ULONGLONG)); // aligned as the entries need
    for (BOOLEAN restart = TRUE;; restart = FALSE) {
        IoStatus status{};
        listing.status = calls.queryDirectory(directory, nullptr, nullptr, nullptr, &status, buffer.data(),
                                              kListingBytes, kBothDirectoryInformation, FALSE, nullptr, restart);
        if (listing.status == nt_status::kNoSuchFile) {
            listing.status = nt_status::kNoMoreFiles; // an empty directory
        }
        if (listing.status < 0 || listing.status == nt_status::kNoMoreFiles) {
            return listing;
        }
        const auto* bytes = reinterpret_cast<const unsigned char*>(buffer.data());
        for (std::size_t at = 0;;) {
            const auto* found = reinterpret_cast<const BothDirectoryInformation*>(bytes + at);
            const std::size_t length = found->nameBytes / sizeof(wchar_t);
            if (!IsDotEntry(found->name, length)) {
                listing.entries.push_back(EntryOf(*found));
            }
            if (found->next == 0) {
                break;
            }
            at += found->next;
        }
    }
}

bool FindEntry(const NtFileCalls& calls, HANDLE directory, const std::wstring& name, NtEntry& found)
{
    std::vector<ULONGLONG> buffer(4096 / sizeof(ULONGLONG));
    const CountedName pattern = Counted(name);
    IoStatus status{};
    if (calls.queryDirectory(directory, nullptr, nullptr, nullptr, &status, buffer.data(), 4096,
                             kBothDirectoryInformation, TRUE, const_cast<CountedName*>(&pattern), TRUE) < 0) {
        return false;
    }
    found = EntryOf(*reinterpret_cast<const BothDirectoryInformation*>(buffer.data()));
    return true;
}

bool QueryName(const NtFileCalls& calls, HANDLE handle, std::wstring& name)
{
    // The length, then the name. Most names fit the small buffer; one that
    // does not is asked again with room for the longest path there is.
    ULONG small[256];
    std::vector<ULONG> large;
    ULONG* buffer = small;
    ULONG capacity = sizeof small;
    IoStatus status{};
    NtStatus result = calls.query(handle, &status, buffer, capacity, kNameInformation);
    if (result == nt_status::kBufferOverflow) {
        large.resize((sizeof(ULONG) + 32768 * sizeof(wchar_t)) / sizeof(ULONG) + 1);
        buffer = large.data();
        capacity = static_cast<ULONG>(large.size() * sizeof(ULONG));
        result = calls.query(handle, &status, buffer, capacity, kNameInformation);
    }
    if (result < 0 || result == nt_status::kBufferOverflow || buffer[0] > capacity - sizeof(ULONG)) {
        return false;
    }
    name.assign(reinterpret_cast<const wchar_t*>(buffer + 1), buffer[0] / sizeof(wchar_t));
    return true;
}

bool QueryAttributesAndName(const NtFileCalls& calls, HANDLE handle, DWORD& attributes, std::wstring& name)
{
    // FILE_ALL_INFORMATION: the basic part (attributes after four times)
    // first, the name last; every part in between is of fixed size.
    constexpr std::size_t kAttributesAt = 32;
    constexpr std::size_t kNameAt = 96;
    ULONG buffer[512];
    IoStatus status{};
    if (calls.query(handle, &status, buffer, sizeof buffer, kAllInformation) < 0) {
        return false; // a name far longer than any path the walk reaches
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(buffer);
    std::memcpy(&attributes, bytes + kAttributesAt, sizeof attributes);
    ULONG nameBytes = 0;
    std::memcpy(&nameBytes, bytes + kNameAt, sizeof nameBytes);
    if (nameBytes > sizeof buffer - kNameAt - sizeof(ULONG)) {
        return false;
    }
    name.assign(reinterpret_cast<const wchar_t*>(bytes + kNameAt + sizeof(ULONG)), nameBytes / sizeof(wchar_t));
    return true;
}

NtStatus MarkForDeletion(const NtFileCalls& calls, HANDLE handle)
{
    Disposition disposition{TRUE};
    IoStatus status{};
    return calls.set(handle, &status, &disposition, sizeof disposition, kDispositionInformation);
}

bool SameName(const NtFileCalls& calls, const std::wstring& first, const std::wstring& second)
{
    if (first.size() != second.size()) {
        return false;
    }
    const CountedName a = Counted(first);
    const CountedName b = Counted(second);
    return calls.compareNames(&a, &b, TRUE) != FALSE;
}

std::wstring ChildName(const std::wstring& directory, const std::wstring& entry)
{
    if (!directory.empty() && directory.back() == L'\\') {
        return directory + entry;
    }
    return directory + L'\\' + entry;
}

} // namespace klarvo::resident
