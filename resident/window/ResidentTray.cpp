// The cleaner's face: its tray icon, the icon's menu and the shell it opens.
#include "resident/window/Resident.h"

#include <shellapi.h>

#include "link/Messages.h"
#include "resident/window/ResidentParts.h"
#include "win/Files.h"

namespace klarvo::resident {

void Resident::OnTrayCallback(WPARAM, LPARAM mouse)
{
    // The menu's own loop handles messages: a click posted meanwhile must
    // not open a second menu inside the first.
    if (mouse == WM_RBUTTONUP && !menuOpen_) {
        ShowTrayMenu();
    } else if (mouse == WM_LBUTTONDBLCLK) {
        OpenShell();
    } else if (mouse == WM_MOUSEMOVE) {
        RefreshTray(); // before its tip shows
    }
}

void Resident::OnMenuCommand(WPARAM wParam, LPARAM)
{
    if (const std::optional<Command> command = DecodeMenuItem(LOWORD(wParam))) {
        Carry(*command);
    }
}

void Resident::OnTaskbarCreated()
{
    tray_->Recreate();
    NoteTrayState();
}

void Resident::RefreshTray()
{
    uptime_.Now(); // keeps the clock counting past GetTickCount's wrap
    if (!tray_) {
        return;
    }
    const int freeMB = FreeMBFromBytes(ReadMemoryBytes().availablePhysical);
    std::string tip = "Klarvo: free RAM " + std::to_string(freeMB) + " MB";
    if (!settings_.autoClean) {
        tip += ", auto cleaning off";
    }
    tray_->Show(settings_.trayShowsFree ? freeMB : -1, tip);
    NoteTrayState();
}

void Resident::NoteTrayState()
{
    if (tray_->Shown()) {
        trayRefusalLogged_ = false;
    } else if (!trayRefusalLogged_) {
        log_.Write("tray icon not added: the taskbar refused it");
        trayRefusalLogged_ = true;
    }
}

void Resident::ShowTrayMenu()
{
    menuOpen_ = true;
    struct Closed {
        bool& open;
        ~Closed() { open = false; }
    } closed{menuOpen_};
    const MenuHandle owned(CreatePopupMenu());
    if (!owned) {
        return;
    }
    HMENU menu = owned.Get();
    for (const CommandRow* row = CommandRowsBegin(); row != CommandRowsEnd(); ++row) {
        if (row->menuId == 0) {
            continue;
        }
        if (row->separatorBefore) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        }
        const UINT busy = row->ramWork && ramRunning_ ? MF_GRAYED : 0;
        const std::string label =
            row->label
                ? row->label
                : "Free up " + std::to_string(PopupMegabytes(settings_, row->menuArgument, TotalRamMB())) + " MB";
        AppendMenuA(menu, MF_STRING | busy, row->menuId, label.c_str());
    }
    SetMenuDefaultItem(menu, menuOpenShell, FALSE);
    POINT at;
    GetCursorPos(&at);
    // Without these two the menu does not close when clicked away from.
    SetForegroundWindow(window_);
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, window_, nullptr);
    PostMessageA(window_, WM_NULL, 0, 0);
}

void Resident::OpenShell()
{
    // One shell at a time. A running one is brought forward on its first
    // page, as a second start of it would do.
    if (HWND shell = FindWindowA(kShellWindowClass, nullptr)) {
        SetForegroundWindow(shell);
        PostMessageA(shell, WM_SHELLNOTIFY, ntShowPage, 0);
        return;
    }
    // One started a moment ago has no window yet.
    if (shellStarted_ && WaitForSingleObject(shellStarted_.Get(), 0) == WAIT_TIMEOUT) {
        return;
    }
    shellStarted_.Reset();
    const std::string shell = programDir_ + kShellProgram;
    if (!FileExists(shell)) {
        return;
    }
    SHELLEXECUTEINFOA run{};
    run.cbSize = sizeof run;
    run.fMask = SEE_MASK_NOCLOSEPROCESS;
    run.lpVerb = "open";
    run.lpFile = shell.c_str();
    run.lpParameters = "";
    run.lpDirectory = programDir_.c_str();
    run.nShow = SW_SHOWNORMAL;
    if (ShellExecuteExA(&run)) {
        shellStarted_.Reset(run.hProcess);
    }
}

} // namespace klarvo::resident
