#!/usr/bin/env bash
# Installs what the build and the tests need, once. Safe to run again: every
# step checks first and a second run does nothing but those checks.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
deps="$root/build/deps"

sudo_cmd=()
if [ "$(id -u)" != 0 ]; then sudo_cmd=(sudo); fi
as_root() { "${sudo_cmd[@]}" "$@"; }

packages=(
  gcc-mingw-w64-i686-posix g++-mingw-w64-i686-posix
  gcc-mingw-w64-i686-win32 g++-mingw-w64-i686-win32
  gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix
  gcc-mingw-w64-x86-64-win32 g++-mingw-w64-x86-64-win32
  cmake make dpkg-dev
  wine wine32:i386 wine64 fonts-wine
  xvfb x11-apps netpbm xdotool lz4
  fonts-liberation googletest
  nsis x11-utils
  clang libclang-rt-dev libgtest-dev clang-format-16
)

missing_packages() {
  local p
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}

has_deb_src() {
  grep -rqsE '^(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/ 2>/dev/null
}

# The source entry must name the same archive the machine installs from.
add_deb_src() {
  local uri="" suite=""
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    uri=$(awk '/^URIs:/{print $2; exit}' /etc/apt/sources.list.d/debian.sources)
    suite=$(awk '/^Suites:/{print $2; exit}' /etc/apt/sources.list.d/debian.sources)
  fi
  if [ -z "$uri" ] && [ -f /etc/apt/sources.list ]; then
    read -r uri suite < <(awk '$1=="deb" && $0 !~ /security/ {
        i=2; if ($2 ~ /^\[/) { while ($i !~ /\]$/) i++; i++ } print $i, $(i+1); exit }' /etc/apt/sources.list) || true
  fi
  if [ -z "$uri" ]; then
    echo "setup: no Debian archive named in /etc/apt/sources.list.d/debian.sources or /etc/apt/sources.list;" \
      "add this machine's 'deb' entry to one of them, then run again" >&2
    exit 1
  fi
  suite=${suite:-bookworm}
  printf 'Types: deb-src\nURIs: %s\nSuites: %s\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
    "$uri" "$suite" | as_root tee /etc/apt/sources.list.d/klarvo-src.sources >/dev/null
}

install_packages() {
  local need_update=0
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
    need_update=1
  fi
  if ! has_deb_src; then
    add_deb_src
    need_update=1
  fi
  local missing
  missing=$(missing_packages)
  if [ -n "$missing" ] || [ "$need_update" = 1 ]; then
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
  fi
  if [ -n "$missing" ]; then
    # shellcheck disable=SC2086
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
  fi
}

# build_libjpeg ARCH: the static library for one architecture.
# How the library is built; a library built another way is built again.
# Sized for the release programs: the linker may drop each unused function,
# and the C library's own formatting (msvcrt) replaces the larger
# standard-conforming one that the toolchain would otherwise link in. Errors
# leave the library by a long jump, never by a C++ exception, so it needs no
# unwind tables. Only the accurate integer decoder is kept: the programs
# decode pictures at full size, in full colour, without arithmetic coding,
# and every feature left in is code the library's tables keep alive.
libjpeg_recipe="MinSizeRel -ffunction-sections -fdata-sections -fno-asynchronous-unwind-tables -D__USE_MINGW_ANSI_STDIO=0"
libjpeg_unused="DCT_IFAST_SUPPORTED DCT_FLOAT_SUPPORTED IDCT_SCALING_SUPPORTED UPSAMPLE_MERGING_SUPPORTED QUANT_1PASS_SUPPORTED QUANT_2PASS_SUPPORTED"

build_libjpeg() {
  local arch=$1
  local recipe="$libjpeg_recipe without $libjpeg_unused"
  [ -f "$deps/$arch/lib/libjpeg.a" ] && [ "$(cat "$deps/$arch/lib/libjpeg.recipe" 2>/dev/null)" = "$recipe" ] &&
    return
  local src="$deps/src"
  mkdir -p "$src"
  if ! ls -d "$src"/libjpeg-turbo-*/ >/dev/null 2>&1; then
    (cd "$src" && apt-get source -q libjpeg-turbo)
  fi
  local dir build="$deps/build/libjpeg-$arch"
  dir=$(ls -d "$src"/libjpeg-turbo-*/ | head -n 1)
  rm -rf "$build"
  local feature
  for feature in $libjpeg_unused; do
    sed -i "s/^#define[[:space:]]\+$feature\b/#undef $feature/" "$dir/jmorecfg.h"
  done
  cmake -S "$dir" -B "$build" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch-win32.cmake" \
    -DCMAKE_BUILD_TYPE=MinSizeRel -DCMAKE_C_FLAGS="${libjpeg_recipe#MinSizeRel }" \
    -DCMAKE_INSTALL_PREFIX="$deps/$arch" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF \
    -DWITH_JPEG8=ON -DWITH_ARITH_DEC=OFF -DWITH_ARITH_ENC=OFF >/dev/null
  cmake --build "$build" -j "$(nproc)" --target jpeg-static >/dev/null
  mkdir -p "$deps/$arch/lib" "$deps/$arch/include"
  cp "$dir/jpeglib.h" "$dir/jerror.h" "$dir/jmorecfg.h" "$build/jconfig.h" "$deps/$arch/include/"
  cp "$build/libjpeg.a" "$deps/$arch/lib/"
  echo "$recipe" >"$deps/$arch/lib/libjpeg.recipe"
}

# build_googletest ARCH: the tests' library for one architecture (the unit
# tests also run as 64-bit programs).
build_googletest() {
  local arch=$1
  [ -f "$deps/$arch/lib/libgtest.a" ] && return
  cmake -S /usr/src/googletest -B "$deps/build/googletest-$arch" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch-posix.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$deps/$arch" \
    -Dgtest_disable_pthreads=OFF -DBUILD_GMOCK=ON >/dev/null
  cmake --build "$deps/build/googletest-$arch" -j "$(nproc)" >/dev/null
  cmake --install "$deps/build/googletest-$arch" >/dev/null
}

install_packages
build_libjpeg i686
build_libjpeg x86_64
build_googletest i686
build_googletest x86_64
