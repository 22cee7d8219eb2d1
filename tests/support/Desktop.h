#pragma once

// What another program sees of the programs on the desktop: their windows,
// their message boxes and whether they still run. One copy for every test
// that watches a real program from outside.

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

namespace klarvo::test {

// The process that owns a window; 0 for no window.
DWORD ProcessOf(HWND window);

// The top-level windows of a process, of one class or (null) of every class.
std::vector<HWND> TopWindowsOf(DWORD process, const char* windowClass = nullptr);

// The visible message boxes of a process.
std::vector<HWND> MessageBoxesOf(DWORD process);

// All the text a message box shows, its buttons' captions included.
std::string TextOf(HWND box);

// Every visible box of a process with its text, for a failure message.
std::string DescribeBoxesOf(DWORD process);

// Confirms every box of a process, as Enter would.
void CloseBoxesOf(DWORD process);

// The windows a process owns, children included: its USER objects that
// another process can see.
std::size_t WindowsOf(DWORD process);

// Running processes of a program file name.
std::size_t ProcessesNamed(const char* exe);

// The window's thread handles messages within the time.
bool Answers(HWND window, UINT milliseconds);

// True once the window's thread has handled everything posted to it before
// the call: a minimise posted behind it shows when it was handled, and a
// restore puts the window back.
bool HandledWhatWasPosted(HWND window, DWORD milliseconds);

// True when the process has ended (or was gone) within the time.
bool WaitForProcessEnd(DWORD id, DWORD milliseconds);

// Ends a program a test started or met: asks its top-level window of the
// class to close, and ends the process if it is still there after the time.
// False when it had to be ended by force.
bool EndProgramOfWindow(const char* windowClass, DWORD milliseconds);

} // namespace klarvo::test
