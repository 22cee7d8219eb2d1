#!/usr/bin/env bash
# Makes the shell's own pictures and sound into src/resources/, where they are
# committed: the application icon (with a view of it in docs/), the hand cursor, the title picture (drawn with GDI under Wine, in the faces the
# shell uses), the default background, the pictures for dist/backgrounds/ and
# default.wav. The build does not run this; run it by hand after changing the
# designs in scripts/assets/ and commit what it writes.
#
# KLARVO_WINEPREFIX chooses the Wine prefix (default build/prefix-assets).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
res="$root/src/resources"
tools="$root/build/assets-tools"

sudo_cmd=()
if [ "$(id -u)" != 0 ]; then sudo_cmd=(sudo); fi

if ! command -v cjpeg >/dev/null; then
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
    libjpeg-turbo-progs
fi

# Backgrounds and the sound: plain arithmetic.
python3 "$root/scripts/assets/make_pictures.py" "$res"
# The hand cursor for systems without one.
python3 "$root/scripts/assets/make_cursor.py" "$res/pictures/hand.cur"
# The application icon of both programs and the installer, and an enlarged
# view of it for people (the README shows it).
mkdir -p "$root/docs"
python3 "$root/scripts/assets/make_icon.py" "$res/pictures/klarvo.ico" "$root/docs/icon.png"

# The title picture: a small Windows program draws it with the platform's
# own text output, so its letters look like the rest of the shell.
mkdir -p "$tools" "$res/pictures"
i686-w64-mingw32-g++-win32 -std=c++20 -O2 -Wall -Wextra -Werror -static \
  -o "$tools/drawtitle.exe" "$root/scripts/assets/drawtitle.cpp" -lgdi32

export KLARVO_WINEPREFIX=${KLARVO_WINEPREFIX:-$root/build/prefix-assets}
# shellcheck source=scripts/wine-env.sh
. "$root/scripts/wine-env.sh"
"$root/scripts/make-prefix.sh"
klarvo_start_display
trap 'WINEPREFIX=$WINEPREFIX wineserver -k 2>/dev/null || true; klarvo_stop_display' EXIT
title="$res/pictures/title.bmp"
wine "$tools/drawtitle.exe" "$(winepath -w "$title")" </dev/null

# What the shell and the form rely on.
check_size() { # FILE WIDTH HEIGHT
  local got
  # pnmfile stops after the header: in a pipe the decoder could die of
  # SIGPIPE and, with pipefail, end the script.
  case "$1" in
    *.jpg) got=$(pnmfile <(djpeg "$1")) ;;
    *.bmp) got=$(pnmfile <(bmptopnm "$1" 2>/dev/null)) ;;
  esac
  if [[ "$got" != *" $2 by $3 "* ]]; then
    echo "make-assets: $1 is not $2 x $3: $got" >&2
    exit 1
  fi
}
check_size "$title" 517 15
check_size "$res/pictures/default-background.jpg" 128 128
check_size "$res/backgrounds/sand.bmp" 100 60
python3 - "$res/sounds/default.wav" <<'PY'
import sys, wave
with wave.open(sys.argv[1]) as w:
    seconds = w.getnframes() / w.getframerate()
    if w.getcomptype() != "NONE" or not 0 < seconds < 1:
        sys.exit(f"make-assets: {sys.argv[1]} is not a short PCM sound ({seconds:.2f} s)")
PY

echo "made:"
(cd "$root" && ls -l src/resources/pictures src/resources/backgrounds src/resources/sounds docs/icon.png)
