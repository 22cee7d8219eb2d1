#pragma once

// The machine's memory status, behind a seam so that tests can choose the
// memory size (a TotalRamMB of 129, say) and the free memory.

#include <cstdint>

namespace klarvo {

struct MemoryStatusBytes {
    std::uint32_t totalPhysical = 0;
    std::uint32_t availablePhysical = 0;
};

class MemoryStatusSource {
public:
    virtual MemoryStatusBytes Read() = 0;

protected:
    ~MemoryStatusSource() = default;
};

// GlobalMemoryStatus. Byte counts beyond 32 bits (a 64-bit build on a big
// machine) are held at the 32-bit maximum instead of wrapping to a small
// number.
MemoryStatusSource& Win32MemoryStatus();

} // namespace klarvo
