#!/usr/bin/python3
"""Start-up time of Velmora against a bare Qt window, in the same run.

Launches each program in turn under an X server and times launch -> the
window titled "Velmora" being mapped (its first entry is filled in before
the window is shown). Half a second after the map it reads the process's
peak resident memory (VmHWM) and counts the shared libraries it has mapped.
Prints the median of each, their ratio and the difference in peak memory.

    bench/startup.py [--build build] [--runs 15] [--display :93] [--character FILE]

With --character, Velmora starts with FILE as its stored character (in a
characters folder of its own, through VELMORA_WINDOWS_DIR), and the time
to the character's own window being mapped is timed too: a slow character
must delay its own window, never the main one.

Needs Xvfb and python3-xlib (Debian: xvfb python3-xlib). Uses a fresh
configuration folder per run, with a stored character when characters are
installed, so that no first-run chooser is timed.
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

from Xlib import X, display as xdisplay


def wait_for_map(disp, title, deadline, seen=None):
    """The time the window titled `title` is mapped; `seen` keeps the others' first maps by title."""
    seen = {} if seen is None else seen
    while time.monotonic() < deadline:
        if title in seen:
            return seen[title]
        while disp.pending_events():
            event = disp.next_event()
            if event.type == X.MapNotify:
                try:
                    name = event.window.get_wm_name()
                except Exception:
                    name = None
                if name is not None and name not in seen:
                    seen[name] = time.perf_counter()
        time.sleep(0.0005)
    raise TimeoutError("window %r was not mapped" % title)


def shared_libraries(pid):
    libs = set()
    with open("/proc/%d/maps" % pid) as maps:
        for line in maps:
            path = line.split()[-1]
            if ".so" in os.path.basename(path):
                libs.add(path)
    return libs


def peak_rss_mb(pid):
    with open("/proc/%d/status" % pid) as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1]) / 1024.0
    return float("nan")


def time_launch(disp, argv, env, settle=0.5, character=None):
    """Milliseconds to the map, peak RSS in MB, the mapped libraries, and
    milliseconds to the map of the window titled `character` (or None)."""
    root = disp.screen().root
    root.change_attributes(event_mask=X.SubstructureNotifyMask)
    disp.sync()
    while disp.pending_events():
        disp.next_event()
    start = time.perf_counter()
    proc = subprocess.Popen(argv, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    seen = {}
    try:
        mapped = wait_for_map(disp, "Velmora", time.monotonic() + 20, seen)
        shown = wait_for_map(disp, character, time.monotonic() + 20, seen) if character else None
        time.sleep(settle)
        rss = peak_rss_mb(proc.pid)
        libs = shared_libraries(proc.pid)
    finally:
        proc.kill()
        proc.wait()
    return (mapped - start) * 1000.0, rss, libs, (shown - start) * 1000.0 if shown else None


def main():
    # A desktop session has a session bus; without one, every Qt program
    # would spend its start-up autolaunching one for accessibility.
    if not os.environ.get("DBUS_SESSION_BUS_ADDRESS") and shutil.which("dbus-run-session"):
        os.execvp("dbus-run-session", ["dbus-run-session", "--", sys.executable] + sys.argv)
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default="build")
    parser.add_argument("--runs", type=int, default=15)
    parser.add_argument("--display", default=":93")
    parser.add_argument("--character", help="a character file to start with as the stored one")
    args = parser.parse_args()

    bindir = os.path.abspath(os.path.join(args.build, "bin"))
    velmora = os.path.join(bindir, "velmora")
    bare = os.path.join(bindir, "velmora-bare-window")
    for exe in (velmora, bare):
        if not os.access(exe, os.X_OK):
            sys.exit("missing %s: build first (./dev.sh build)" % exe)

    xvfb = subprocess.Popen(["Xvfb", args.display, "-screen", "0", "1280x800x24", "-nolisten", "tcp"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        disp = None
        for _ in range(100):
            try:
                disp = xdisplay.Display(args.display)
                break
            except Exception:
                time.sleep(0.05)
        if disp is None:
            sys.exit("Xvfb did not start on %s" % args.display)

        config = tempfile.mkdtemp(prefix="velmora-bench-")
        env = dict(os.environ, DISPLAY=args.display, XDG_CONFIG_HOME=config, QT_QPA_PLATFORM="xcb")
        character = None
        chars = os.path.join(bindir, "MSAgent", "Chars")
        if args.character:
            windows = os.path.join(config, "windows")
            chars = os.path.join(windows, "MSAgent", "Chars")
            os.makedirs(chars)
            shutil.copy(args.character, chars)
            env["VELMORA_WINDOWS_DIR"] = windows
            with open(args.character, encoding="utf-8") as f:
                character = next(line[5:].strip() for line in f if line.startswith("Name:"))
        if os.path.isdir(chars):
            names = sorted((n for n in os.listdir(chars) if os.path.isfile(os.path.join(chars, n))), key=str.lower)
            if names:
                os.makedirs(os.path.join(config, "velmora"), exist_ok=True)
                with open(os.path.join(config, "velmora", "settings.ini"), "w") as f:
                    f.write("[Dic/ChID]\nName=%s\nLIndex=0\n" % names[0])

        samples = {"bare": [], "velmora": []}
        rss = {"bare": [], "velmora": []}
        libs = {}
        shown = []
        time_launch(disp, [bare], env, 0)  # warm the file cache for both
        time_launch(disp, [velmora], env, 0)
        for _ in range(args.runs):
            for name, exe in (("bare", bare), ("velmora", velmora)):
                ms, mb, libs[name], character_ms = time_launch(
                    disp, [exe], env, character=character if exe == velmora else None)
                samples[name].append(ms)
                rss[name].append(mb)
                if character_ms is not None:
                    shown.append(character_ms)
        shutil.rmtree(config, ignore_errors=True)
    finally:
        xvfb.kill()
        xvfb.wait()

    bare_ms = statistics.median(samples["bare"])
    vel_ms = statistics.median(samples["velmora"])
    print("runs per program: %d" % args.runs)
    print("bare Qt window : median %.1f ms (min %.1f, max %.1f)" % (bare_ms, min(samples["bare"]), max(samples["bare"])))
    print("velmora        : median %.1f ms (min %.1f, max %.1f)" % (vel_ms, min(samples["velmora"]), max(samples["velmora"])))
    print("ratio          : %.2f (goal: at most 1.30)" % (vel_ms / bare_ms))
    if shown:
        print("character      : %r shown after median %.1f ms (min %.1f, max %.1f); main window goal: 1500 ms"
              % (character, statistics.median(shown), min(shown), max(shown)))
    bare_mb = statistics.median(rss["bare"])
    vel_mb = statistics.median(rss["velmora"])
    print("peak RSS       : bare %.1f MB, velmora %.1f MB, difference %+.1f MB (goal: at most +10)"
          % (bare_mb, vel_mb, vel_mb - bare_mb))
    print("shared libs    : bare %d, velmora %d mapped half a second after the map"
          % (len(libs["bare"]), len(libs["velmora"])))
    extra = sorted(os.path.basename(l) for l in libs["velmora"] - libs["bare"])
    print("velmora only   : %s" % (", ".join(extra) or "none"))
    print("measured       : %d alternating launches each on one Xvfb (%s), medians; time from launch to the"
          " MapNotify of the window titled \"Velmora\"; peak RSS is VmHWM" % (args.runs, args.display))


if __name__ == "__main__":
    main()
