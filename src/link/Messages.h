#pragma once

// The two private window messages between the shell and the resident
// cleaner, with their codes. Both programs include this header; the values
// are a contract with every released version and never change.

namespace klarvo {

// Window-class names by which each side finds the other's window.
inline constexpr char kCleanerWindowClass[] = "Klarvo ver 3.1";
inline constexpr char kShellWindowClass[] = "Tfmshell";

// Posted by the shell to the resident cleaner: wParam a CleanerCommand,
// lParam its argument. WM_USER + 81.
constexpr unsigned WM_CLEANERCMD = 1105;
// Posted to the shell: wParam a ShellNotification, lParam its value.
// WM_USER + 80.
constexpr unsigned WM_SHELLNOTIFY = 1104;

enum CleanerCommand : int {
    cmdReloadSettings = 1, // lParam 0: re-read Conf.dat and ConfStr.dat
    cmdFastClean = 2,      // lParam 0: one fast RAM cleaning
    cmdReportStatus = 3,   // lParam 0: answer with ntLastEffect, ntTotalEffect, ntTimeSince
    cmdFreeRam = 5,        // lParam megabytes: manual cleaning, reports ntRamProgress
    cmdClearHdd = 6,       // lParam a HddCategory: clean it at its saved path
};

// Disk categories of cmdClearHdd.
enum HddCategory : int {
    hcTemp = 0,     // ConfStr.dat line 1
    hcInternet = 1, // line 2
    hcCookies = 2,  // line 3
    hcDir = 3,      // line 4, with subdirectories per slot 21
    hcHistory = 4,  // line 6
};

enum ShellNotification : int {
    ntShowPage = 1,    // from a second shell: page 0-6 to show
    ntLastEffect = 2,  // KB freed by the last RAM cleaning, -1 unknown
    ntTotalEffect = 3, // KB freed by all RAM cleanings, -1 unknown
    ntTimeSince = 4,   // seconds since the last RAM cleaning, -1 unknown
    ntRamProgress = 5, // percent 0-100 of a manual cleaning
    ntAutoChanged = 6, // the resident cleaner rewrote slot 1
};

} // namespace klarvo
