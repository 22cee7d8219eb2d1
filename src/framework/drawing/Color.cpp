#include "framework/drawing/Color.h"

#include <windows.h>

namespace klarvo {

Color ColorToRGB(Color c)
{
    if (IsSystemColor(c)) {
        return GetSysColor(static_cast<int>(c & 0xFFu)) & 0x00FFFFFFu;
    }
    return c & 0x00FFFFFFu;
}

} // namespace klarvo
