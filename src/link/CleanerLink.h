#pragma once

// The shell's side of the link to the resident cleaner: finding it,
// starting it and posting it commands.

#include <cstdint>
#include <string>

#include "settings/ShellControl.h"

namespace klarvo {

// The modal messages of the two ways the cleaner can fail to be there.
inline constexpr char kCleanerMissingMessage[] = "File \"Klarvo.exe\" not found!";
inline constexpr char kCleanerNotStartedMessage[] = "Don't run \"Klarvo.exe\" !";

// How long a freshly started cleaner gets to show its window: this many
// looks, each after a plain sleep of kCleanerPollMs.
constexpr int kCleanerPolls = 50;
constexpr unsigned kCleanerPollMs = 100;

// ShowWindow's SW_SHOWNORMAL, the show command the cleaner is started with.
constexpr int kShowNormal = 1;

// A window handle (HWND), opaque here so that callers need no windows.h.
using WindowHandle = void*;

// Every operating-system service the link uses, so that a test can decide
// when the cleaner's window appears without waiting for it.
class CleanerSystem {
public:
    // The top-level window of class "Klarvo ver 3.1", or null.
    virtual WindowHandle FindCleanerWindow() = 0;
    // True when the path names a file (a directory does not count).
    virtual bool FileExists(const std::string& path) = 0;
    // RunFile below.
    virtual std::intptr_t RunFile(const std::string& file, const std::string& parameters, const std::string& directory,
                                  int showCommand) = 0;
    // Blocks the calling thread; no messages are processed meanwhile.
    virtual void Sleep(unsigned milliseconds) = 0;
    // Posts WM_CLEANERCMD; the result is of no interest.
    virtual void PostCommand(WindowHandle window, std::int32_t command, std::int32_t argument) = 0;

protected:
    ~CleanerSystem() = default;
};

// The real services.
CleanerSystem& Win32CleanerSystem();
// What SendToCleaner uses when it is given no system: Win32CleanerSystem()
// unless a ScopedCleanerSystem says otherwise.
CleanerSystem& CurrentCleanerSystem();

class ScopedCleanerSystem {
public:
    explicit ScopedCleanerSystem(CleanerSystem& system);
    ~ScopedCleanerSystem();
    ScopedCleanerSystem(const ScopedCleanerSystem&) = delete;
    ScopedCleanerSystem& operator=(const ScopedCleanerSystem&) = delete;

private:
    CleanerSystem* previous_;
};

// ExeDir() + "Klarvo.exe".
std::string CleanerProgramPath();

// Posts WM_CLEANERCMD (command, argument) to the resident cleaner, starting
// ExeDir() + "Klarvo.exe" first when its window is missing. The window is
// looked up afresh on every call. A start blocks the thread for up to
// kCleanerPolls * kCleanerPollMs. When the program is missing or its window
// never appears, the shell is ended through `shell` and nothing is posted.
void SendToCleaner(ShellControl& shell, std::int32_t command, std::int32_t argument);
void SendToCleaner(ShellControl& shell, CleanerSystem& system, std::int32_t command, std::int32_t argument);

// Opens a file, program or address through the Windows shell with the verb
// "open" and no owner window. Empty strings are passed as empty strings.
// Returns the shell's result (above 32 is success); every failure, including
// one raised inside, gives 0. A string longer than kRunFileMaxText or one
// holding a NUL is refused with 0: cutting it would open something else.
std::intptr_t RunFile(const std::string& file, const std::string& parameters, const std::string& directory,
                      int showCommand);
constexpr std::size_t kRunFileMaxText = 256;

} // namespace klarvo
