#pragma once

// The system functions the disk work takes where the system has them, and
// the questions it asks the system about drive letters.

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "resident/disk/NtFiles.h"
#include "win/SystemFunction.h"

namespace klarvo::resident {

// The functions the disk work takes from the system where it has them,
// looked up once per cleaner. Which of them exist decides the path the
// work takes, never the version the system reports: compatibility modes
// and Wine report Windows 9x on systems that have them all.
struct DiskFunctions {
    using LongPath = DWORD(WINAPI*)(LPCSTR, LPSTR, DWORD);
    using Information = BOOL(WINAPI*)(HANDLE, BY_HANDLE_FILE_INFORMATION*);

    LongPath longPath = nullptr; // Windows 98 and 2000 on
    Information information = nullptr;
    NtFileCalls nt; // the NT line's kernel, 3.1 on

    static DiskFunctions Find();

    // The NT line: a directory has a handle, each entry is opened relative
    // to its directory's handle and deleted through its own.
    bool HandlePath() const { return information && nt.Present(); }
};

#ifdef KLARVO_TEST_HOOKS
// What a test tells a program to miss so that the disk work takes the path
// of Windows 95 and 98 (see ScopedMissingFunctions).
inline constexpr char kWindows9xLacks[] = "NtOpenFile,NtQueryDirectoryFile,NtQueryInformationFile,NtSetInformationFile,"
                                          "RtlEqualUnicodeString,GetFileInformationByHandle,MoveFileExA";
#endif

// Where a path on a drive letter of Windows 9x really leads: its "true
// name", with SUBST undone; "\\server\share\..." for a network drive.
// Nothing when the system would not say. Where the system has no such
// service (the NT line, Wine), the path stands for itself.
bool TrueName(const std::string& path, std::string& trueName);

// The share behind a drive letter ("X:"), empty for a local drive.
std::string NetworkConnection(const std::string& letter);

// The NT line: the other folders the volume of a drive root ("X:\") is
// mounted at ("C:\MNT\"), where the system can say (XP on).
std::vector<std::string> OtherMountPaths(const std::string& root);

#ifdef KLARVO_TEST_HOOKS
// Wine answers the questions above with the path unchanged, and mounts no
// volume in a folder. A test tells the cleaner what Windows would answer for
// a letter made by SUBST ("W:" to "C:\WINDOWS\KPROBE"; on the NT line, a
// volume also mounted there) or by mapping a share ("N:" to
// "\\SERVER\SHARE"), until the object ends.
class ScopedDriveAnswers {
public:
    explicit ScopedDriveAnswers(std::vector<std::pair<std::string, std::string>> letters);
    ~ScopedDriveAnswers();
    ScopedDriveAnswers(const ScopedDriveAnswers&) = delete;
    ScopedDriveAnswers& operator=(const ScopedDriveAnswers&) = delete;
};
#endif

} // namespace klarvo::resident
