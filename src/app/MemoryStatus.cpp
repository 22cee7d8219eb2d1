#include "app/MemoryStatus.h"

#include "win/Memory.h"

#include <algorithm>

namespace klarvo {

namespace {

std::uint32_t Held32(std::uint64_t bytes)
{
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(bytes, 0xFFFFFFFFu));
}

class Win32Memory final : public MemoryStatusSource {
public:
    MemoryStatusBytes Read() override
    {
        const MemoryBytes bytes = ReadMemoryBytes();
        return {Held32(bytes.totalPhysical), Held32(bytes.availablePhysical)};
    }
};

} // namespace

MemoryStatusSource& Win32MemoryStatus()
{
    static Win32Memory memory;
    return memory;
}

} // namespace klarvo
