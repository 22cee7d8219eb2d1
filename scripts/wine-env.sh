# Sourced: the environment every Wine run of this project uses. One private
# 32-bit prefix inside build/, Wine's debug output off.
klarvo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# KLARVO_WINEPREFIX lets parallel runs on one machine keep apart.
export WINEPREFIX="${KLARVO_WINEPREFIX:-$klarvo_root/build/wineprefix}"
export WINEARCH=win32
export WINEDEBUG=-all
# No Mono or Gecko installers; a crash ends the program instead of opening
# a debugger dialog.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"

# Starts a 24-bit virtual display on a free number and exports DISPLAY.
# A 16-bit display would quantise colours and break pixel checks.
klarvo_start_display() {
  local n
  for n in $(seq 90 150); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    klarvo_xvfb_pid=$!
    local i
    for i in $(seq 1 100); do
      [ -e "/tmp/.X11-unix/X$n" ] && { export DISPLAY=":$n"; return 0; }
      kill -0 "$klarvo_xvfb_pid" 2>/dev/null || break
      sleep 0.05
    done
  done
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
