#!/usr/bin/env bash
# Runs the window tests where the desktop differs from a plain test run: in the calculator's
# own locale and in C.UTF-8, then built with AddressSanitizer + UBSan, offscreen and once on
# a real X server with a window manager (Xvfb + openbox, xcb); last, through AT-SPI, that every
# control of the three windows has a name for screen readers. Fails on any failed test or
# sanitizer finding.
# Usage: scripts/ui-tests.sh [build-dir]   (default build, already built by scripts/test.sh;
#        the sanitizer build goes to build-ui-asan)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$here/build"}
asan="$here/build-ui-asan"

for tool in cmake ninja ctest xvfb-run xauth openbox xprop xdotool dbus-run-session; do
  command -v "$tool" >/dev/null || { echo "$tool missing: run scripts/test.sh first" >&2; exit 1; }
done
for lang in ja_JP.UTF-8 C.UTF-8; do
  locale -a | grep -qix "${lang/UTF-8/utf8}" || { echo "locale $lang missing: run scripts/test.sh first" >&2; exit 1; }
done

# The window test programs of a build, by the label CMake gives them.
ui_tests() {
  ctest --test-dir "$1" -N -L '^ui$' | sed -n 's/^ *Test *#[0-9]*: *//p'
}

for lang in ja_JP.UTF-8 C.UTF-8; do
  echo "== Window tests, offscreen, LANG=$lang"
  LANG=$lang LC_ALL=$lang ctest --test-dir "$build" -L '^(ui|stress)$' --output-on-failure -j2
done

# Not strict_string_checks: the xcb platform's keyboard library duplicates names from X
# replies with strndup, which is sound without a terminating NUL but flagged under it.
asan_options=detect_leaks=1:detect_stack_use_after_return=1
# Where a session bus is around (a desktop, or dbus-user-session), Qt's platform integration
# connects to it, and libdbus keeps its buffers past exit: not ours, so not a finding.
export LSAN_OPTIONS="suppressions=$here/scripts/lsan-system.supp:print_suppressions=0"

echo "== Window tests with AddressSanitizer + UBSan, LANG=ja_JP.UTF-8"
cmake -S "$here" -B "$asan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=g++ \
  -DZANVORO_SANITIZE=ON -DZANVORO_BUILD_BENCH=OFF
# Only the windows and their tests: the core's own sanitizer run is scripts/hardening.sh.
cmake --build "$asan" --target zanvoro $(ui_tests "$asan")
ASAN_OPTIONS=$asan_options \
UBSAN_OPTIONS=print_stacktrace=1 LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 \
  ctest --test-dir "$asan" -L '^(ui|stress)$' --output-on-failure -j2

echo "== Window tests with the sanitizers on Xvfb with openbox (xcb), LANG=ja_JP.UTF-8"
# Activation and focus order differ there from the offscreen platform.
ASAN_OPTIONS=$asan_options \
UBSAN_OPTIONS=print_stacktrace=1 LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 QT_QPA_PLATFORM=xcb \
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" bash -c '
  here=$1 build=$2; shift 2
  log=$(mktemp -d)
  openbox --sm-disable >"$log/openbox.log" 2>&1 &
  wm=$!
  "$here/scripts/wait-for-wm.sh" || { cat "$log/openbox.log" >&2; exit 1; }
  status=0
  for t in "$@"; do
    if timeout 300 "$build/tests/ui/$t" >"$log/$t.log" 2>&1; then
      sed -n "s/^Totals/$t: Totals/p" "$log/$t.log"
    else
      cat "$log/$t.log"
      echo "$t failed on xcb" >&2
      status=1
    fi
  done
  kill "$wm" 2>/dev/null
  wait "$wm" 2>/dev/null
  rm -rf "$log"
  exit "$status"' ui-xcb "$here" "$asan" $(ui_tests "$asan")

echo "== Every control of the three windows named for a screen reader (AT-SPI on Xvfb)"
LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 "$here/scripts/atspi-check.py" "$build/src/app/zanvoro" >/dev/null

echo "== Window tests passed"
