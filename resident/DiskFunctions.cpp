#include "resident/DiskFunctions.h"

#include "win/SystemFunction.h"

namespace klarvo::resident {

DiskFunctions DiskFunctions::Find()
{
    DiskFunctions found;
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    found.longPath = SystemFunction<LongPath>(kernel, "GetLongPathNameA");
    found.finalPath = SystemFunction<FinalPath>(kernel, "GetFinalPathNameByHandleA");
    // Windows 95 has it, but its directories have no handles to ask: it
    // counts only with one of the two deleting calls.
    found.information = SystemFunction<Information>(kernel, "GetFileInformationByHandle");
    found.byHandle = SystemFunction<SetInformation>(kernel, "SetFileInformationByHandle");
    // Windows 98's ntdll is no NT kernel and lacks the call.
    if (!found.byHandle) {
        found.native = SystemFunction<NtSetInformation>("ntdll.dll", "NtSetInformationFile");
    }
    found.findFirstW = SystemFunction<FindFirstW>(kernel, "FindFirstFileW");
    found.findNextW = SystemFunction<FindNextW>(kernel, "FindNextFileW");
    return found;
}

DiskFunctions::MoveEx ReplacingMove()
{
    return SystemFunction<DiskFunctions::MoveEx>("kernel32.dll", "MoveFileExA");
}

} // namespace klarvo::resident
