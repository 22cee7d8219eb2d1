#include "resident/disk/DiskFunctions.h"

#include "win/Handles.h"
#include "win/SystemFunction.h"

namespace klarvo::resident {
namespace {

#ifdef KLARVO_TEST_HOOKS
std::vector<std::pair<std::string, std::string>>* g_driveAnswers = nullptr;

// The answer a test set for the letter of `path`, if any.
const std::string* TestAnswer(const std::string& path)
{
    if (!g_driveAnswers || path.size() < 2) {
        return nullptr;
    }
    for (const auto& [letter, target] : *g_driveAnswers) {
        if (CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, letter.c_str(), 2, path.c_str(), 2) == CSTR_EQUAL) {
            return &target;
        }
    }
    return nullptr;
}
#endif

// The registers of a DOS call made through Windows 9x's VWIN32 device.
struct DosRegisters {
    DWORD ebx, edx, ecx, eax, edi, esi, flags;
};
constexpr DWORD kDosInt21 = 1;           // VWIN32_DIOC_DOS_INT21
constexpr DWORD kCanonicalName = 0x7160; // long-name "truename"
constexpr DWORD kLongFormUndoingSubst = 0x0002;
constexpr DWORD kCarry = 1;

// Flat addresses: the device takes 32-bit ones, and only Windows 9x,
// always 32-bit, has it.
DWORD FlatAddress(const void* pointer)
{
    return static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(pointer));
}

} // namespace

DiskFunctions DiskFunctions::Find()
{
    DiskFunctions found;
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    found.longPath = SystemFunction<LongPath>(kernel, "GetLongPathNameA");
    // Windows 95 has it, but its directories have no handles to ask: it
    // counts only with the native calls.
    found.information = SystemFunction<Information>(kernel, "GetFileInformationByHandle");
    // Windows 98's ntdll is no NT kernel and lacks them.
    found.nt = NtFileCalls::Find();
    return found;
}

bool TrueName(const std::string& path, std::string& trueName)
{
#ifdef KLARVO_TEST_HOOKS
    if (const std::string* target = TestAnswer(path)) {
        trueName = *target + path.substr(2);
        return true;
    }
#endif
    const FileHandle device(CreateFileA("\\\\.\\vwin32", 0, 0, nullptr, 0, FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    if (!device) {
        trueName = path;
        return true;
    }
    char buffer[MAX_PATH + 1] = {};
    DosRegisters registers{};
    registers.eax = kCanonicalName;
    registers.ecx = kLongFormUndoingSubst;
    registers.esi = FlatAddress(path.c_str());
    registers.edi = FlatAddress(buffer);
    registers.flags = kCarry; // stays set where the call is not carried out
    DWORD bytes = 0;
    if (!DeviceIoControl(device.Get(), kDosInt21, &registers, sizeof registers, &registers, sizeof registers, &bytes,
                         nullptr) ||
        (registers.flags & kCarry) || buffer[0] == '\0') {
        return false;
    }
    trueName = buffer;
    return true;
}

std::string NetworkConnection(const std::string& letter)
{
#ifdef KLARVO_TEST_HOOKS
    if (const std::string* target = TestAnswer(letter)) {
        return target->rfind("\\\\", 0) == 0 ? *target : std::string();
    }
#endif
    using GetConnection = DWORD(WINAPI*)(LPCSTR, LPSTR, LPDWORD);
    static const HMODULE networking = LoadLibraryA("mpr.dll");
    const auto getConnection = SystemFunction<GetConnection>(networking, "WNetGetConnectionA");
    char remote[MAX_PATH] = {};
    DWORD size = sizeof remote;
    if (getConnection && getConnection(letter.substr(0, 2).c_str(), remote, &size) == NO_ERROR) {
        return remote;
    }
    return {};
}

std::vector<std::string> OtherMountPaths(const std::string& root)
{
    std::vector<std::string> paths;
#ifdef KLARVO_TEST_HOOKS
    if (const std::string* target = TestAnswer(root)) {
        if (target->rfind("\\\\", 0) != 0) {
            paths.push_back(*target + '\\');
        }
        return paths;
    }
#endif
    using VolumeOf = BOOL(WINAPI*)(LPCSTR, LPSTR, DWORD);
    using PathsOf = BOOL(WINAPI*)(LPCSTR, LPSTR, DWORD, PDWORD);
    const auto volumeOf = SystemFunction<VolumeOf>("kernel32.dll", "GetVolumeNameForVolumeMountPointA");
    const auto pathsOf = SystemFunction<PathsOf>("kernel32.dll", "GetVolumePathNamesForVolumeNameA");
    char volume[MAX_PATH];
    char names[4096] = {};
    DWORD length = 0;
    if (!volumeOf || !pathsOf || !volumeOf(root.c_str(), volume, sizeof volume) ||
        !pathsOf(volume, names, sizeof names - 1, &length)) {
        return paths;
    }
    for (const char* name = names; *name != '\0'; name += lstrlenA(name) + 1) {
        if (lstrcmpiA(name, root.c_str()) != 0) {
            paths.emplace_back(name);
        }
    }
    return paths;
}

#ifdef KLARVO_TEST_HOOKS
ScopedDriveAnswers::ScopedDriveAnswers(std::vector<std::pair<std::string, std::string>> letters)
{
    g_driveAnswers = new std::vector<std::pair<std::string, std::string>>(std::move(letters));
}

ScopedDriveAnswers::~ScopedDriveAnswers()
{
    delete g_driveAnswers;
    g_driveAnswers = nullptr;
}
#endif

} // namespace klarvo::resident
