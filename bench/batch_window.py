#!/usr/bin/python3
"""The batch window's paste under Wine against zanvoro-batch on the same rows.

Usage: bench/batch_window.py [build-dir] [runs]   (default: build-mingw, 11 runs of each)

Writes 10,000 rows (reverse searches of amounts across the formula bands, every 97th
refused) to a TSV file, then runs, alternately, bench/batch_window_win32.exe (the batch
window shown, the file's text put on the clipboard and pasted; it reports the time from the
paste until every row is computed and drawn, then quits) and src/cli/zanvoro-batch.exe on
the same file, both under wine64 in the build's Wine prefix on a display of their own (Xvfb
1920 x 1200). Prints the medians of the paste's time on screen and of both programs' wall
time from start to exit, and their ratio; fails when the rows take more than 1 s to be on
screen. The first run of each is a warm-up and not counted. The build needs
-DZANVORO_BUILD_BENCH=ON (scripts/cross-test.sh mingw <dir> -DZANVORO_BUILD_BENCH=ON).
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

ROWS = 10_000
MAX_ON_SCREEN_MS = 1000.0
WINE = "/usr/lib/wine/wine64"


def write_rows(path):
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        for i in range(ROWS):
            out.write("x\n" if i % 97 == 96 else f"{10 + i * 7.3:.1f}\n")


def timed(command, failed_rows_ok=False):
    start = time.monotonic()
    done = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    ms = (time.monotonic() - start) * 1e3
    if done.returncode not in ((0, 1) if failed_rows_ok else (0,)):
        raise RuntimeError(f"{command[1]} ended with {done.returncode}")
    return ms, done.stdout.decode(errors="replace")


def main():
    args = sys.argv[1:]
    build = os.path.abspath(args[0] if args else "build-mingw")
    runs = int(args[1]) if len(args) > 1 else 11
    if not os.environ.get("ZANVORO_BENCH_DISPLAY"):
        here = os.path.abspath(__file__)
        cmd = ["xvfb-run", "-a", "-s", "-screen 0 1920x1200x24 -nolisten tcp",
               sys.executable, here, build, str(runs)]
        sys.exit(subprocess.call(cmd, env=dict(os.environ, ZANVORO_BENCH_DISPLAY="1")))

    os.environ.update(WINEPREFIX=os.path.join(build, "wineprefix"), WINEDEBUG="-all",
                      WINEDLLOVERRIDES="mscoree,mshtml=")
    quiet = dict(stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    subprocess.call(["/usr/lib/wine/wineserver64", "-p"], **quiet)
    subprocess.call([WINE, "wineboot"], **quiet)
    window = [WINE, os.path.join(build, "bench/batch_window_win32.exe")]
    command = [WINE, os.path.join(build, "src/cli/zanvoro-batch.exe")]
    on_screen, window_ms, command_ms = [], [], []
    try:
        with tempfile.TemporaryDirectory() as work:
            rows = os.path.join(work, "rows.tsv")
            write_rows(rows)
            for i in range(runs + 1):
                order = [True, False] if i % 2 else [False, True]
                for is_window in order:
                    if is_window:
                        ms, out = timed(window + [rows])
                        reported = [float(line.split()[1]) for line in out.splitlines()
                                    if line.startswith("on-screen ")]
                        if not reported or f"rows {ROWS}" not in out:
                            raise RuntimeError("the window reported no rows on screen")
                        if i:
                            on_screen.append(reported[0])
                            window_ms.append(ms)
                    else:
                        ms, out = timed(command + [rows], failed_rows_ok=True)
                        if out.count("\n") != ROWS + 1:
                            raise RuntimeError("zanvoro-batch wrote another number of rows")
                        if i:
                            command_ms.append(ms)
    finally:
        subprocess.call(["/usr/lib/wine/wineserver64", "-k"])

    paste = statistics.median(on_screen)
    print(f"batch window: {ROWS:,} pasted rows on screen in median {paste:.1f} ms "
          f"(min {min(on_screen):.1f}, max {max(on_screen):.1f}; at most {MAX_ON_SCREEN_MS:.0f})")
    print(f"batch window program, start to exit: median {statistics.median(window_ms):.1f} ms")
    print(f"zanvoro-batch, start to exit:        median {statistics.median(command_ms):.1f} ms")
    print(f"ratio window / command {statistics.median(window_ms) / statistics.median(command_ms):.2f}, "
          f"paste on screen / command {paste / statistics.median(command_ms):.2f}, "
          f"{runs} alternating runs under Wine")
    sys.exit(0 if paste <= MAX_ON_SCREEN_MS else 1)


if __name__ == "__main__":
    main()
