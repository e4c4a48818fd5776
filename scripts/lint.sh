#!/usr/bin/env bash
# Builds everything with warnings as errors and runs clang-tidy (checks in .clang-tidy)
# over the program's sources. Fails on any warning or finding.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build-lint"
if ! command -v clang-tidy >/dev/null; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends clang-tidy
fi
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZANVORO_WERROR=ON -DCMAKE_EXPORT_COMPILE_COMMANDS=ON
cmake --build "$build"
echo "== clang-tidy"
cd "$here"
status=0
for f in src/core/*.cpp src/ui/*.cpp src/app/*.cpp packaging/*.cpp; do
  clang-tidy -p "$build" --quiet "$f" 2>/dev/null || status=1
done
[ "$status" -eq 0 ] && echo "== Lint passed"
exit "$status"
