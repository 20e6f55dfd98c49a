#!/usr/bin/python3
"""Black-box check of the real program through the desktop's accessibility
interface (AT-SPI), the way a screen reader or a person with a keyboard
reaches it: find the controls by their accessible names, type a search,
read the shown entry, find the buttons.

    atspi_smoke.py <velmora executable> <Complete.dic>

Exits 77 (skipped) when Xvfb, dbus-run-session or pyatspi are missing.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time
from desktop import VirtualScreen

SKIP = 77


def need(tool):
    if not shutil.which(tool):
        print("skipped: %s is not installed" % tool)
        sys.exit(SKIP)


def proper_case(text):
    out, start = [], True
    for c in text:
        out.append(c.upper() if start else c.lower())
        start = c in " \t\n\v\f\r\0"
    return "".join(out)


def expected_entry(dic, prefix):
    with open(dic, "rb") as f:
        lines = f.read().decode("latin-1").split("\r\n")
    for line in lines[:947]:  # the A range
        fields = line.split("||")
        if proper_case(fields[0]).lower().startswith(prefix):
            return proper_case(fields[0]), proper_case(fields[2])
    raise SystemExit("no headword begins with %r" % prefix)


def wait_for(what, find, timeout=30.0):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        found = find()
        if found is not None:
            return found
        time.sleep(0.1)
    raise SystemExit("timed out waiting for " + what)


def find_named(root, name, roles=None):
    import pyatspi
    def match(node):
        try:
            return node.name == name and (roles is None or node.getRole() in roles)
        except Exception:
            return False
    return pyatspi.findDescendant(root, match, True)


def text_of(node):
    t = node.queryText()
    return t.getText(0, t.characterCount)


def main():
    exe, dic = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    for tool in ("Xvfb", "dbus-run-session", "dbus-send"):
        need(tool)
    import importlib.util
    if importlib.util.find_spec("pyatspi") is None:
        print("skipped: python3-pyatspi is not installed")
        sys.exit(SKIP)

    # The screen first, then a private session bus that knows it: the
    # accessibility services the bus starts must be able to open it.
    with VirtualScreen() as screen:
        env = dict(os.environ, DISPLAY=screen.display)
        result = subprocess.run(["dbus-run-session", "--", sys.executable, __file__, "--in-session", exe, dic],
                                env=env, timeout=90)
        sys.exit(result.returncode)


def in_session(exe, dic):
    config = tempfile.mkdtemp(prefix="velmora-atspi-")
    app = None
    try:
        # A stored character, so that no first-run chooser waits for a choice.
        chars = os.path.join(os.path.dirname(exe), "MSAgent", "Chars")
        os.makedirs(os.path.join(config, "velmora"))
        names = sorted(os.listdir(chars), key=str.lower) if os.path.isdir(chars) else []
        with open(os.path.join(config, "velmora", "settings.ini"), "w") as f:
            f.write("[Dic/ChID]\nName=%s\nLIndex=0\n" % (names[0] if names else "none"))
        subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
                        "org.a11y.Bus.GetAddress"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        env = dict(os.environ, XDG_CONFIG_HOME=config, QT_QPA_PLATFORM="xcb",
                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        app = subprocess.Popen([exe], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        import pyatspi

        desktop = pyatspi.Registry.getDesktop(0)
        velmora = wait_for("Velmora on the accessibility bus",
                           lambda: next((a for a in desktop if a is not None and (a.name or "").lower() == "velmora"),
                                        None))
        # The main window is the application's top-level named after it (the
        # character's window carries the character's name).
        window = wait_for("the main window", lambda: next((w for w in velmora if w.name == "Velmora"), None))
        search = wait_for("the search box", lambda: find_named(window, "Search"))
        words = find_named(window, "English Words", [pyatspi.ROLE_LIST, pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE,
                                                     pyatspi.ROLE_LIST_BOX])
        meaning = find_named(window, "Word Meaning in Roman Script", [pyatspi.ROLE_TEXT])
        assert words is not None and meaning is not None, "controls are not announced by name"

        headword, shown = expected_entry(dic, "ab")
        search.queryEditableText().setTextContents("ab")

        def selected():
            table = words.queryTable()
            rows = table.getSelectedRows()
            return table.getAccessibleAt(rows[0], 0).name if rows else None
        wait_for("the search to select %r" % headword, lambda: True if selected() == headword else None, 5)
        wait_for("the meaning %r" % shown, lambda: True if text_of(meaning) == shown else None, 5)
        print("typing 'ab' selects %s: %s" % (headword, shown))

        # Every button a user presses is announced by its caption.
        for caption in ("Pronounce", "Charactors", "About", "Exit"):
            button = find_named(window, caption, [pyatspi.ROLE_PUSH_BUTTON])
            assert button is not None and button.queryAction().nActions > 0, caption
        print("the four buttons are announced and pressable")
    finally:
        if app:
            app.kill()
            app.wait()
        shutil.rmtree(config, ignore_errors=True)


if __name__ == "__main__":
    if sys.argv[1] == "--in-session":
        in_session(sys.argv[2], sys.argv[3])
    else:
        main()
