#pragma once

// Free memory of the last 50 refresh ticks, oldest first. Samples are
// 16-bit: a figure of 65536 MB or more keeps only its low 16 bits, which no
// machine whose memory status fits in 32 bits can reach.

#include <array>
#include <cstdint>

namespace klarvo {

inline constexpr int kFreeRamSamples = 50;
using FreeRamSamples = std::array<std::uint16_t, kFreeRamSamples>;

// Drops the oldest sample and stores freeMB as the newest.
void AppendFreeRamSample(FreeRamSamples& samples, std::uint32_t freeMB);

class FreeRamHistory {
public:
    static constexpr int kSamples = kFreeRamSamples;

    // Starts as 50 zero samples: a flat line at the bottom of the picture.
    FreeRamHistory() = default;

    void Append(std::uint32_t freeMB) { AppendFreeRamSample(samples_, freeMB); }

    // Sample i, 0 the oldest and kSamples - 1 the newest.
    std::uint16_t operator[](int i) const { return samples_[static_cast<std::size_t>(i)]; }
    const FreeRamSamples& Samples() const { return samples_; }

private:
    FreeRamSamples samples_{};
};

} // namespace klarvo
