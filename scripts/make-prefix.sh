#!/usr/bin/env bash
# Makes the private Wine prefix of the chosen mode once (KLARVO_WINE_MODE:
# 32-bit Windows 98, 32-bit Windows XP or 64-bit Windows XP), no window
# manager waits, no crash dialogs, the suite's fonts available.
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"

ready="$WINEPREFIX/.klarvo-ready"
sandbox="$WINEPREFIX-sandbox"

# A copy of the prefix whose only drive is C:. Tests that delete files run
# in it on trees under C:, so that no fault can reach the Linux file system.
make_sandbox() {
  [ -f "$sandbox/.klarvo-ready" ] && return
  rm -rf "$sandbox"
  cp -a "$WINEPREFIX" "$sandbox"
  find "$sandbox/dosdevices" -mindepth 1 -maxdepth 1 ! -name 'c:' -exec rm -f {} +
}

if [ -f "$ready" ]; then
  make_sandbox
  exit 0
fi

rm -rf "$WINEPREFIX"
mkdir -p "$(dirname "$WINEPREFIX")"
wineboot -i >/dev/null 2>&1
wineserver -w

reg() { wine reg add "$@" /f >/dev/null 2>&1; }
case "$KLARVO_WINE_MODE" in
win98) version=win98 ;;
winxp) version=winxp ;;
win64) version=winxp64 ;;
esac
reg 'HKCU\Software\Wine' /v Version /d "$version"
# Without a window manager every destroyed visible window waits 2 s.
reg 'HKCU\Software\Wine\X11 Driver' /v Managed /d N
reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
# The faces the shell asks for, mapped to their metric twins.
reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' /d 'Liberation Serif'
reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'Arial' /d 'Liberation Sans'
reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier' /d 'Liberation Mono'
reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' /d 'Liberation Mono'
wineserver -w

# The real MS Sans Serif and Tahoma from Debian's fonts-wine.
fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts"
for f in /usr/share/wine/fonts/*; do
  [ -e "$f" ] && ln -sf "$f" "$fonts/"
done

touch "$ready"
make_sandbox
