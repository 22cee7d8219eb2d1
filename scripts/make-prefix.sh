#!/usr/bin/env bash
# Makes the private Wine prefix once: 32-bit, Windows 98 mode, no window
# manager waits, no crash dialogs, the suite's fonts available.
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"

ready="$WINEPREFIX/.klarvo-ready"
[ -f "$ready" ] && exit 0

rm -rf "$WINEPREFIX"
mkdir -p "$(dirname "$WINEPREFIX")"
wineboot -i >/dev/null 2>&1
wineserver -w

reg() { wine reg add "$@" /f >/dev/null 2>&1; }
reg 'HKCU\Software\Wine' /v Version /d win98
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

# Nothing a test does may reach the Linux file system through drive Z:
# tests find their programs there, so the link stays; destructive tests
# work only under C: (see tests/support/TempDir).
touch "$ready"
