// The toolchain's runtime calls three wide-character functions of kernel32:
// the thread layer makes its mutexes' semaphores with CreateSemaphoreW, and
// the random-number fallback finds its DLLs with GetModuleHandleW and
// LoadLibraryW. Windows 95/98/Me export these only as stubs that fail, and
// a mutex without its semaphore ends the program the first time two
// threads contend for it. Each program therefore carries the import slots
// itself, filled with the narrow functions, and imports no wide function.
// The names the runtime passes are plain ASCII (or none).

#include <windows.h>

#include <string>

namespace {

// The ANSI form of a wide name; every name these callers use is ASCII.
std::string Narrow(LPCWSTR wide)
{
    std::string out;
    for (; wide && *wide; ++wide) {
        out += *wide < 0x80 ? static_cast<char>(*wide) : '?';
    }
    return out;
}

HANDLE WINAPI NarrowCreateSemaphore(LPSECURITY_ATTRIBUTES security, LONG initial, LONG maximum, LPCWSTR name)
{
    return name ? CreateSemaphoreA(security, initial, maximum, Narrow(name).c_str())
                : CreateSemaphoreA(security, initial, maximum, nullptr);
}

HMODULE WINAPI NarrowGetModuleHandle(LPCWSTR name)
{
    return name ? GetModuleHandleA(Narrow(name).c_str()) : GetModuleHandleA(nullptr);
}

HMODULE WINAPI NarrowLoadLibrary(LPCWSTR name)
{
    return LoadLibraryA(Narrow(name).c_str());
}

} // namespace

// The import slots' own names: decorated with the argument bytes on 32-bit
// Windows, plain on 64-bit.
#ifdef _WIN64
#define KLARVO_IMPORT_SLOT(name, bytes) "__imp_" #name
#else
#define KLARVO_IMPORT_SLOT(name, bytes) "__imp__" #name "@" #bytes
#endif

extern "C" {
extern decltype(&NarrowCreateSemaphore) const klarvoCreateSemaphoreW asm(KLARVO_IMPORT_SLOT(CreateSemaphoreW, 16));
extern decltype(&NarrowGetModuleHandle) const klarvoGetModuleHandleW asm(KLARVO_IMPORT_SLOT(GetModuleHandleW, 4));
extern decltype(&NarrowLoadLibrary) const klarvoLoadLibraryW asm(KLARVO_IMPORT_SLOT(LoadLibraryW, 4));
decltype(&NarrowCreateSemaphore) const klarvoCreateSemaphoreW = &NarrowCreateSemaphore;
decltype(&NarrowGetModuleHandle) const klarvoGetModuleHandleW = &NarrowGetModuleHandle;
decltype(&NarrowLoadLibrary) const klarvoLoadLibraryW = &NarrowLoadLibrary;
}
