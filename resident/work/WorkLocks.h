#pragma once

// The named locks that keep two cleaners off the same kind of work.

#include <windows.h>

#include <atomic>

#include "link/Messages.h"
#include "win/Handles.h"

namespace klarvo::resident {

// Two cleaners (the resident one and one started from the command line, or
// two of the latter) never work on the same disk category, or press
// memory, at the same time: each kind of work has a named mutex, held by
// the thread doing that work for as long as it does it.
inline constexpr char kRamLockName[] = "Klarvo cleaning memory";
// Held by each Windows 9x trial file for its life, and by a sweep of the
// journal of trial files: a sweep must not take a file another cleaner's
// judgement stands on.
inline constexpr char kMarkerJournalLockName[] = "Klarvo trial files";
const char* CategoryLockName(HddCategory category);

// How long work waits for another cleaner to finish the same kind of work:
// a Clear of a full cache takes a while on a slow disk, but a cleaner that
// hangs must not hold every later one for good.
inline constexpr DWORD kWorkLockPatienceMs = 5 * 60 * 1000;

// The kind of work named, held for this object's lifetime on the thread
// that made it.
class WorkLock {
public:
    // Waits up to `patienceMs` (0: only tries) for the work to be free; a
    // set `stop` (may be null) ends the wait early.
    WorkLock(const char* name, DWORD patienceMs, const std::atomic<bool>* stop);
    ~WorkLock();
    WorkLock(const WorkLock&) = delete;
    WorkLock& operator=(const WorkLock&) = delete;

    // False when the wait ran out, was stopped, or the lock could not be made.
    bool Held() const { return held_; }

private:
    KernelHandle mutex_;
    bool held_ = false;
};

} // namespace klarvo::resident
