#!/usr/bin/env bash
# Builds the core and its GoogleTest tests with the software extended type on this machine and
# runs them: the arithmetic every platform without the x87 gets, checked on x86-64.
# Usage: scripts/soft-test.sh [build-dir] [extra cmake arguments...]   (default: build-soft)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$here/build-soft"}
shift $(($# < 1 ? $# : 1))

# The libraries are named with this machine's architecture: an arm64 copy from a cross build
# must not pass for them.
arch=$(dpkg --print-architecture)
packages=(cmake ninja-build g++ libgtest-dev "libmpfr-dev:$arch" "libgmp-dev:$arch")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
fi

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZANVORO_EXTENDED=soft \
  -DZANVORO_BUILD_UI=OFF -DZANVORO_BUILD_BENCH=OFF "$@"
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure -j2
