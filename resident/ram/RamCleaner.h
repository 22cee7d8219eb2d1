#pragma once

// Freeing memory: how much to press, and the pressing itself against a
// machine that tests can simulate.

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

namespace klarvo::resident {

// What the cleaner needs of the machine's memory. The real one uses
// GlobalMemoryStatus and VirtualAlloc; tests simulate a machine.
class MemorySystem {
public:
    struct Status {
        std::uint64_t totalBytes;
        std::uint64_t availableBytes; // available physical memory
        // What may still be committed (physical memory and paging file):
        // a press that used it up would make other programs' allocations
        // fail.
        std::uint64_t availableCommitBytes;
    };

    virtual ~MemorySystem() = default;
    virtual Status Measure() = 0;
    // Commits and touches `bytes` more of our own memory, which makes the
    // system give up file cache and other programs' idle pages. False when
    // the system would not commit it.
    virtual bool Grow(std::uint64_t bytes) = 0;
    // Gives all of it back at once.
    virtual void ReleaseAll() = 0;
    // Asks the system to trim every program's working set, where it can
    // (the NT line); does nothing elsewhere.
    virtual void TrimWorkingSets() = 0;
};

struct RamResult {
    std::int64_t freedKB; // change of available memory, never below 0
    int tries;            // passes made
    bool reachedFloor;    // a pass stopped at the safe floor
    bool stalled;         // stopped because a pass gained nothing more
    bool stopped;         // asked to stop
};

// Frees physical memory by growing a block of touched memory until the
// system has moved the wanted amount out of the way, then letting it go.
//
// Safety: before every step the block would grow by, available memory and
// available commit are measured; a step that would take either below the
// floor is not made. The floor is the larger of 4 MB and 1/16 of total
// memory: the machine keeps room for its own work while the cleaner presses.
class RamCleaner {
public:
    // Percent 0-100, reported only when it changes.
    using Progress = std::function<void(int percent)>;

    explicit RamCleaner(MemorySystem& memory) : memory_(memory) {}

    // Trims working sets and makes one pass that tries to gain a sixteenth
    // of total memory.
    RamResult Fast(const std::atomic<bool>* stop = nullptr);

    // Tries to raise available memory by `megabytes` in up to `maxTries`
    // passes. A pass that gains less than 1 MB over the best before it ends
    // the cleaning early.
    RamResult FreeUp(std::int32_t megabytes, int maxTries, const Progress& progress = {},
                     const std::atomic<bool>* stop = nullptr);

    static std::uint64_t FloorBytes(std::uint64_t totalBytes);

    // Bytes the block grows by per step.
    static constexpr std::uint64_t kStepBytes = 2u << 20;

private:
    struct Pass {
        bool reachedFloor = false;
        bool stopped = false;
    };
    // Grows the block towards `holdBytes`, reporting the share reached.
    Pass Press(std::uint64_t holdBytes, const std::function<void(double)>& share, const std::atomic<bool>* stop);

    MemorySystem& memory_;
};

// The machine's own memory.
class Win32MemorySystem : public MemorySystem {
public:
    Win32MemorySystem();
    ~Win32MemorySystem() override;
    Status Measure() override;
    bool Grow(std::uint64_t bytes) override;
    void ReleaseAll() override;
    void TrimWorkingSets() override;

private:
    // Room for every block up front: growing the list while memory runs
    // short must not fail.
    static constexpr std::size_t kMaxBlocks = 2048;
    std::vector<void*> blocks_;
};

} // namespace klarvo::resident
