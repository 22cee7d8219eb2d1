#include "support/GdiCount.h"

namespace klarvo::test {

DWORD LiveGdiObjects()
{
    using GetGuiResourcesFn = DWORD(WINAPI*)(HANDLE, DWORD);
    static const auto getGuiResources = reinterpret_cast<GetGuiResourcesFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetGuiResources")));
    if (getGuiResources) {
        if (DWORD n = getGuiResources(GetCurrentProcess(), 0 /* GR_GDIOBJECTS */))
            return n;
    }
    DWORD n = 0;
    for (UINT_PTR i = 1; i < 0x10000; ++i)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(i)) != 0)
            ++n;
    return n;
}

} // namespace klarvo::test
