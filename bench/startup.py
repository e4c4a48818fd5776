#!/usr/bin/python3
"""Start-up of the calculator against a bare Qt window of the same size and font.

Usage: bench/startup.py [build-dir] [runs]   (default: build, 21 runs of each)
       bench/startup.py --wine [build-dir] [runs]   (default: build-mingw)

With --wine, the Windows program against bench/bare_window_win32 (a bare Win32 window of the
same size and font), both stripped as the packages ship them, under wine64, in the build's
Wine prefix (scripts/cross-test.sh mingw makes it, with the windows' font mapped to
IPAPGothic); each prints the wall-clock time of its first paint. The bar is then 1.5, and the memory, Wine's own for the most part, is only shown.
A third program runs alongside: the bare window with as many plain system controls as the
main window has (bare_window_win32 --controls), so that each run also says what those windows
alone cost under Wine, apart from anything the calculator does.

Runs both programs alternately on a display of their own (Xvfb 1920 x 1200 with openbox,
LANG=ja_JP.UTF-8, QT_QPA_PLATFORM=xcb), each told by ZANVORO_FIRST_PAINT_PROBE to print the
CLOCK_MONOTONIC time of its first paint and quit. A run's first paint is that time minus the
moment just before the program was started; its peak memory is the child's maximum resident
set size, its CPU time the child's user and system time (all threads, to its quitting right
after the paint). Prints the medians, the ratio of the first paints and the difference in memory, and
fails when the ratio is above 1.2 or the difference above 5 MB. The first run of each is a
warm-up and not counted. Needs xvfb, xauth, openbox and x11-utils (scripts/test.sh).
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

MAX_RATIO = 1.2
MAX_EXTRA_MB = 5.0
WINE_MAX_RATIO = 1.5
WINE = "/usr/lib/wine/wine64"


def run_once(program, wine=False, args=()):
    env = dict(os.environ, ZANVORO_FIRST_PAINT_PROBE="1", QT_QPA_PLATFORM="xcb",
               LANG="ja_JP.UTF-8", LC_ALL="ja_JP.UTF-8")
    clock = time.time_ns if wine else time.monotonic_ns
    start = clock()
    child = subprocess.Popen(([WINE, program] if wine else [program]) + list(args), env=env,
                             stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    # Up to the report: a helper that Wine starts could hold the output open longer.
    out = child.stdout.readline().decode() if wine else child.stdout.read().decode()
    _, status, usage = os.wait4(child.pid, 0)
    child.returncode = status
    painted = [int(line.split()[1]) for line in out.splitlines() if line.startswith("first-paint ")]
    if not painted:
        raise RuntimeError(f"{program} reported no first paint")
    cpu = (usage.ru_utime + usage.ru_stime) * 1e3
    return (painted[0] - start) / 1e6, usage.ru_maxrss / 1024.0, cpu


def shipped(program):
    """A stripped copy, as the zip and the installer ship it: Wine maps the debug information
    of a RelWithDebInfo build into the process, some 25 ms before wWinMain on this machine."""
    copy = os.path.join(tempfile.mkdtemp(prefix="zanvoro-startup-"), os.path.basename(program))
    subprocess.run(["x86_64-w64-mingw32-strip", "-o", copy, program], check=True)
    return copy


def measure(build, runs, wine):
    if wine:
        bare = shipped(os.path.join(build, "bench/bare_window_win32.exe"))
        programs = {"zanvoro": (shipped(os.path.join(build, "src/win32/zanvoro.exe")),),
                    "bare window": (bare,), "controls alone": (bare, "--controls")}
    else:
        programs = {"zanvoro": (os.path.join(build, "src/app/zanvoro"),),
                    "bare window": (os.path.join(build, "bench/bare_window"),)}
    times = {name: [] for name in programs}
    memory = {name: [] for name in programs}
    cpu = {name: [] for name in programs}
    for name, (path, *args) in programs.items():
        run_once(path, wine, args)  # warm-up: caches, fonts
    for i in range(runs):
        order = list(programs.items())
        if i % 2:
            order.reverse()
        for name, (path, *args) in order:
            ms, mb, used = run_once(path, wine, args)
            times[name].append(ms)
            memory[name].append(mb)
            cpu[name].append(used)
    return times, memory, cpu


def start_wine(build):
    """The build's prefix with its server and helpers started once, their output elsewhere."""
    os.environ.update(WINEPREFIX=os.path.join(build, "wineprefix"), WINEDEBUG="-all",
                      WINEDLLOVERRIDES="mscoree,mshtml=")
    quiet = dict(stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    subprocess.call(["/usr/lib/wine/wineserver64", "-p"], **quiet)
    subprocess.call([WINE, "wineboot"], **quiet)


def main():
    args = sys.argv[1:]
    wine = bool(args) and args[0] == "--wine"
    if wine:
        args = args[1:]
    build = os.path.abspath(args[0] if args else ("build-mingw" if wine else "build"))
    runs = int(args[1]) if len(args) > 1 else 21
    if not os.environ.get("ZANVORO_STARTUP_DISPLAY"):
        here = os.path.abspath(__file__)
        cmd = ["xvfb-run", "-a", "-s", "-screen 0 1920x1200x24 -nolisten tcp",
               sys.executable, here] + (["--wine"] if wine else []) + [build, str(runs)]
        sys.exit(subprocess.call(cmd, env=dict(os.environ, ZANVORO_STARTUP_DISPLAY="1")))

    wm = subprocess.Popen(["openbox", "--sm-disable"], stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL)
    try:
        here = os.path.dirname(os.path.abspath(__file__))
        subprocess.run([os.path.join(here, "..", "scripts", "wait-for-wm.sh")], check=True)
        if wine:
            start_wine(build)
        times, memory, cpu = measure(build, runs, wine)
    finally:
        if wine:
            subprocess.call(["/usr/lib/wine/wineserver64", "-k"])
        wm.terminate()
        wm.wait()

    for name in times:
        print(f"{name:14} first paint median {statistics.median(times[name]):6.1f} ms "
              f"(min {min(times[name]):.1f}, max {max(times[name]):.1f}), "
              f"peak memory median {statistics.median(memory[name]):.1f} MB, "
              f"CPU time median {statistics.median(cpu[name]):.1f} ms")
    ratio = statistics.median(times["zanvoro"]) / statistics.median(times["bare window"])
    extra = statistics.median(memory["zanvoro"]) - statistics.median(memory["bare window"])
    cpu_ratio = statistics.median(cpu["zanvoro"]) / statistics.median(cpu["bare window"])
    print(f"CPU time to the first paint, ratio {cpu_ratio:.2f} (less sensitive to a busy machine)")
    if wine:
        floor = statistics.median(times["controls alone"]) / statistics.median(times["bare window"])
        print(f"the main window's number of plain controls alone: first paint ratio {floor:.2f}")
        print(f"first paint ratio {ratio:.2f} (at most {WINE_MAX_RATIO}), "
              f"extra peak memory {extra:.1f} MB, {runs} alternating runs under Wine")
        sys.exit(0 if ratio <= WINE_MAX_RATIO else 1)
    print(f"first paint ratio {ratio:.2f} (at most {MAX_RATIO}), "
          f"extra peak memory {extra:.1f} MB (at most {MAX_EXTRA_MB:.0f}), {runs} alternating runs")
    sys.exit(0 if ratio <= MAX_RATIO and extra <= MAX_EXTRA_MB else 1)


if __name__ == "__main__":
    main()
