#pragma once

// Functions not every Windows has, looked up at run time.

#include <windows.h>

namespace klarvo {

// The one way either program reaches a function that not every Windows
// has: looked up at run time, so the program still loads where it is
// missing, and the caller takes its own fallback on nullptr.
//
// A build with test hooks (never a release build) can be told to act as
// if named functions were missing, so that the code a Windows 95 or 98
// machine runs also runs under test, where Wine offers every NT function
// whatever version it reports. Release builds compile the hook out: no
// setting, variable or file a local user controls can make them skip a
// function the system has.

// `module` must be loaded already (an imported DLL, or one the caller
// loaded); nullptr if it is not, or lacks `name`.
FARPROC FindSystemFunction(const char* module, const char* name);
FARPROC FindSystemFunction(HMODULE module, const char* name);

template <typename Fn> Fn SystemFunction(const char* module, const char* name)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(FindSystemFunction(module, name)));
}

template <typename Fn> Fn SystemFunction(HMODULE module, const char* name)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(FindSystemFunction(module, name)));
}

#ifdef KLARVO_TEST_HOOKS
// The environment variable a test sets on a program it starts: a list of
// function names separated by commas that the program's look-ups then
// report missing. Read once, at the first look-up.
inline constexpr char kMissingFunctionsVariable[] = "KLARVO_TEST_MISSING_FUNCTIONS";

// For tests inside one process: the names (comma-separated) reported
// missing until the object ends. Replaces, for its lifetime, what the
// environment said. Callers that keep a looked-up function in a static
// keep what they found first.
class ScopedMissingFunctions {
public:
    explicit ScopedMissingFunctions(const char* names);
    ~ScopedMissingFunctions();
    ScopedMissingFunctions(const ScopedMissingFunctions&) = delete;
    ScopedMissingFunctions& operator=(const ScopedMissingFunctions&) = delete;
};
#endif

} // namespace klarvo
