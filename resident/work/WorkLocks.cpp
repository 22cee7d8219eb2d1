#include "resident/work/WorkLocks.h"

#include <algorithm>

namespace klarvo::resident {
namespace {

// Often enough that an ending cleaner is not held up by a wait.
constexpr DWORD kStopLookMs = 100;

} // namespace

const char* CategoryLockName(HddCategory category)
{
    switch (category) {
    case hcTemp:
        return "Klarvo cleaning temp";
    case hcInternet:
        return "Klarvo cleaning cache";
    case hcCookies:
        return "Klarvo cleaning cookies";
    case hcDir:
        return "Klarvo cleaning dir";
    case hcHistory:
        return "Klarvo cleaning history";
    }
    return "Klarvo cleaning unknown";
}

WorkLock::WorkLock(const char* name, DWORD patienceMs, const std::atomic<bool>* stop)
    : mutex_(CreateMutexA(nullptr, FALSE, name))
{
    if (!mutex_) {
        return;
    }
    // Tried at least once, so that no patience at all still takes free work.
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD waited = std::min(GetTickCount() - start, patienceMs);
        const DWORD result = WaitForSingleObject(mutex_.Get(), std::min(kStopLookMs, patienceMs - waited));
        // Abandoned: its holder ended mid-work, and that work is over.
        if (result == WAIT_OBJECT_0 || result == WAIT_ABANDONED) {
            held_ = true;
            return;
        }
        if (result != WAIT_TIMEOUT || waited >= patienceMs || (stop && stop->load())) {
            return;
        }
    }
}

WorkLock::~WorkLock()
{
    if (held_) {
        ReleaseMutex(mutex_.Get());
    }
}

} // namespace klarvo::resident
