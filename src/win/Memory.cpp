#include "win/Memory.h"

#include <windows.h>

#include <algorithm>

namespace klarvo {

MemoryBytes ReadMemoryBytes()
{
    MEMORYSTATUS status{};
    status.dwLength = sizeof status;
    GlobalMemoryStatus(&status);
    return {status.dwTotalPhys, status.dwAvailPhys, status.dwAvailPageFile};
}

std::int32_t TotalRamMBFromBytes(std::uint64_t totalBytes)
{
    // A 64-bit build on a big machine counts past 4 GB.
    constexpr auto highest = static_cast<std::uint64_t>(kMaxTotalRamMB - 1);
    return static_cast<std::int32_t>(std::min<std::uint64_t>(totalBytes >> 20, highest)) + 1;
}

std::int32_t FreeMBFromBytes(std::uint64_t availableBytes)
{
    return static_cast<std::int32_t>(availableBytes >> 20);
}

} // namespace klarvo
