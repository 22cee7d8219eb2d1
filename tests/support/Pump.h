#pragma once

// The message pump of tests that drive windows.

#include <windows.h>

#include <functional>

namespace klarvo::test {

// Handles every message waiting for this thread, as the application's own
// loop handles it; a quit request stops it and stays waiting. A message that keeps coming back (a paint that never
// validates) fails the test instead of hanging it.
void Pump();

// Pumps and looks again until `done` holds (true) or `milliseconds` have
// passed (false). Between looks it sleeps until a message arrives or 20 ms
// pass, so that other processes and threads get on.
bool WaitUntil(const std::function<bool()>& done, DWORD milliseconds);

// True when the quit request is waiting in this thread's queue; it stays
// there for the loop that owns it.
bool QuitIsWaiting();

} // namespace klarvo::test
