#!/usr/bin/env bash
# Builds dist/KlarvoSetup.exe from the release files in dist/ (make dist
# first) with NSIS, and checks that it imports nothing Windows 98 lacks.
# The uninstaller is written by the installer when it runs; the install test
# checks that one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dist="$root/dist"
work=${1:-$root/build/installer}
mkdir -p "$work"

for f in KlarvoShell.exe Klarvo.exe default.wav; do
  [ -f "$dist/$f" ] || { echo "make-installer: $dist/$f is missing; run make dist" >&2; exit 1; }
done

# The uninstaller removes the pictures that came with the suite and nothing
# a person put beside them.
list="$work/backgrounds.nsh"
: >"$list"
for f in "$dist"/backgrounds/*; do
  printf 'Delete "$INSTDIR\\backgrounds\\%s"\n' "${f##*/}" >>"$list"
done

makensis -V2 -NOCD \
  -DDIST="$dist" -DOUTFILE="$dist/KlarvoSetup.exe" \
  -DICON="$root/src/resources/pictures/klarvo.ico" -DBACKGROUND_LIST="$list" \
  "$root/installer/Klarvo.nsi"
# The uninstaller posts its close request through NSIS's System plugin,
# which the setup program carries and unpacks on the target machine.
"$root/scripts/check-imports.sh" "$dist/KlarvoSetup.exe" /usr/share/nsis/Plugins/x86-ansi/System.dll
echo "dist/KlarvoSetup.exe: $(( $(stat -c %s "$dist/KlarvoSetup.exe") / 1024 )) KB"
