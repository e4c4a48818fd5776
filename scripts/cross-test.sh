#!/usr/bin/env bash
# Builds the core and its GoogleTest tests for another platform and runs them there by emulation:
# aarch64 Linux under qemu-aarch64, 64-bit Windows (MinGW-w64) under wine64, where the Win32
# windows and their test are built too and run on Xvfb. Installs what it needs.
# Usage: scripts/cross-test.sh aarch64|mingw [build-dir] [extra cmake arguments...]
#        (default build dir: build-aarch64 or build-mingw)
set -euo pipefail
all_args=("$@")
here=$(cd "$(dirname "$0")/.." && pwd)
target=${1:-}

. "$here/scripts/packages.sh"

case "$target" in
  aarch64)
    toolchain=aarch64-linux-gnu.cmake
    ui=OFF
    packages=(cmake ninja-build pkg-config googletest g++-aarch64-linux-gnu qemu-user
              libc6:arm64 libmpfr-dev:arm64 libgmp-dev:arm64)
    # The target's libraries come from Debian's arm64 packages beside the host's.
    if ! dpkg --print-foreign-architectures | grep -qx arm64; then
      as_root dpkg --add-architecture arm64
      added_architecture=1
    fi
    ;;
  mingw)
    toolchain=mingw-w64-x86_64.cmake
    packages=(cmake ninja-build googletest g++-mingw-w64-x86-64-posix wine wine64
              xvfb xauth fonts-ipafont-gothic)
    ui=ON
    ;;
  *)
    echo "usage: $0 aarch64|mingw [build-dir] [extra cmake arguments...]" >&2
    exit 2
    ;;
esac
build=${2:-"$here/build-$target"}
shift $(($# < 2 ? $# : 2))

if [ -n "${added_architecture:-}" ]; then
  ensure_packages --update "${packages[@]}"
else
  ensure_packages "${packages[@]}"
fi

if [ "$target" = mingw ] && [ -z "${ZANVORO_ON_XVFB:-}" ]; then
  # The windows' test needs a display: the whole run gets one, so that the Wine session the
  # prefix's server keeps has it from the start.
  ZANVORO_ON_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "${all_args[@]}"
fi

if [ "$target" = mingw ]; then
  # A Japanese Windows, as the estimators have: Wine then draws menus and message boxes in a
  # font with Japanese characters, not boxes. scripts/test.sh generates the locale.
  if locale -a | grep -qix 'ja_JP.utf8'; then
    export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
  fi
  # A Wine prefix of the build's own, made before the build: test discovery runs the tests
  # under Wine at build time, and a first start that makes the prefix takes long.
  export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  mkdir -p "$build"
  # One server and its helper programs for the whole run, started here with nothing of the
  # tests' output: left to itself the server quits seconds after each program, and two tests
  # starting at once could each find it gone and race to start another ("recvmsg: Connection
  # reset by peer"); helpers started by a test would hold its output open to the end.
  mkdir -p "$WINEPREFIX"
  # Status 2: a server already serves the prefix (one left by a killed run); the trap ends it.
  /usr/lib/wine/wineserver64 -p </dev/null >/dev/null 2>&1 || [ $? -eq 2 ]
  trap '/usr/lib/wine/wineserver64 -k || true' EXIT
  if [ -f "$WINEPREFIX/system.reg" ]; then
    /usr/lib/wine/wine64 wineboot </dev/null >/dev/null 2>&1
  else
    /usr/lib/wine/wine64 wineboot --init </dev/null >/dev/null 2>&1
  fi
  # The windows' font is not on Linux: its labels measure with the installed Japanese
  # P-Gothic instead, not with a Latin fallback.
  LC_ALL=C.UTF-8 /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\Fonts\Replacements' \
    /v 'ＭＳ Ｐゴシック' /t REG_SZ /d IPAPGothic /f </dev/null >/dev/null 2>&1
fi

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$here/cmake/toolchains/$toolchain" \
  -DZANVORO_BUILD_UI=$ui -DZANVORO_BUILD_BENCH=OFF -DZANVORO_GTEST_FROM_SOURCE=ON "$@"
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure -j2
