#!/usr/bin/env bash
# Builds everything with warnings as errors and runs clang-tidy (checks in .clang-tidy)
# over the program's sources. Fails on any warning or finding.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build-lint"
. "$here/scripts/packages.sh"
ensure_packages clang-tidy
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_COMPILE_WARNING_AS_ERROR=ON -DCMAKE_EXPORT_COMPILE_COMMANDS=ON
cmake --build "$build"
echo "== clang-tidy"
cd "$here"
status=0
shopt -s nullglob
for f in src/core/*/*.cpp src/forms/*.cpp src/ui/*.cpp src/ui/*/*.cpp src/app/*.cpp src/cli/*.cpp packaging/*.cpp; do
  case "$f" in *_windows.cpp) continue ;; esac  # not in this build: checked below
  clang-tidy -p "$build" --quiet "$f" 2>/dev/null || status=1
done
# The Windows sources, for the MinGW-w64 target with that compiler's C++ library headers.
mingw=x86_64-w64-mingw32-g++-posix
ensure_packages g++-mingw-w64-x86-64-posix
windows_args=(--target=x86_64-w64-mingw32 -std=c++20 -Isrc/core -Wall -Wextra -Wconversion
              -Wshadow -Wpedantic)
while read -r dir; do
  windows_args+=(-isystem "$dir")
done < <("$mingw" -xc++ -E -v /dev/null 2>&1 | sed -n 's/^ \(.*\/include\/c++.*\)/\1/p')
for f in src/core/platform/platform_windows.cpp src/cli/console_windows.cpp; do
  clang-tidy --quiet "$f" -- "${windows_args[@]}" -Isrc/cli 2>/dev/null || status=1
done
[ "$status" -eq 0 ] && echo "== Lint passed"
exit "$status"
