#include "resident/work/Worker.h"

#include <process.h>

namespace klarvo::resident {

Worker::~Worker()
{
    Join(INFINITE);
}

unsigned __stdcall Worker::Trampoline(void* job)
{
    auto* owned = static_cast<std::function<void()>*>(job);
    try {
        (*owned)();
    } catch (...) {
        // A failing job ends quietly; the resident cleaner keeps running.
    }
    delete owned;
    return 0;
}

bool Worker::Start(std::function<void()> job)
{
    if (Busy()) {
        return false;
    }
    Join(0);
    auto* owned = new std::function<void()>(std::move(job));
    // _beginthreadex rather than CreateThread: the C runtime then sets up
    // its per-thread data.
    const uintptr_t thread = _beginthreadex(nullptr, 0, Trampoline, owned, 0, nullptr);
    if (!thread) {
        delete owned;
        return false;
    }
    thread_.Reset(reinterpret_cast<HANDLE>(thread));
    return true;
}

bool Worker::Busy() const
{
    return thread_ && WaitForSingleObject(thread_.Get(), 0) == WAIT_TIMEOUT;
}

bool Worker::Join(DWORD milliseconds)
{
    if (!thread_) {
        return true;
    }
    if (WaitForSingleObject(thread_.Get(), milliseconds) != WAIT_OBJECT_0) {
        return false;
    }
    thread_.Reset();
    return true;
}

bool JobRunner::Start(HWND window, Job job)
{
    if (outcome_) {
        return false;
    }
    const WPARAM id = id_ + 1;
    auto outcome = std::make_shared<JobOutcome>();
    const UINT doneMessage = doneMessage_;
    const bool started = worker_.Start([job = std::move(job), window, id, outcome, doneMessage] {
        try {
            job(id, *outcome);
        } catch (...) {
            // Ended short: what it gathered so far is its outcome.
        }
        outcome->done.store(true);
        PostMessageA(window, doneMessage, id, 0);
    });
    if (!started) {
        return false;
    }
    id_ = id;
    outcome_ = std::move(outcome);
    return true;
}

std::shared_ptr<JobOutcome> JobRunner::Finish(WPARAM jobId)
{
    if (!outcome_ || jobId != id_ || !outcome_->done.load()) {
        return nullptr;
    }
    // The worker posted the message as its last act: the wait is for its
    // return.
    worker_.Join(INFINITE);
    return std::move(outcome_);
}

std::shared_ptr<JobOutcome> JobRunner::Abandon()
{
    worker_.Join(INFINITE);
    std::shared_ptr<JobOutcome> outcome = std::move(outcome_);
    outcome_.reset();
    if (outcome && !outcome->done.load()) {
        outcome.reset();
    }
    return outcome;
}

} // namespace klarvo::resident
