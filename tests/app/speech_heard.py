#!/usr/bin/python3
"""Speech is heard: the real program on a private virtual screen, playing
through a private PulseAudio server whose only output is a null sink, and
the sink's monitor recorded from before the program starts.

    speech_heard.py <velmora executable> heard
        Start-up makes no sound (the greeting is silent); pressing Pronounce
        makes speech, a signal above the noise floor, arrive within 2 s.
    speech_heard.py <velmora executable> no-server
        With no sound server at all, Pronounce still animates the character,
        the window stays responsive, and the failure to play is written to
        standard error once, however often Pronounce is pressed.

Exits 77 (skipped) when Xvfb, xdotool, pulseaudio, parec or ImageMagick's
import are missing.
"""
import hashlib
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop import (VirtualScreen, click, need, skip, stored_character_home, wait_for,  # noqa: E402
                     window_of)

RATE = 22050
WINDOW = RATE // 50  # 20 ms: the loudness is measured over windows this long
PRONOUNCE = (406 + 49, 225 + 12)  # the middle of the button, in the main window
ABOUT = (406 + 49, 270 + 11)
HEARD_WITHIN_S = 2.0
QUIET_AFTER_START_S = 3.0  # the greeting and then some


class SoundServer:
    """A PulseAudio server of its own with one null sink, and a recorder of
    that sink's monitor that notes when each piece of sound arrived."""

    def __init__(self, folder):
        need("pulseaudio", "parec", "pactl")
        self.socket = os.path.join(folder, "native")
        config = os.path.join(folder, "server.pa")
        with open(config, "w") as f:
            f.write("load-module module-native-protocol-unix socket=%s auth-anonymous=1\n" % self.socket)
            f.write("load-module module-null-sink sink_name=velmora_test rate=%d channels=1\n" % RATE)
            f.write("set-default-sink velmora_test\n")
        self.env = dict(os.environ, HOME=folder, XDG_RUNTIME_DIR=folder, PULSE_RUNTIME_PATH=folder,
                        PULSE_STATE_PATH=folder, PULSE_SERVER="unix:" + self.socket)
        self.log = open(os.path.join(folder, "pulseaudio.log"), "w")
        self.process = subprocess.Popen(
            ["pulseaudio", "-n", "-F", config, "--daemonize=no", "--exit-idle-time=-1", "--disable-shm=yes",
             "--use-pid-file=no", "--system=no", "--log-target=stderr"],
            env=self.env, stdout=self.log, stderr=self.log)

        def up():
            if self.process.poll() is not None:
                raise SystemExit("pulseaudio ended at start:\n" + open(self.log.name).read())
            done = subprocess.run(["pactl", "info"], env=self.env, capture_output=True)
            return True if done.returncode == 0 else None
        wait_for("the sound server", up, 15, 0.1)

        self.chunks = []  # (monotonic time of arrival, samples so far)
        self.samples = bytearray()
        self.recorder = subprocess.Popen(
            ["parec", "-d", "velmora_test.monitor", "--format=s16le", "--rate=%d" % RATE, "--channels=1",
             "--latency-msec=10", "--raw"], env=self.env, stdout=subprocess.PIPE, stderr=self.log)
        self.lock = threading.Lock()
        threading.Thread(target=self._record, daemon=True).start()
        wait_for("the recording to start", lambda: True if self.count() > RATE // 10 else None, 10)

    def _record(self):
        while True:
            data = self.recorder.stdout.read1(4096)
            if not data:
                return
            with self.lock:
                self.samples += data
                self.chunks.append((time.monotonic(), len(self.samples) // 2))

    def count(self):
        with self.lock:
            return len(self.samples) // 2

    def now(self):
        """The sample position recorded by now."""
        return self.count()

    def loudness(self, start, end):
        """(time of arrival, RMS) of each 20 ms window between two sample positions."""
        with self.lock:
            data = bytes(self.samples[start * 2:end * 2])
            chunks = list(self.chunks)
        values = memoryview(data).cast("h")
        out = []
        for at in range(0, len(values) - WINDOW + 1, WINDOW):
            window = values[at:at + WINDOW]
            rms = (sum(v * v for v in window) / WINDOW) ** 0.5
            last = start + at + WINDOW
            # The window had been played by the time its last sample arrived.
            arrival = next((t for t, n in chunks if n >= last), chunks[-1][0])
            out.append((arrival, rms))
        return out

    def close(self):
        self.log.flush()
        for p in (self.recorder, self.process):
            p.terminate()
            try:
                p.wait(5)
            except subprocess.TimeoutExpired:
                p.kill()
                p.wait()
        self.log.close()


def start_program(exe, display, config, env, stderr):
    env = dict(env, DISPLAY=display, XDG_CONFIG_HOME=config, QT_QPA_PLATFORM="xcb")
    env.pop("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", None)
    return subprocess.Popen([exe], env=env, stdout=subprocess.DEVNULL, stderr=stderr)


def end_program(app):
    if app.poll() is not None:
        raise SystemExit("the program ended by itself with %s" % app.returncode)
    app.send_signal(signal.SIGTERM)
    try:
        app.wait(5)
    except subprocess.TimeoutExpired:
        app.kill()
        app.wait()


def heard(exe, folder):
    server = SoundServer(folder)
    config = stored_character_home(exe)
    app = None
    try:
        with VirtualScreen() as screen:
            # The noise floor: what the monitor gives while nothing plays.
            time.sleep(0.5)
            floor = max((rms for _, rms in server.loudness(0, server.now())), default=0.0)
            threshold = max(10 * floor, 200.0)
            print("noise floor %.1f RMS; speech must pass %.1f" % (floor, threshold))

            started = server.now()
            app = start_program(exe, screen.display, config, server.env, server.log)
            window = window_of(screen.display, "Velmora")
            time.sleep(QUIET_AFTER_START_S)
            loudest = max((rms for _, rms in server.loudness(started, server.now())), default=0.0)
            print("start-up: loudest %.1f RMS over %.1f s" % (loudest, (server.now() - started) / RATE))
            assert loudest <= threshold, "start-up made a sound (%.1f RMS)" % loudest

            before = server.now()
            clicked = time.monotonic()
            click(screen.display, window, *PRONOUNCE)
            time.sleep(HEARD_WITHIN_S + 1.5)
            windows = server.loudness(before, server.now())
            loud = [(t, rms) for t, rms in windows if rms > threshold]
            assert loud, "no speech after Pronounce: loudest %.1f RMS" % max((r for _, r in windows), default=0)
            first = loud[0][0] - clicked
            print("speech arrived %.2f s after the click, loudest %.1f RMS over %d windows of 20 ms"
                  % (first, max(r for _, r in loud), len(loud)))
            assert first <= HEARD_WITHIN_S, "speech came %.2f s after the click" % first
            end_program(app)
            app = None
    except BaseException:
        server.log.flush()
        print("program and sound server said:\n" + open(server.log.name).read())
        raise
    finally:
        if app:
            app.kill()
            app.wait()
        server.close()
        shutil.rmtree(config, ignore_errors=True)


def snapshot(display, window):
    shot = subprocess.run(["import", "-window", window, "rgba:-"], env=dict(os.environ, DISPLAY=display),
                          capture_output=True, timeout=10)
    return hashlib.sha1(shot.stdout).hexdigest() if shot.returncode == 0 and shot.stdout else None


def no_server(exe, folder):
    need("import")
    config = stored_character_home(exe)
    # No server, and no client that starts one on its own.
    client = os.path.join(folder, "client.conf")
    with open(client, "w") as f:
        f.write("autospawn = no\n")
    env = dict(os.environ, HOME=folder, XDG_RUNTIME_DIR=folder, PULSE_CLIENTCONFIG=client,
               PULSE_SERVER="unix:" + os.path.join(folder, "no-such-server"))
    errors = os.path.join(folder, "stderr.txt")
    app = None
    try:
        with VirtualScreen() as screen, open(errors, "w") as stderr:
            app = start_program(exe, screen.display, config, env, stderr)
            window = window_of(screen.display, "Velmora")
            character = window_of(screen.display, "(Oolo|Gulmo|Zippik)", 10)
            time.sleep(1.5)  # past the greeting

            for press in range(2):
                click(screen.display, window, *PRONOUNCE)
                shots = set()
                end = time.monotonic() + 2.5
                while time.monotonic() < end:
                    shots.add(snapshot(screen.display, character))
                    time.sleep(0.1)
                shots.discard(None)
                print("Pronounce %d: the character showed %d different pictures" % (press + 1, len(shots)))
                assert len(shots) >= 3, "the character did not animate"

            # Still serving input: About opens its window.
            click(screen.display, window, *ABOUT)
            window_of(screen.display, "About Dictionary", 10)
            print("the window still answers: About opened")
            end_program(app)
            app = None
        text = open(errors).read()
        failures = [line for line in text.splitlines() if "cannot play" in line]
        print("standard error:\n" + text)
        assert len(failures) == 1, "the failure to play was written %d times" % len(failures)
    finally:
        if app:
            app.kill()
            app.wait()
        shutil.rmtree(config, ignore_errors=True)


def main():
    exe, case = os.path.abspath(sys.argv[1]), sys.argv[2]
    need("xdotool")
    folder = tempfile.mkdtemp(prefix="velmora-sound-")
    try:
        {"heard": heard, "no-server": no_server}[case](exe, folder)
    finally:
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
