#pragma once

#include <windows.h>

#include "win/SystemFunction.h"

namespace klarvo::resident {

// The functions the disk work takes from the system where it has them,
// looked up once per cleaner. Which of them exist decides the path the
// work takes, never the version the system reports: compatibility modes
// and Wine report Windows 9x on systems that have them all.
struct DiskFunctions {
    using LongPath = DWORD(WINAPI*)(LPCSTR, LPSTR, DWORD);
    using FinalPath = DWORD(WINAPI*)(HANDLE, LPSTR, DWORD, DWORD);
    using Information = BOOL(WINAPI*)(HANDLE, BY_HANDLE_FILE_INFORMATION*);
    using SetInformation = BOOL(WINAPI*)(HANDLE, int, void*, DWORD);
    using NtSetInformation = LONG(NTAPI*)(HANDLE, void*, void*, ULONG, ULONG);
    using FindFirstW = HANDLE(WINAPI*)(LPCWSTR, WIN32_FIND_DATAW*);
    using FindNextW = BOOL(WINAPI*)(HANDLE, WIN32_FIND_DATAW*);
    using MoveEx = BOOL(WINAPI*)(LPCSTR, LPCSTR, DWORD);

    LongPath longPath = nullptr;   // Windows 98 and 2000 on
    FinalPath finalPath = nullptr; // Vista on, and Wine
    Information information = nullptr;
    SetInformation byHandle = nullptr; // Vista on
    NtSetInformation native = nullptr; // the NT line's kernel, 3.1 on
    FindFirstW findFirstW = nullptr;   // stubs that fail on Windows 9x
    FindNextW findNextW = nullptr;

    static DiskFunctions Find();

    // The NT line: a directory has a handle, an entry is deleted through
    // the handle it was checked by, and names are listed as they are.
    bool HandlePath() const { return information && (byHandle || native); }
    bool WideListing() const { return HandlePath() && findFirstW && findNextW; }
};

#ifdef KLARVO_TEST_HOOKS
// What a test tells a program to miss so that the disk work takes the path
// of Windows 95 and 98 (see ScopedMissingFunctions).
inline constexpr char kWindows9xLacks[] = "SetFileInformationByHandle,NtSetInformationFile,GetFileInformationByHandle,"
                                          "GetFinalPathNameByHandleA,FindFirstFileW,FindNextFileW,MoveFileExA";
#endif

// Replacing a file in one step: the NT line has it; Windows 95 and 98
// export a stub that fails.
DiskFunctions::MoveEx ReplacingMove();

} // namespace klarvo::resident
