#pragma once

// The thread that runs one job at a time off the window's thread.

#include "win/Handles.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

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

// What a job hands back. The window reads the rest only after it saw
// `done`, which the worker sets last: a completion message that another
// program posted finds `done` false and is ignored.
struct JobOutcome {
    std::atomic<bool> done{false};
    std::int64_t result = 0;
    std::vector<std::string> logLines; // for Klarvo.log
    std::vector<std::string> refusals; // of pressed Clear buttons
};

// One kind of background work (RAM cleanings, disk clears): one job at a
// time on a worker of its own, each job named by an id, and its end posted
// to the window as `doneMessage` with that id. The window waits for that
// message before the runner takes the next job, so it is posted whatever
// the job does.
class JobRunner {
public:
    // Given its id, for the messages it posts on its way.
    using Job = std::function<void(WPARAM id, JobOutcome&)>;
    explicit JobRunner(UINT doneMessage) : doneMessage_(doneMessage) {}

    // False when a job still runs or the thread cannot start.
    bool Start(HWND window, Job job);
    bool Running() const { return outcome_ != nullptr; }
    // The running job's id.
    WPARAM Id() const { return id_; }
    // The outcome of the job a done message names, once its worker has
    // returned; null for a message that is not the running job's end.
    std::shared_ptr<JobOutcome> Finish(WPARAM jobId);
    // Waits for the worker; the outcome if its job was done, else null.
    std::shared_ptr<JobOutcome> Abandon();

private:
    const UINT doneMessage_;
    Worker worker_;
    WPARAM id_ = 0;
    std::shared_ptr<JobOutcome> outcome_;
};

} // namespace klarvo::resident
