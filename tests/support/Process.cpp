#include "support/Process.h"

#include "support/Pump.h"

#include <stdexcept>

namespace klarvo::test {

Process::Process(const std::string& exe, const std::string& arguments, const std::string& directory)
{
    std::string commandLine = "\"" + exe + "\"";
    if (!arguments.empty()) {
        commandLine += " " + arguments;
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        directory.empty() ? nullptr : directory.c_str(), &startup, &info_)) {
        throw std::runtime_error("cannot start " + exe + ": error " + std::to_string(GetLastError()));
    }
}

Process::~Process()
{
    if (info_.hProcess) {
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(info_.hProcess, 99);
            WaitForSingleObject(info_.hProcess, 5000);
        }
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
}

bool Process::WaitForExit(DWORD milliseconds)
{
    if (WaitForSingleObject(info_.hProcess, milliseconds) != WAIT_OBJECT_0) {
        return false;
    }
    GetExitCodeProcess(info_.hProcess, &exitCode_);
    return true;
}

std::string WindowsPathOf(const std::string& unixPath)
{
    if (unixPath.empty() || unixPath[0] != '/') {
        return unixPath;
    }
    std::string path = "Z:" + unixPath;
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return path;
}

std::string FileArgument(const std::string& name)
{
    std::string path = WindowsPathOf(TestArgument(name));
    if (path.rfind("Z:", 0) == 0 && GetFileAttributesA("Z:\\") == INVALID_FILE_ATTRIBUTES) {
        path = "\\\\?\\unix" + path.substr(2);
    }
    return path;
}

std::string TestArgument(const std::string& name)
{
    const std::string prefix = "--" + name + "=";
    for (int i = 1; i < __argc; ++i) {
        const std::string argument = __argv[i];
        if (argument.rfind(prefix, 0) == 0) {
            return argument.substr(prefix.size());
        }
    }
    return {};
}

HWND WaitForWindow(const char* windowClass, DWORD milliseconds)
{
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindWindowA(windowClass, nullptr)) != nullptr; }, milliseconds);
    return window;
}

void TypeAlt(char letter)
{
    INPUT keys[4]{};
    for (INPUT& key : keys) {
        key.type = INPUT_KEYBOARD;
    }
    keys[0].ki.wVk = VK_MENU;
    keys[1].ki.wVk = static_cast<WORD>(letter);
    keys[2].ki.wVk = static_cast<WORD>(letter);
    keys[2].ki.dwFlags = KEYEVENTF_KEYUP;
    keys[3].ki.wVk = VK_MENU;
    keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, keys, sizeof(INPUT));
}

std::string CopyInto(const std::string& exe, const std::string& directory)
{
    const auto slash = exe.find_last_of('\\');
    const std::string copy = directory + exe.substr(slash == std::string::npos ? 0 : slash + 1);
    if (!CopyFileA(exe.c_str(), copy.c_str(), FALSE)) {
        throw std::runtime_error("cannot copy " + exe + " to " + copy);
    }
    return copy;
}

} // namespace klarvo::test
