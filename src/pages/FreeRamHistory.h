#pragma once

// Free memory of the last 50 refresh ticks, oldest first: the one record of
// it that the window keeps and the picture is drawn from. Samples are
// 16-bit: a figure of 65536 MB or more keeps only its low 16 bits, which no
// machine whose memory status fits in 32 bits can reach.

#include <array>
#include <cstdint>

namespace klarvo {

class FreeRamHistory {
public:
    static constexpr int kSamples = 50;

    // Starts as 50 zero samples: a flat line at the bottom of the picture.
    FreeRamHistory() = default;

    // Drops the oldest sample and stores freeMB as the newest.
    void Append(std::uint32_t freeMB);

    // Sample i, 0 the oldest and kSamples - 1 the newest.
    std::uint16_t operator[](int i) const { return samples_[static_cast<std::size_t>(i)]; }
    std::uint16_t Newest() const { return samples_.back(); }

    friend bool operator==(const FreeRamHistory&, const FreeRamHistory&) = default;

private:
    std::array<std::uint16_t, kSamples> samples_{};
};

} // namespace klarvo
