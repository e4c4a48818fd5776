#!/usr/bin/env bash
# Builds the core and its GoogleTest tests with the software extended type on this machine and
# runs them: the arithmetic every platform without the x87 gets, checked on x86-64.
# Usage: scripts/soft-test.sh [--long-double-64] [build-dir] [extra cmake arguments...]
#   (default build-dir: build-soft, or build-ld64 with --long-double-64)
# --long-double-64 builds with clang 14 and a 64-bit long double, as MSVC has it, and leaves
# the arithmetic to the default, which must then be soft.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
ld64=0
if [ "${1:-}" = "--long-double-64" ]; then
  ld64=1
  shift
fi
build=${1:-"$here/build-soft"}
((ld64)) && build=${1:-"$here/build-ld64"}
shift $(($# < 1 ? $# : 1))
. "$here/scripts/packages.sh"

# The libraries are named with this machine's architecture: an arm64 copy from a cross build
# must not pass for them.
arch=$(dpkg --print-architecture)
packages=(cmake ninja-build g++ pkg-config libgtest-dev "libmpfr-dev:$arch" "libgmp-dev:$arch")
((ld64)) && packages+=(clang-14 googletest)
ensure_packages "${packages[@]}"

if ((ld64)); then
  # GoogleTest from source, so that it too is built with the 64-bit long double.
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_CXX_FLAGS=-mlong-double-64 \
    -DZANVORO_GTEST_FROM_SOURCE=ON -DZANVORO_BUILD_UI=OFF -DZANVORO_BUILD_BENCH=OFF "$@"
  grep -q '^ZANVORO_EXTENDED:STRING=soft$' "$build/CMakeCache.txt" || {
    echo "a 64-bit long double must default to the soft arithmetic" >&2
    exit 1
  }
else
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZANVORO_EXTENDED=soft \
    -DZANVORO_BUILD_UI=OFF -DZANVORO_BUILD_BENCH=OFF "$@"
fi
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure -j2
