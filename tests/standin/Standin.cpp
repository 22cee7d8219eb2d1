// The recording stand-in for Klarvo.exe; Standin.h says what it does.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "link/Messages.h"
#include "standin/Standin.h"

using namespace klarvo;
using namespace klarvo::test;

namespace {

constexpr UINT_PTR kLifetimeTimer = 1;

struct Settings {
    long long delay = 0;
    std::string log;
    long long lifetime = 60000;
    std::string notify;
    std::string report;
};

Settings settings;

std::string ProgramDir()
{
    char name[MAX_PATH * 2] = {};
    GetModuleFileNameA(nullptr, name, sizeof name - 1);
    std::string path = name;
    return path.substr(0, path.find_last_of('\\') + 1);
}

std::string Option(const std::string& key, const std::string& ini)
{
    const std::string prefix = "--" + key + "=";
    for (int i = 1; i < __argc; ++i) {
        if (std::string(__argv[i]).rfind(prefix, 0) == 0) {
            return __argv[i] + prefix.size();
        }
    }
    char value[1024] = {};
    GetPrivateProfileStringA(kStandinSection, key.c_str(), "", value, sizeof value, ini.c_str());
    return value;
}

void ReadSettings()
{
    const std::string ini = ProgramDir() + kStandinIni;
    if (const std::string delay = Option("delay", ini); !delay.empty()) {
        settings.delay = std::atoll(delay.c_str());
    }
    settings.log = Option("log", ini);
    if (settings.log.empty()) {
        settings.log = ProgramDir() + kStandinLog;
    }
    if (const std::string lifetime = Option("lifetime", ini); !lifetime.empty()) {
        settings.lifetime = std::atoll(lifetime.c_str());
    }
    settings.notify = Option("notify", ini);
    settings.report = Option("report", ini);
}

void Log(const std::string& line)
{
    HANDLE file = CreateFileA(settings.log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    const std::string text = line + "\r\n";
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

void NotifyShell(WPARAM code, LPARAM value)
{
    if (HWND shell = FindWindowA(kShellWindowClass, nullptr)) {
        PostMessageA(shell, WM_SHELLNOTIFY, code, value);
    }
}

void NotifyFromList(const std::string& list, const int* codes, int count)
{
    const char* cursor = list.c_str();
    for (int i = 0; i < count && *cursor; ++i) {
        char* end = nullptr;
        const long long value = std::strtoll(cursor, &end, 10);
        NotifyShell(static_cast<WPARAM>(codes[i]), static_cast<LPARAM>(value));
        cursor = *end == ',' ? end + 1 : end;
    }
}

LRESULT CALLBACK StandinProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLEANERCMD) {
        Log("command " + std::to_string(static_cast<unsigned long long>(wParam)) + " " +
            std::to_string(static_cast<long long>(lParam)));
        if (wParam == cmdReportStatus && !settings.report.empty()) {
            const int codes[] = {ntLastEffect, ntTotalEffect, ntTimeSince};
            NotifyFromList(settings.report, codes, 3);
        }
        return 0;
    }
    switch (message) {
    case kStandinNotifyRequest:
        NotifyShell(wParam, lParam);
        return 0;
    case WM_TIMER:
        if (wParam == kLifetimeTimer) {
            DestroyWindow(window);
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    ReadSettings();
    Log("started");
    if (settings.delay < 0) {
        Sleep(static_cast<DWORD>(settings.lifetime));
        return 0;
    }
    Sleep(static_cast<DWORD>(settings.delay));

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = StandinProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kCleanerWindowClass;
    if (!RegisterClassA(&windowClass)) {
        return 1;
    }
    HWND window =
        CreateWindowExA(0, kCleanerWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    if (!window) {
        return 1;
    }
    SetTimer(window, kLifetimeTimer, static_cast<UINT>(settings.lifetime), nullptr);
    if (!settings.notify.empty()) {
        char* end = nullptr;
        const long long code = std::strtoll(settings.notify.c_str(), &end, 10);
        const long long value = *end == ',' ? std::strtoll(end + 1, nullptr, 10) : 0;
        NotifyShell(static_cast<WPARAM>(code), static_cast<LPARAM>(value));
    }

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        DispatchMessageA(&message);
    }
    return 0;
}
