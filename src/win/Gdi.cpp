#include "win/Gdi.h"

namespace klarvo {

DWORD GdiObjectCount()
{
    // GetGuiResources exists from Windows 2000 on; looked up so the program
    // still loads on Windows 98, where the count is simply not available.
    using Fn = DWORD(WINAPI*)(HANDLE, DWORD);
    static Fn fn = reinterpret_cast<Fn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetGuiResources")));
    return fn ? fn(GetCurrentProcess(), 0 /* GR_GDIOBJECTS */) : 0;
}

} // namespace klarvo
