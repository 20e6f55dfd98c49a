"""What the black-box tests of the real program share: a private virtual
screen, a private settings folder with a stored character (so that no
first-run chooser waits for a choice), and waiting for things to happen.

Every helper that finds a tool missing ends the test as skipped (exit 77),
with a line that says what is missing.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

SKIP = 77


def skip(why):
    print("skipped: " + why)
    sys.stdout.flush()
    sys.exit(SKIP)


def need(*tools):
    for tool in tools:
        if not shutil.which(tool):
            skip("%s is not installed" % tool)


def wait_for(what, find, timeout=30.0, every=0.05):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        found = find()
        if found is not None:
            return found
        time.sleep(every)
    raise SystemExit("timed out waiting for " + what)


class VirtualScreen:
    """An Xvfb screen of its own, closed with the with-block."""

    def __init__(self, size="1024x768x24"):
        need("Xvfb")
        r, w = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(w), "-screen", "0", size, "-nolisten", "tcp", "-noreset"],
            pass_fds=(w,), stderr=subprocess.DEVNULL)
        os.close(w)
        # The number and its newline may come in two writes; Xvfb dies when
        # the second finds the pipe closed.
        number = b""
        while not number.endswith(b"\n"):
            part = os.read(r, 16)
            if not part:
                break
            number += part
        os.close(r)
        number = number.decode().strip()
        if not number:
            raise SystemExit("Xvfb did not start")
        self.display = ":" + number

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.process.kill()
        self.process.wait()


def stored_character_home(exe):
    """A settings folder (XDG_CONFIG_HOME) naming the first shipped character."""
    config = tempfile.mkdtemp(prefix="velmora-test-")
    chars = os.path.join(os.path.dirname(exe), "MSAgent", "Chars")
    names = sorted(os.listdir(chars), key=str.lower) if os.path.isdir(chars) else []
    if not names:
        raise SystemExit("no characters next to %s" % exe)
    os.makedirs(os.path.join(config, "velmora"))
    with open(os.path.join(config, "velmora", "settings.ini"), "w") as f:
        f.write("[Dic/ChID]\nName=%s\nLIndex=0\n" % names[0])
    return config


def xdotool(display, *args, timeout=15):
    return subprocess.run(["xdotool"] + list(args), env=dict(os.environ, DISPLAY=display), timeout=timeout,
                          capture_output=True, text=True)


def window_of(display, title, timeout=20):
    """The X window id of the visible top-level with exactly this title."""
    def find():
        found = xdotool(display, "search", "--onlyvisible", "--name", "^%s$" % title).stdout.split()
        return found[0] if found else None
    return wait_for("the window %r" % title, find, timeout)


def click(display, window, x, y):
    """A left click at x, y in the window's client area."""
    xdotool(display, "mousemove", "--window", window, str(x), str(y), "click", "1")
