#pragma once

// The machine's physical memory and the megabyte figures both programs base
// every amount on, so that the shell and the cleaner agree on them.

#include <cstdint>

namespace klarvo {

struct MemoryBytes {
    std::uint64_t totalPhysical = 0;
    std::uint64_t availablePhysical = 0;
    std::uint64_t availablePageFile = 0;
};

// GlobalMemoryStatus, the call Windows 95 has.
MemoryBytes ReadMemoryBytes();

// The most memory the suite counts, in MB. The figures the settings hold
// were made for at most this, so no amount above it means anything.
constexpr std::int32_t kMaxTotalRamMB = 4096;

// Total physical memory in MB: (bytes >> 20) + 1, never above kMaxTotalRamMB.
std::int32_t TotalRamMBFromBytes(std::uint64_t totalBytes);
// Free memory in MB: bytes >> 20, no rounding up.
std::int32_t FreeMBFromBytes(std::uint64_t availableBytes);

} // namespace klarvo
