#include "support/GdiCount.h"

#include "win/Gdi.h"

namespace klarvo::test {

DWORD LiveGdiObjects()
{
    if (DWORD n = GdiObjectCount()) {
        return n;
    }
    DWORD n = 0;
    for (UINT_PTR i = 1; i < 0x10000; ++i) {
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(i)) != 0) {
            ++n;
        }
    }
    return n;
}

} // namespace klarvo::test
