#!/usr/bin/env bash
# Installs the Debian packages the calculator needs (if missing), configures and builds it.
# Usage: scripts/setup.sh [build-dir]   (default: build)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$here/build"}
. "$here/scripts/packages.sh"

packages=(cmake ninja-build g++ pkg-config libgtest-dev libbenchmark-dev libmpfr-dev qt6-base-dev
          fonts-ipafont-gothic xvfb xauth clang-14 libclang-rt-14-dev poppler-utils
          qt6-translations-l10n openbox libxcb-cursor0 locales xdotool at-spi2-core dbus-daemon
          python3-pyatspi)
ensure_packages "${packages[@]}"
# The window tests also run in the calculator's own locale.
if ! locale -a | grep -qix 'ja_JP.utf8'; then
  as_root sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -qx 'ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >/dev/null
fi

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build"
