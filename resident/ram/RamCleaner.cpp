#include "resident/ram/RamCleaner.h"

#include "win/Handles.h"
#include "win/SystemFunction.h"
#include "win/Memory.h"

#include <windows.h>

#include <algorithm>

namespace klarvo::resident {
namespace {

constexpr std::uint64_t kMegabyte = 1u << 20;

std::int64_t Gain(std::uint64_t before, std::uint64_t after)
{
    return static_cast<std::int64_t>(after) - static_cast<std::int64_t>(before);
}

} // namespace

std::uint64_t RamCleaner::FloorBytes(std::uint64_t totalBytes)
{
    return std::max<std::uint64_t>(4 * kMegabyte, totalBytes / 16);
}

RamCleaner::Pass RamCleaner::Press(std::uint64_t holdBytes, const std::function<void(double)>& share,
                                   const std::atomic<bool>* stop)
{
    Pass pass;
    std::uint64_t held = 0;
    while (held < holdBytes) {
        if (stop && stop->load()) {
            pass.stopped = true;
            break;
        }
        const std::uint64_t step = std::min(kStepBytes, holdBytes - held);
        const MemorySystem::Status now = memory_.Measure();
        const std::uint64_t floor = FloorBytes(now.totalBytes);
        if (now.availableBytes < floor + step || now.availableCommitBytes < floor + step) {
            pass.reachedFloor = true;
            break;
        }
        if (!memory_.Grow(step)) {
            break; // out of commit or address space: this is as far as it goes
        }
        held += step;
        if (share) {
            share(static_cast<double>(held) / static_cast<double>(holdBytes));
        }
    }
    memory_.ReleaseAll();
    return pass;
}

RamResult RamCleaner::Fast(const std::atomic<bool>* stop)
{
    RamResult result{};
    memory_.TrimWorkingSets();
    const MemorySystem::Status before = memory_.Measure();
    const Pass pass = Press(before.availableBytes + before.totalBytes / 16, {}, stop);
    result.tries = 1;
    result.reachedFloor = pass.reachedFloor;
    result.stopped = pass.stopped;
    result.freedKB = std::max<std::int64_t>(0, Gain(before.availableBytes, memory_.Measure().availableBytes) / 1024);
    return result;
}

RamResult RamCleaner::FreeUp(std::int32_t megabytes, int maxTries, const Progress& progress,
                             const std::atomic<bool>* stop)
{
    RamResult result{};
    int shown = -1;
    auto report = [&](int percent) {
        if (progress && percent != shown) {
            shown = percent;
            progress(percent);
        }
    };
    report(0);
    const std::int64_t target = static_cast<std::int64_t>(std::max(megabytes, 0)) * kMegabyte;
    maxTries = std::max(maxTries, 1);
    const std::uint64_t start = memory_.Measure().availableBytes;
    std::int64_t best = 0;
    for (int attempt = 0; attempt < maxTries && target > 0; ++attempt) {
        const std::uint64_t available = memory_.Measure().availableBytes;
        const std::int64_t missing = std::max<std::int64_t>(target - Gain(start, available), 0);
        const Pass pass = Press(
            available + static_cast<std::uint64_t>(missing),
            [&](double share) {
                // The bar fills across all allowed passes and
                // reaches 100 only at the end.
                const int percent = static_cast<int>((attempt + share) * 100 / maxTries);
                report(std::min(percent, 99));
            },
            stop);
        ++result.tries;
        result.reachedFloor = result.reachedFloor || pass.reachedFloor;
        const std::int64_t gain = Gain(start, memory_.Measure().availableBytes);
        if (pass.stopped) {
            result.stopped = true;
            break;
        }
        if (gain >= target) {
            break;
        }
        if (gain < best + static_cast<std::int64_t>(kMegabyte)) {
            result.stalled = true;
            break;
        }
        best = gain;
    }
    result.freedKB = std::max<std::int64_t>(0, Gain(start, memory_.Measure().availableBytes) / 1024);
    report(100);
    return result;
}

// The machine's own memory ----------------------------------------------------

Win32MemorySystem::Win32MemorySystem()
{
    blocks_.reserve(kMaxBlocks);
}

Win32MemorySystem::~Win32MemorySystem()
{
    ReleaseAll();
}

MemorySystem::Status Win32MemorySystem::Measure()
{
    const MemoryBytes bytes = ReadMemoryBytes();
    return {bytes.totalPhysical, bytes.availablePhysical, bytes.availablePageFile};
}

bool Win32MemorySystem::Grow(std::uint64_t bytes)
{
    if (bytes > static_cast<SIZE_T>(-1) || blocks_.size() >= kMaxBlocks) {
        return false;
    }
    void* block = VirtualAlloc(nullptr, static_cast<SIZE_T>(bytes), MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (!block) {
        return false;
    }
    blocks_.push_back(block);
    SYSTEM_INFO info{};
    GetSystemInfo(&info);
    const std::uint64_t page = info.dwPageSize ? info.dwPageSize : 4096;
    // One write per page makes the system find a physical page for each.
    auto* bytesOf = static_cast<volatile unsigned char*>(block);
    for (std::uint64_t offset = 0; offset < bytes; offset += page) {
        bytesOf[offset] = 1;
    }
    return true;
}

void Win32MemorySystem::ReleaseAll()
{
    for (void* block : blocks_) {
        VirtualFree(block, 0, MEM_RELEASE);
    }
    blocks_.clear();
}

void Win32MemorySystem::TrimWorkingSets()
{
    // psapi.dll belongs to the NT line only; Windows 9x has no working sets
    // to trim, its pressure pass does the work there.
    HMODULE psapi = LoadLibraryA("psapi.dll");
    if (!psapi) {
        return;
    }
    using EnumFunction = BOOL(WINAPI*)(DWORD*, DWORD, DWORD*);
    using EmptyFunction = BOOL(WINAPI*)(HANDLE);
    const auto enumProcesses = SystemFunction<EnumFunction>(psapi, "EnumProcesses");
    const auto emptyWorkingSet = SystemFunction<EmptyFunction>(psapi, "EmptyWorkingSet");
    if (enumProcesses && emptyWorkingSet) {
        std::vector<DWORD> ids(1024);
        DWORD used = 0;
        if (enumProcesses(ids.data(), static_cast<DWORD>(ids.size() * sizeof(DWORD)), &used)) {
            ids.resize(used / sizeof(DWORD));
            for (DWORD id : ids) {
                const KernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_SET_QUOTA, FALSE, id));
                if (process) {
                    emptyWorkingSet(process.Get());
                }
            }
        }
    }
    FreeLibrary(psapi);
}

} // namespace klarvo::resident
