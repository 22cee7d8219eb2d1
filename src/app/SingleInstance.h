#pragma once

// One shell at a time: a second start hands its page to the first.

#include <cstdint>

namespace klarvo {

// Name of the mutex that makes the shell a single instance.
inline constexpr char kShellMutexName[] = "Klarvo (Ostrel)";

// Takes the single-instance mutex. True for the first instance; the handle
// is kept until the process ends. Any failure counts as "another shell runs".
bool ClaimSingleInstance();

// The second instance's whole job: bring the running shell forward and tell
// it which page to show. Does nothing when no shell window exists yet.
void ForwardToRunningShell(std::int32_t page);

} // namespace klarvo
