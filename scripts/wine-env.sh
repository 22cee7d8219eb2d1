# Sourced: the environment every Wine run of this project uses. One private
# prefix inside build/ per kind of Windows, Wine's debug output off.
klarvo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# KLARVO_WINE_MODE picks the Windows the programs meet: win98 (the 9x line,
# the default), winxp (the NT line, 32-bit) or win64 (the NT line, 64-bit,
# for the x86_64 builds). Each has its own prefix; tests read the mode to
# know which line they were meant to meet.
export KLARVO_WINE_MODE="${KLARVO_WINE_MODE:-win98}"
case "$KLARVO_WINE_MODE" in
win98) klarvo_prefix_mode=; export WINEARCH=win32 ;;
winxp) klarvo_prefix_mode=-winxp; export WINEARCH=win32 ;;
win64) klarvo_prefix_mode=-win64; export WINEARCH=win64 ;;
*) echo "KLARVO_WINE_MODE must be win98, winxp or win64, not '$KLARVO_WINE_MODE'" >&2; return 1 ;;
esac
# KLARVO_WINEPREFIX lets parallel runs on one machine keep apart; the modes
# other than win98 add their name to it.
export WINEPREFIX="${KLARVO_WINEPREFIX:-$klarvo_root/build/wineprefix}$klarvo_prefix_mode"
export WINEDEBUG=-all
# No Mono or Gecko installers; a crash ends the program instead of opening
# a debugger dialog.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"

# Starts a 24-bit virtual display and exports DISPLAY; KLARVO_SCREEN sets
# its size (1024x768 unless told, as a small Windows 95 screen 640x480). The server takes the
# first free display number itself and reports it, so runs started side by
# side never share a display. A 16-bit display would quantise colours and
# break pixel checks.
klarvo_start_display() {
  local report i n
  report=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${KLARVO_SCREEN:-1024x768}x24" -nolisten tcp 3>"$report" >/dev/null 2>&1 &
  klarvo_xvfb_pid=$!
  for i in $(seq 1 200); do
    n=$(cat "$report")
    if [ -n "$n" ]; then
      rm -f "$report"
      export DISPLAY=":$n"
      return 0
    fi
    kill -0 "$klarvo_xvfb_pid" 2>/dev/null || break
    sleep 0.05
  done
  rm -f "$report"
  echo "cannot start a virtual display" >&2
  return 1
}

klarvo_stop_display() {
  [ -n "${klarvo_xvfb_pid:-}" ] && kill "$klarvo_xvfb_pid" 2>/dev/null
  klarvo_xvfb_pid=
}

# Starts the persistent Wine server and its services with their output
# detached: a service started by the first test would otherwise inherit
# that test's output pipe, and ctest would wait for the pipe to close.
klarvo_start_wineserver() {
  local prefix
  for prefix in "$WINEPREFIX" "$WINEPREFIX-sandbox"; do
    [ -d "$prefix" ] || continue
    # A server left by an interrupted run keeps programs tied to a display
    # that is gone; this run starts with its own.
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    WINEPREFIX=$prefix wineserver -w 2>/dev/null || true
    WINEPREFIX=$prefix wineserver -p </dev/null >/dev/null 2>&1
    WINEPREFIX=$prefix wine cmd /c exit </dev/null >/dev/null 2>&1 || true
  done
}

klarvo_stop_wineserver() {
  local prefix
  for prefix in "$WINEPREFIX" "$WINEPREFIX-sandbox"; do
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
  done
}
