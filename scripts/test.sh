#!/usr/bin/env bash
# Sets up, builds and runs every test: what scripts/setup.sh installs, plus the test tools.
# Usage: scripts/test.sh [build-dir]   (default: build)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$here/build"}
. "$here/scripts/packages.sh"

# GoogleTest and Google Benchmark; Xvfb and a window manager, the X tools, AT-SPI and D-Bus
# for the window checks on a real X server (scripts/ui-tests.sh); poppler to read the PDFs
# back; clang and its sanitizer and fuzzer runtimes (scripts/hardening.sh); the locales.
ensure_packages libgtest-dev libbenchmark-dev xvfb xauth openbox x11-utils xdotool at-spi2-core \
                dbus-daemon python3-pyatspi poppler-utils clang-14 libclang-rt-14-dev locales

# The calculator's own locale for the window tests, and one whose decimal symbol is a comma
# for the core's separator test.
missing=()
for name in ja_JP de_DE; do
  locale -a | grep -qix "$name.utf8" || missing+=("$name.UTF-8 UTF-8")
done
if ((${#missing[@]})); then
  for entry in "${missing[@]}"; do
    as_root sed -i "s/^# *\($entry\)/\1/" /etc/locale.gen
    grep -qx "$entry" /etc/locale.gen || echo "$entry" | as_root tee -a /etc/locale.gen >/dev/null
  done
  as_root locale-gen >/dev/null
fi

"$here/scripts/setup.sh" "$build" -DZANVORO_BUILD_TESTS=ON -DZANVORO_BUILD_BENCH=ON
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j2
