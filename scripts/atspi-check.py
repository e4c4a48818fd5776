#!/usr/bin/python3
"""Lists every control of the three windows with the role and name a screen reader reads
through AT-SPI, and fails when a control has no name.

Usage: scripts/atspi-check.py [program]   (default: build/src/app/zanvoro)

Runs the program on a display of its own (Xvfb, 1920 x 1200, openbox) with its own session
bus and AT-SPI bus; the calculator window and the About box are opened from the keyboard
(F10 and the arrows) and closed through their buttons' accessible actions. Needs xvfb,
xauth, openbox, x11-utils, xdotool, at-spi2-core, dbus-daemon and python3-pyatspi (scripts/setup.sh).
"""
import os
import subprocess
import sys
import time

# Roles that only hold other controls; a screen reader reads what they hold.
CONTAINERS = {"filler", "menu bar", "separator", "scroll pane", "viewport", "scroll bar"}
TIMEOUT = 20.0


def until(what, probe):
    end = time.monotonic() + TIMEOUT
    while time.monotonic() < end:
        found = probe()
        if found is not None:
            return found
        time.sleep(0.1)
    raise RuntimeError(f"timed out waiting for {what}")


def window(pyatspi, title):
    for app in pyatspi.Registry.getDesktop(0):
        if app is None or app.name != "Zanvoro!":
            continue
        for w in app:
            if w is not None and w.name == title and w.getState().contains(pyatspi.STATE_SHOWING):
                return w
    return None


def gone(pyatspi, title):
    return True if window(pyatspi, title) is None else None


def listing(pyatspi, acc, depth, out):
    """Prints the showing controls under `acc`; appends those without a name to `out`."""
    for child in acc:
        if child is None or not child.getState().contains(pyatspi.STATE_SHOWING):
            continue
        role, name = child.getRoleName(), child.name or ""
        print(f"{'  ' * depth}{role}\t{name!r}")
        if not name.strip() and role not in CONTAINERS:
            out.append(f"no accessible name: {acc.name!r} > {role}")
        listing(pyatspi, child, depth + 1, out)


def check_window(pyatspi, title, faults):
    w = until(title, lambda: window(pyatspi, title))
    print(f"{w.getRoleName()}\t{w.name!r}")
    if w.getRoleName() not in ("frame", "dialog"):
        faults.append(f"{title!r} read as a {w.getRoleName()}, not as a window")
    listing(pyatspi, w, 1, faults)
    return w


def press(pyatspi, w, name):
    """Presses the button `name` of window `w` through its accessible action."""
    def find(acc):
        for child in acc:
            if child is None:
                continue
            if child.getRole() == pyatspi.ROLE_PUSH_BUTTON and child.name == name:
                return child
            hit = find(child)
            if hit is not None:
                return hit
        return None

    button = find(w)
    if button is None:
        raise RuntimeError(f"no button {name!r}")
    button.queryAction().doAction(0)


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "150", *names], check=True)


def inside(program):
    helpers = [subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"]),
               subprocess.Popen(["openbox", "--sm-disable"], stderr=subprocess.DEVNULL)]
    # The window manager first, so that the windows are framed and can be activated.
    subprocess.run([os.path.join(os.path.dirname(os.path.abspath(__file__)), "wait-for-wm.sh"),
                    str(int(TIMEOUT))], check=True)
    import pyatspi

    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    calculator = subprocess.Popen([program], env=env)
    faults = []
    try:
        check_window(pyatspi, "Zanvoro!Pro", faults)
        subprocess.run(["xdotool", "search", "--sync", "--name", "^Zanvoro!Pro$",
                        "windowactivate", "--sync"], check=True, timeout=TIMEOUT)
        # ファイル → Pelmaroを呼ぶ, as a keyboard user opens it.
        keys("F10", "Down", "Return")
        pelmaro = check_window(pyatspi, "Pelmaro!", faults)
        press(pyatspi, pelmaro, "閉じる")
        until("the calculator window closed", lambda: gone(pyatspi, "Pelmaro!"))
        # ヘルプ (the menu left of ファイル, wrapping) → バージョン情報.
        keys("F10", "Left", "Down", "Return")
        about = check_window(pyatspi, "ﾊﾞｰｼﾞｮﾝ情報", faults)
        press(pyatspi, about, "OK")
        until("the About box closed", lambda: gone(pyatspi, "ﾊﾞｰｼﾞｮﾝ情報"))
    finally:
        calculator.terminate()
        calculator.wait(10)
        for helper in helpers:
            helper.terminate()
            helper.wait(10)
    for item in faults:
        print(item, file=sys.stderr)
    return 1 if faults else 0


def main():
    if os.environ.get("ZANVORO_ATSPI_DISPLAY") == "1":
        return inside(sys.argv[1])
    here = os.path.dirname(os.path.abspath(__file__))
    default = os.path.join(here, "..", "build", "src", "app", "zanvoro")
    program = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else default)
    if not os.access(program, os.X_OK):
        print(f"{program} not built", file=sys.stderr)
        return 1
    env = dict(os.environ, ZANVORO_ATSPI_DISPLAY="1")
    return subprocess.call(
        ["xvfb-run", "-a", "-s", "-screen 0 1920x1200x24 -nolisten tcp",
         "dbus-run-session", "--", sys.executable, os.path.abspath(__file__), program], env=env)


if __name__ == "__main__":
    sys.exit(main())
