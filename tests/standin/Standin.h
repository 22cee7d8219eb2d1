#pragma once

// A recording stand-in for the resident cleaner, for tests only; it is
// never shipped. Copied into a test directory as "Klarvo.exe", it behaves
// as far as the shell can tell like the real one:
//
// - It creates a hidden top-level window of class "Klarvo ver 3.1" after a
//   delay, and ends when that window gets WM_CLOSE or its lifetime is over.
// - Every WM_CLEANERCMD it receives is appended to its log as the line
//   "command <wParam> <lParam>" (decimal, lParam signed); its start is the
//   line "started". The file is opened and closed per line, so a test can
//   read it at any time.
// - On cmdReportStatus it answers the window of class "Tfmshell" with
//   ntLastEffect, ntTotalEffect and ntTimeSince when "report" is set.
// - A kStandinNotifyRequest (code, value) posted to its window makes it post
//   WM_SHELLNOTIFY (code, value) to the "Tfmshell" window.
//
// Because the shell starts it without arguments, it reads its settings from
// kStandinIni beside itself, section [standin]; "--key=value" arguments
// override them when a test starts it directly:
//   delay=<ms>          before the window appears; -1: never (default 0)
//   log=<path>          the log (default: standin.log beside the program)
//   lifetime=<ms>       it ends by itself after this (default 60000)
//   notify=<code>,<value>  one WM_SHELLNOTIFY posted as soon as the window exists
//   report=<last>,<total>,<since>  the answer to cmdReportStatus

namespace klarvo::test {

inline constexpr char kStandinIni[] = "Standin.ini";
inline constexpr char kStandinSection[] = "standin";
inline constexpr char kStandinLog[] = "standin.log";
// WM_APP + 1: (code, value) to pass on to the shell as WM_SHELLNOTIFY.
constexpr unsigned kStandinNotifyRequest = 0x8001;

} // namespace klarvo::test
