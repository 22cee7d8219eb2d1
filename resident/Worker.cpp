#include "resident/Worker.h"

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
    if (Busy())
        return false;
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
    if (!thread_)
        return true;
    if (WaitForSingleObject(thread_.Get(), milliseconds) != WAIT_OBJECT_0)
        return false;
    thread_.Reset();
    return true;
}

} // namespace klarvo::resident
