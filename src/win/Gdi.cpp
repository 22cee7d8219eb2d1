#include "win/Gdi.h"

#include "win/SystemFunction.h"

namespace klarvo {

DWORD GdiObjectCount()
{
    // GetGuiResources exists from Windows 2000 on; looked up so the program
    // still loads on Windows 98, where the count is simply not available.
    using Fn = DWORD(WINAPI*)(HANDLE, DWORD);
    static Fn fn = SystemFunction<Fn>("user32.dll", "GetGuiResources");
    return fn ? fn(GetCurrentProcess(), 0 /* GR_GDIOBJECTS */) : 0;
}

} // namespace klarvo
