#!/usr/bin/env bash
# Installs the suite with its setup program into a throwaway copy of the test
# prefix, starts the installed shell, and uninstalls it again keeping the
# settings; then installs into the default folder and uninstalls removing them.
#   install_test.sh SETUP_EXE
# Runs under the tests' virtual display (DISPLAY) and prefix (WINEPREFIX).
set -euo pipefail
setup=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
[ -f "$setup" ] || { echo "no $setup: run make installer" >&2; exit 1; }

failures=0
phase() { echo "[${SECONDS}s] $*"; }
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
check() { # DESCRIPTION COMMAND...
  local what=$1; shift
  "$@" >/dev/null 2>&1 || fail "$what"
}

# Copying the finished prefix takes a fraction of making one; its own
# server keeps it apart from the other tests. The installed cleaner really
# cleans: as in the sandbox, C: is the only drive, so nothing it does can
# reach the Linux file system, and the setup program is copied onto it.
scratch=$(mktemp -d "${TMPDIR:-/tmp}/klarvo-install.XXXXXX")
cp -a "$WINEPREFIX" "$scratch/prefix"
export WINEPREFIX="$scratch/prefix"
find "$WINEPREFIX/dosdevices" -mindepth 1 -maxdepth 1 ! -name 'c:' -exec rm -f {} +
mkdir -p "$WINEPREFIX/drive_c/setup"
cp "$setup" "$WINEPREFIX/drive_c/setup/KlarvoSetup.exe"
finish() {
  wineserver -k 2>/dev/null || true
  rm -rf "$scratch"
}
trap finish EXIT

# Not the default folder: the person may choose another. No blank in it:
# NSIS takes /D= only unquoted, and wine would quote an argument with one.
win_dir='C:\Apps\Klarvo31'
dir="$WINEPREFIX/drive_c/Apps/Klarvo31"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Klarvo'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
shell_title='Klarvo ver 3.1  Shell'
reg_value() { wine reg query "$1" /v "$2" </dev/null 2>/dev/null | tr -d '\r' | awk -v v="$2" '$1 == v {$1 = $2 = ""; sub(/^ +/, ""); print}'; }

phase "prefix copied"
# --- silent install --------------------------------------------------------
timeout 120 wine 'C:\setup\KlarvoSetup.exe' /S "/D=$win_dir" </dev/null
phase "installed"
for f in KlarvoShell.exe Klarvo.exe default.wav Uninstall.exe; do
  check "$f installed" test -f "$dir/$f"
done
for f in "$root"/src/resources/backgrounds/*; do
  check "backgrounds/${f##*/} installed" cmp "$f" "$dir/backgrounds/${f##*/}"
done
menu=$(find "$WINEPREFIX/drive_c" -type d -path '*Start Menu/Programs/Klarvo' | head -n 1)
check "Start Menu shortcut to the shell" test -f "$menu/Klarvo.lnk"
check "Start Menu shortcut to the uninstaller" test -f "$menu/Uninstall Klarvo.lnk"
[ "$(reg_value "$uninstall_key" DisplayName)" = "Klarvo 3.1" ] || fail "Add/Remove Programs entry"
[ "$(reg_value "$uninstall_key" UninstallString)" = "\"$win_dir\\Uninstall.exe\"" ] || fail "uninstall command"
check "the uninstaller imports only what Windows 98 has" "$root/scripts/check-imports.sh" "$dir/Uninstall.exe"

# What Explorer and the file's properties show.
for exe in KlarvoShell.exe Klarvo.exe; do
  resources=$(i686-w64-mingw32-windres -i "$dir/$exe" -O rc 2>/dev/null || true)
  for want in 'VALUE "ProductName", "Klarvo' 'VALUE "FileVersion", "3.1' "VALUE \"OriginalFilename\", \"$exe" \
    'LegalCopyright' 'FileDescription'; do
    [[ "$resources" == *"$want"* ]] || fail "$exe version resource: $want"
  done
  [[ "$resources" == *"RT_GROUP_ICON"* ]] || fail "$exe carries no icon"
done

phase "installation checked"
# --- the installed shell ---------------------------------------------------
wine "$dir/KlarvoShell.exe" </dev/null >/dev/null 2>&1 &
window=$(timeout 30 xdotool search --sync --onlyvisible --name "^$shell_title\$" 2>/dev/null | head -n 1) || true
[ -n "$window" ] || fail "the installed shell shows no window"
# The first run writes the settings the uninstaller keeps.
for i in $(seq 1 100); do
  [ -f "$dir/Conf.dat" ] && [ -f "$dir/ConfStr.dat" ] && break
  sleep 0.1
done
check "the first run wrote Conf.dat" test -f "$dir/Conf.dat"
check "the first run wrote ConfStr.dat" test -f "$dir/ConfStr.dat"
# A cleaner that starts with Windows, as the shell would have it.
wine reg add "$run_key" /v Klarvo /d "$win_dir\\Klarvo.exe" /f </dev/null >/dev/null 2>&1
wine "$dir/Klarvo.exe" </dev/null >/dev/null 2>&1 &

phase "shell shown, settings written"
# --- silent uninstall, with both programs still running ---------------------
timeout 120 wine "$dir/Uninstall.exe" /S </dev/null
# The uninstaller runs from a copy of itself and returns at once: wait for
# every program of the prefix to end.
timeout 120 wineserver -w || fail "a program of the suite did not end"
phase "uninstalled"
left=$(cd "$dir" 2>/dev/null && find . -mindepth 1 | sort | tr '\n' ' ')
[ "$left" = "./Conf.dat ./ConfStr.dat " ] || fail "uninstall left: $left"
check "Start Menu folder removed" test ! -e "$menu"
[ -z "$(reg_value "$uninstall_key" DisplayName)" ] || fail "Add/Remove Programs entry left"
[ -z "$(reg_value "$run_key" Klarvo)" ] || fail "autorun value left"

# --- the default folder, and an uninstall told to remove the settings -------
timeout 120 wine 'C:\setup\KlarvoSetup.exe' /S </dev/null
phase "installed into the default folder"
default_dir="$WINEPREFIX/drive_c/Program Files/Klarvo"
[ "$(reg_value "$uninstall_key" InstallLocation)" = 'C:\Program Files\Klarvo' ] || fail "default folder recorded"
check "default folder holds the shell" test -f "$default_dir/KlarvoShell.exe"
# What a first run would have written; the uninstaller judges by name only.
touch "$default_dir/Conf.dat" "$default_dir/ConfStr.dat"
timeout 120 wine 'C:\Program Files\Klarvo\Uninstall.exe' /S /REMOVESETTINGS </dev/null
timeout 120 wineserver -w || fail "the second uninstall did not end"
phase "uninstalled with the settings"
check "settings removed, and with them the folder" test ! -e "$default_dir"

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "install, start and uninstall: all checks passed"
