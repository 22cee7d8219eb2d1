#pragma once

#include "win/Handles.h"

#include <windows.h>

#include <functional>

namespace klarvo::resident {

// One Win32 thread running one job. Release builds use the win32 thread
// model, where the C++ thread library is not available.
class Worker {
public:
    Worker() = default;
    ~Worker();
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    // False when the previous job still runs or the thread cannot start.
    bool Start(std::function<void()> job);
    bool Busy() const;
    // Waits for the job to end; true when it did within the time.
    bool Join(DWORD milliseconds);

private:
    static unsigned __stdcall Trampoline(void* job);
    KernelHandle thread_;
};

} // namespace klarvo::resident
