#pragma once

// How long a test waits for each kind of event before it fails: one time
// per kind, generous enough for a loaded machine running three suites at
// once under Wine, and far below the 300 s ctest gives a program, so that a
// test that fails says why instead of being killed.

#include <windows.h>

namespace klarvo::test {

// A started program shows its window, or one asked to end has ended.
constexpr DWORD kStartPatienceMs = 20000;
constexpr DWORD kEndPatienceMs = 20000;
// A running program answers: a notification, a reply, a box it shows.
constexpr DWORD kAnswerPatienceMs = 20000;
// A cleaning of memory or of a tree runs to its end.
constexpr DWORD kCleaningPatienceMs = 90000;

} // namespace klarvo::test
