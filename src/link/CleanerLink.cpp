#include "link/CleanerLink.h"

#include <windows.h>
#include <shellapi.h>

#include "link/Messages.h"
#include "settings/ExeDir.h"
#include "win/Files.h"

namespace klarvo {
namespace {

class Win32System final : public CleanerSystem {
public:
    WindowHandle FindCleanerWindow() override { return FindWindowA(kCleanerWindowClass, nullptr); }

    bool FileExists(const std::string& path) override { return klarvo::FileExists(path); }

    std::intptr_t RunFile(const std::string& file, const std::string& parameters, const std::string& directory,
                          int showCommand) override
    {
        return klarvo::RunFile(file, parameters, directory, showCommand);
    }

    void Sleep(unsigned milliseconds) override { ::Sleep(milliseconds); }

    void PostCommand(WindowHandle window, std::int32_t command, std::int32_t argument) override
    {
        // The argument keeps its sign in a 64-bit LPARAM.
        PostMessageA(static_cast<HWND>(window), WM_CLEANERCMD, static_cast<WPARAM>(static_cast<std::uint32_t>(command)),
                     static_cast<LPARAM>(argument));
    }
};

CleanerSystem*& CurrentSystem()
{
    static CleanerSystem* current = &Win32CleanerSystem();
    return current;
}

bool Passable(const std::string& text)
{
    return text.size() <= kRunFileMaxText && text.find('\0') == std::string::npos;
}

} // namespace

CleanerSystem& Win32CleanerSystem()
{
    static Win32System system;
    return system;
}

CleanerSystem& CurrentCleanerSystem()
{
    return *CurrentSystem();
}

ScopedCleanerSystem::ScopedCleanerSystem(CleanerSystem& system) : previous_(CurrentSystem())
{
    CurrentSystem() = &system;
}

ScopedCleanerSystem::~ScopedCleanerSystem()
{
    CurrentSystem() = previous_;
}

std::string CleanerProgramPath()
{
    return ExeDir() + "Klarvo.exe";
}

void SendToCleaner(ShellControl& shell, std::int32_t command, std::int32_t argument)
{
    SendToCleaner(shell, CurrentCleanerSystem(), command, argument);
}

void SendToCleaner(ShellControl& shell, CleanerSystem& system, std::int32_t command, std::int32_t argument)
{
    WindowHandle window = system.FindCleanerWindow();
    if (!window) {
        const std::string program = CleanerProgramPath();
        if (!system.FileExists(program)) {
            EndWithMessage(shell, kCleanerMissingMessage);
            return;
        }
        // A failed start is not looked at: the polls then run out.
        system.RunFile(program, "", "", kShowNormal);
        for (int poll = 0; poll < kCleanerPolls && !window; ++poll) {
            system.Sleep(kCleanerPollMs);
            window = system.FindCleanerWindow();
        }
        if (!window) {
            EndWithMessage(shell, kCleanerNotStartedMessage);
            return;
        }
    }
    system.PostCommand(window, command, argument);
}

std::intptr_t RunFile(const std::string& file, const std::string& parameters, const std::string& directory,
                      int showCommand)
{
    try {
        if (!Passable(file) || !Passable(parameters) || !Passable(directory)) {
            return 0;
        }
        HINSTANCE result =
            ShellExecuteA(nullptr, "open", file.c_str(), parameters.c_str(), directory.c_str(), showCommand);
        return reinterpret_cast<std::intptr_t>(result);
    } catch (...) {
        return 0;
    }
}

} // namespace klarvo
