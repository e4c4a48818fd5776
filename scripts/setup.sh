#!/usr/bin/env bash
# Installs what building and running the calculator needs (if missing), configures and builds.
# Usage: scripts/setup.sh [build-dir] [extra cmake arguments...]   (default: build)
# A first configuration builds the program alone; scripts/test.sh turns the tests on.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$here/build"}
shift $(($# < 1 ? $# : 1))
. "$here/scripts/packages.sh"

# libxcb-cursor0 and the IPA font are loaded at run time: the X platform plugin will not
# start without the one, and the windows are laid out for the other. Qt's SVG module and
# help2man make the theme icons and manual pages the build installs.
ensure_packages cmake ninja-build g++ pkg-config libmpfr-dev qt6-base-dev qt6-svg-dev \
                fonts-ipafont-gothic qt6-translations-l10n libxcb-cursor0 help2man

[ -f "$build/CMakeCache.txt" ] || set -- -DZANVORO_BUILD_TESTS=OFF -DZANVORO_BUILD_BENCH=OFF "$@"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build "$build"
