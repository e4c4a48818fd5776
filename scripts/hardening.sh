#!/usr/bin/env bash
# Builds the core and its tests with AddressSanitizer + UBSan and runs them, then fuzzes
# each fuzz target for a bounded time on a copy of its seed corpus, in both extended
# arithmetics (native and soft). Fails on any finding.
# Usage: scripts/hardening.sh [seconds-per-target]   (default 45 per target and arithmetic;
#        needs scripts/test.sh run first)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-45}
asan="$here/build-asan"

for tool in g++ clang++-14 cmake ninja; do
  command -v "$tool" >/dev/null || { echo "$tool missing: run scripts/test.sh first" >&2; exit 1; }
done

echo "== Sanitizer build (ASan + UBSan) of the core and its tests"
cmake -S "$here" -B "$asan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=g++ \
  -DZANVORO_SANITIZE=ON -DZANVORO_BUILD_UI=OFF -DZANVORO_BUILD_BENCH=OFF
cmake --build "$asan"
ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1 \
UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$asan" --output-on-failure -j2

# The fuzzers link the core as configured, instrumented for them (ZANVORO_FUZZ).
for arithmetic in native soft; do
  fuzz="$here/build-fuzz-$arithmetic"
  echo "== Fuzz targets (libFuzzer, clang 14), $arithmetic arithmetic"
  cmake -S "$here" -B "$fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++-14 -DZANVORO_FUZZ=ON -DZANVORO_EXTENDED="$arithmetic" \
    -DZANVORO_BUILD_UI=OFF -DZANVORO_BUILD_TESTS=OFF -DZANVORO_BUILD_BENCH=OFF
  cmake --build "$fuzz" --target fuzz_text_to_number fuzz_calculations fuzz_batch

  work="$fuzz/run"
  rm -rf "$work"
  mkdir -p "$work/artifacts"
  for target in fuzz_text_to_number fuzz_calculations fuzz_batch; do
    # A target's own dictionary where it has one; else the number grammar's.
    dict="$here/fuzz/$target.dict"
    [[ -f "$dict" ]] || dict="$here/fuzz/numbers.dict"
    echo "== $target ($arithmetic) for ${seconds} s"
    cp -r "$here/fuzz/corpus/$target" "$work/$target"
    # New inputs go to the copy; a crash, leak, timeout or failed check ends with non-zero.
    if ! "$fuzz/fuzz/$target" -max_total_time="$seconds" -max_len=8192 -timeout=10 \
        -rss_limit_mb=2048 -dict="$dict" -print_final_stats=1 \
        -artifact_prefix="$work/artifacts/$target-" "$work/$target" 2>"$work/$target.log"; then
      tail -n 60 "$work/$target.log"
      echo "$target ($arithmetic) found a fault; the input is in $work/artifacts" >&2
      exit 1
    fi
    grep -E '^(#[0-9]+[[:space:]]+DONE|stat::|Done )' "$work/$target.log"
  done
done
echo "== Hardening passed"
