// Figures for the cleaner link and the system settings, run by hand in the
// test prefix: link_bench --standin=<path of KlarvoStandin.exe>
// Prints one line per measurement; it is not a test and asserts nothing.

#include <windows.h>

#include <cstdio>
#include <string>

#include "link/CleanerLink.h"
#include "link/Messages.h"
#include "link/Notifications.h"
#include "settings/ExeDir.h"
#include "settings/System.h"
#include "standin/Standin.h"
#include "support/Process.h"
#include "support/Pump.h"
#include "support/ShellPlaces.h"
#include "support/TempDir.h"
#include "support/Timing.h"

using namespace klarvo;
using namespace klarvo::test;

namespace {

class Quiet : public ShellControl {
public:
    void StopRefreshTimer() override {}
    void ShowMessage(const std::string&) override {}
    void RequestEnd() override {}
};

template <typename Work> void Measure(const char* what, int count, Work work)
{
    const double start = SecondsNow();
    for (int i = 0; i < count; ++i) {
        work(i);
    }
    const double seconds = SecondsNow() - start;
    std::printf("%-48s %8d x %10.3f us\n", what, count, seconds * 1e6 / count);
}

void PostingToARunningCleaner(Quiet& shell)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kCleanerWindowClass;
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, kCleanerWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
    Measure("SendToCleaner, cleaner running (post only)", 20000, [&](int i) {
        SendToCleaner(shell, cmdReportStatus, 0);
        if (i % 1000 == 999) {
            test::Pump();
        }
    });
    DestroyWindow(window);
    UnregisterClassA(kCleanerWindowClass, windowClass.hInstance);
    test::Pump();
}

void StartingTheStandIn(Quiet& shell, const std::string& standin)
{
    if (standin.empty()) {
        return;
    }
    for (int delay : {0, 800}) {
        for (int run = 0; run < 3; ++run) {
            TempDir dir;
            CopyFileA(standin.c_str(), dir.File("Klarvo.exe").c_str(), FALSE);
            WriteText(dir.File(kStandinIni), "[standin]\r\ndelay=" + std::to_string(delay) + "\r\n");
            const std::string original = ExeDir();
            OverrideExeDir(dir.Path());
            CountingCleaner system;
            const double start = SecondsNow();
            SendToCleaner(shell, system, cmdReportStatus, 0);
            const double seconds = SecondsNow() - start;
            OverrideExeDir(original);
            std::printf("start with window delay %4d ms: %2d polls, %6.0f ms\n", delay, system.sleeps, seconds * 1000);
            HWND window = FindWindowA(kCleanerWindowClass, nullptr);
            DWORD processId = 0;
            GetWindowThreadProcessId(window, &processId);
            HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
            PostMessageA(window, WM_CLOSE, 0, 0);
            if (process) {
                WaitForSingleObject(process, 10000);
                CloseHandle(process);
            }
        }
    }
}

void SystemSettings()
{
    const std::string keyName = "Software\\KlarvoTests\\benchmark-" + std::to_string(GetCurrentProcessId());
    HKEY root = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, keyName.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root, nullptr);
    HKEY folders = nullptr;
    RegCreateKeyExA(root, kShellFoldersKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &folders, nullptr);
    const char path[] = "C:\\WINDOWS\\Temporary Internet Files";
    RegSetValueExA(folders, "Cache", 0, REG_SZ, reinterpret_cast<const BYTE*>(path), sizeof path);
    RegCloseKey(folders);
    SystemPlaces places;
    places.root = root;
    Measure("GetShellFolder", 10000, [&](int) { GetShellFolder("Cache", places); });
    Measure("SetAutorun(true)", 2000, [&](int) { SetAutorun(true, places); });
    Measure("SetAutorun(false)", 2000, [&](int) { SetAutorun(false, places); });
    RegCloseKey(root);
    DeleteRegistryTree(HKEY_CURRENT_USER, keyName);

    Quiet shell;
    for (int megabytes : {0, 4}) {
        std::string text;
        while (text.size() < static_cast<size_t>(megabytes) * 1024 * 1024) {
            text += "[s" + std::to_string(text.size()) + "]\r\nkey=" + std::string(200, 'v') + "\r\n";
        }
        for (bool limits : {false, true}) {
            TempDir dir;
            places.windowsDir = dir.Path().substr(0, dir.Path().size() - 1);
            WriteText(dir.File("system.ini"), text + (limits ? "[vcache]\r\nmaxfilecache=8192\r\n" : ""));
            const double start = SecondsNow();
            ResetVcacheLimits(shell, places);
            std::printf("ResetVcacheLimits, %d MB system.ini, %s: %8.1f ms\n", megabytes,
                        limits ? "limit removed" : "no limits  ", (SecondsNow() - start) * 1000);
        }
    }
}

} // namespace

int main()
{
    Quiet shell;
    Measure("EffectText", 1000000, [](int i) { EffectText(i * 977); });
    Measure("ElapsedText", 1000000, [](int i) { ElapsedText(i * 13); });
    PostingToARunningCleaner(shell);
    SystemSettings();
    StartingTheStandIn(shell, FileArgument("standin"));
    return 0;
}
