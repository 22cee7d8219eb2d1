#include "support/Desktop.h"

#include <tlhelp32.h>

#include "support/Pump.h"

namespace klarvo::test {
namespace {

struct Census {
    DWORD process;
    const char* windowClass; // null: every top-level window
    std::vector<HWND> found;
};

BOOL CALLBACK CountWindow(HWND window, LPARAM context)
{
    auto& census = *reinterpret_cast<Census*>(context);
    if (ProcessOf(window) != census.process) {
        return TRUE;
    }
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (!census.windowClass || std::string(name) == census.windowClass) {
        census.found.push_back(window);
    }
    return TRUE;
}

BOOL CALLBACK CountChild(HWND, LPARAM count)
{
    ++*reinterpret_cast<std::size_t*>(count);
    return TRUE;
}

BOOL CALLBACK CollectText(HWND child, LPARAM data)
{
    char buffer[1024] = {};
    GetWindowTextA(child, buffer, sizeof buffer);
    *reinterpret_cast<std::string*>(data) += buffer;
    return TRUE;
}

constexpr char kBoxClass[] = "#32770";

} // namespace

DWORD ProcessOf(HWND window)
{
    DWORD id = 0;
    if (window) {
        GetWindowThreadProcessId(window, &id);
    }
    return id;
}

std::vector<HWND> TopWindowsOf(DWORD process, const char* windowClass)
{
    Census census{process, windowClass, {}};
    EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&census));
    return census.found;
}

std::vector<HWND> MessageBoxesOf(DWORD process)
{
    std::vector<HWND> visible;
    for (HWND box : TopWindowsOf(process, kBoxClass)) {
        if (IsWindowVisible(box)) {
            visible.push_back(box);
        }
    }
    return visible;
}

std::string TextOf(HWND box)
{
    std::string text;
    EnumChildWindows(box, CollectText, reinterpret_cast<LPARAM>(&text));
    return text;
}

std::string DescribeBoxesOf(DWORD process)
{
    std::string described;
    for (HWND box : MessageBoxesOf(process)) {
        described += "[" + TextOf(box) + "] ";
    }
    return described;
}

void CloseBoxesOf(DWORD process)
{
    for (HWND box : TopWindowsOf(process, kBoxClass)) {
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
}

std::size_t WindowsOf(DWORD process)
{
    std::size_t count = 0;
    for (HWND window : TopWindowsOf(process)) {
        ++count;
        EnumChildWindows(window, CountChild, reinterpret_cast<LPARAM>(&count));
    }
    return count;
}

std::size_t ProcessesNamed(const char* exe)
{
    std::size_t count = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return 0;
    }
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        count += lstrcmpiA(entry.szExeFile, exe) == 0 ? 1 : 0;
    }
    CloseHandle(snapshot);
    return count;
}

bool Answers(HWND window, UINT milliseconds)
{
    DWORD_PTR result = 0;
    return window && SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, milliseconds, &result) != 0;
}

bool HandledWhatWasPosted(HWND window, DWORD milliseconds)
{
    // Another program may restore the window in the instant after the
    // minimise (a second shell, started from the tray, asks the first to
    // show itself), so the minimise is posted again each second: any of
    // them seen handled proves that the first was.
    constexpr DWORD kRepostMs = 1000;
    const bool handled = WaitUntil(
        [&] {
            PostMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
            return WaitUntil([&] { return IsIconic(window) != FALSE; }, kRepostMs);
        },
        milliseconds);
    PostMessageA(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    return handled && WaitUntil([&] { return !IsIconic(window); }, milliseconds);
}

bool WaitForProcessEnd(DWORD id, DWORD milliseconds)
{
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
    if (!process) {
        return true;
    }
    const bool ended = WaitForSingleObject(process, milliseconds) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

bool EndProgramOfWindow(const char* windowClass, DWORD milliseconds)
{
    bool asked = true;
    // A program may have more than one window of the class while it ends
    // and another starts; each found is ended in turn.
    for (int found = 0; found < 8; ++found) {
        HWND window = FindWindowA(windowClass, nullptr);
        if (!window) {
            break;
        }
        const DWORD id = ProcessOf(window);
        if (id == GetCurrentProcessId()) {
            break; // a stand-in of the test's own
        }
        HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id);
        PostMessageA(window, WM_CLOSE, 0, 0);
        if (process) {
            if (WaitForSingleObject(process, milliseconds) != WAIT_OBJECT_0) {
                asked = false;
                TerminateProcess(process, 1);
                WaitForSingleObject(process, milliseconds);
            }
            CloseHandle(process);
        } else if (!WaitForProcessEnd(id, milliseconds)) {
            asked = false;
        }
    }
    return asked;
}

} // namespace klarvo::test
