#pragma once

// What the resident cleaner did, as the figures it reports to the shell.

#include <cstdint>

namespace klarvo::resident {

// The figures the cleaner reports to the shell, kept on the window's thread.
class Effects {
public:
    struct Figures {
        std::int32_t lastKB;       // -1 until the first RAM cleaning
        std::int32_t totalKB;      // -1 until the first RAM cleaning
        std::int32_t secondsSince; // -1 until the first RAM cleaning
    };

    // A finished RAM cleaning at `nowMs` on a clock that never goes back.
    void Record(std::int64_t freedKB, std::uint64_t nowMs);
    Figures At(std::uint64_t nowMs) const;

private:
    bool any_ = false;
    std::int64_t lastKB_ = 0;
    std::int64_t totalKB_ = 0;
    std::uint64_t lastMs_ = 0;
};

// Milliseconds since start-up that keep counting past GetTickCount's wrap
// after 49.7 days, as long as they are read at least once in that time.
class Uptime {
public:
    std::uint64_t Now();

private:
    std::uint64_t high_ = 0;
    std::uint32_t last_ = 0;
};

} // namespace klarvo::resident
