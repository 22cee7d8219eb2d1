#include "app/MemoryStatus.h"

#include <windows.h>

#include <algorithm>

namespace klarvo {

namespace {

std::uint32_t Held32(SIZE_T bytes)
{
    return static_cast<std::uint32_t>(std::min<unsigned long long>(bytes, 0xFFFFFFFFull));
}

class Win32Memory final : public MemoryStatusSource {
public:
    MemoryStatusBytes Read() override
    {
        MEMORYSTATUS status{};
        status.dwLength = sizeof status;
        GlobalMemoryStatus(&status);
        return {Held32(status.dwTotalPhys), Held32(status.dwAvailPhys)};
    }
};

} // namespace

MemoryStatusSource& Win32MemoryStatus()
{
    static Win32Memory memory;
    return memory;
}

} // namespace klarvo
