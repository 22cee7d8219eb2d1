#pragma once

// Programs a test starts and waits for.

#include <windows.h>

#include <string>

namespace klarvo::test {

// A program started by a test; killed if the test forgets it.
class Process {
public:
    // Starts `exe` with the command-line tail `arguments`, in `directory`.
    Process(const std::string& exe, const std::string& arguments, const std::string& directory);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // True when it ended within the time; the exit code is then stored.
    bool WaitForExit(DWORD milliseconds);
    DWORD ExitCode() const { return exitCode_; }
    DWORD Id() const { return info_.dwProcessId; }
    HANDLE Handle() const { return info_.hProcess; }

private:
    PROCESS_INFORMATION info_{};
    DWORD exitCode_ = STILL_ACTIVE;
};

// A program built beside the tests, given to them on the command line as a
// Unix path; Wine shows the Unix root as drive Z:.
std::string WindowsPathOf(const std::string& unixPath);

// The value of "--name=value" on the test's command line, or "".
std::string TestArgument(const std::string& name);

// The file given as "--name=<Unix path>" on the command line, as a Windows
// path this process can open, or "". The sandbox has no drive for the Linux
// file system; Wine still opens a Unix path through its own prefix there.
std::string FileArgument(const std::string& name);

// Polls for a top-level window of the class until it exists or time runs out.
HWND WaitForWindow(const char* windowClass, DWORD milliseconds);

// Alt + a letter typed on the keyboard, for hot keys of other programs.
void TypeAlt(char letter);

// Copies a program into a directory and returns the copy's path.
std::string CopyInto(const std::string& exe, const std::string& directory);

} // namespace klarvo::test
