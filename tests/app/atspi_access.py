#!/usr/bin/python3
"""Keyboard and screen-reader access to the real program, checked through
the desktop's accessibility interface (AT-SPI) on a private virtual screen:

- the tab order of the main window, followed with the Tab key;
- the word list's copy menu opened with the Menu key and with Shift+F10,
  its item found by role and name and chosen through its action;
- what the character says, read from the screen;
- a message box announced as an alert, its text readable.

    atspi_access.py <velmora executable>

The accessibility registry sometimes fails to start on a virtual screen:
the whole session is then set up again, and the test is skipped (exit 77)
only when the registry never comes up. Exits 77 too when Xvfb, dbus,
xdotool or pyatspi are missing.
"""
import importlib.util
import os
import re
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop import SKIP, VirtualScreen, need, skip, stored_character_home, wait_for  # noqa: E402

REGISTRY_DOWN = 78
TRIES = 3

TAB_ORDER = ["English Words", "Word Meaning in Roman Script", "Exit", "Word Type", "About", "Search",
             "Word Example", "Pronounce", "Charactors", "English Words"]


def main():
    exe = os.path.abspath(sys.argv[1])
    need("Xvfb", "dbus-run-session", "dbus-send", "xdotool")
    if importlib.util.find_spec("pyatspi") is None:
        skip("python3-pyatspi is not installed")
    for attempt in range(1, TRIES + 1):
        with VirtualScreen() as screen:
            env = dict(os.environ, DISPLAY=screen.display)
            result = subprocess.run(["dbus-run-session", "--", sys.executable, __file__, "--in-session", exe],
                                    env=env, timeout=150)
        if result.returncode != REGISTRY_DOWN:
            sys.exit(result.returncode)
        print("the accessibility registry did not come up (try %d of %d)" % (attempt, TRIES))
    skip("the accessibility registry never came up on the virtual screen")


def registry_up():
    """Wakes the accessibility bus and waits for its registry to answer."""
    def address():
        out = subprocess.run(["dbus-send", "--session", "--print-reply", "--reply-timeout=5000",
                              "--dest=org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus.GetAddress"],
                             capture_output=True, text=True)
        found = re.search(r'string "([^"]+)"', out.stdout)
        return found.group(1) if found else None

    def answers(bus):
        out = subprocess.run(["dbus-send", "--bus=" + bus, "--print-reply", "--reply-timeout=3000",
                              "--dest=org.a11y.atspi.Registry", "/org/a11y/atspi/accessible/root",
                              "org.freedesktop.DBus.Properties.Get", "string:org.a11y.atspi.Accessible",
                              "string:ChildCount"], capture_output=True)
        return True if out.returncode == 0 else None

    end = time.monotonic() + 15
    while time.monotonic() < end:
        bus = address()
        if bus and answers(bus):
            return True
        time.sleep(0.3)
    return False


def key(*keys):
    subprocess.run(["xdotool", "key", "--clearmodifiers"] + list(keys), check=True, timeout=10)


def find(root, pred):
    """The first descendant that pred accepts, breadth first. Lists are not
    entered: the word list alone has 15,500 items."""
    import pyatspi
    queue = [root]
    while queue:
        node = queue.pop(0)
        for child in node:
            if child is None:
                continue
            try:
                if pred(child):
                    return child
                if child.getRole() not in (pyatspi.ROLE_LIST, pyatspi.ROLE_TABLE, pyatspi.ROLE_LIST_BOX,
                                           pyatspi.ROLE_TREE, pyatspi.ROLE_TREE_TABLE):
                    queue.append(child)
            except Exception:
                continue
    return None


def named(root, name, role=None):
    return find(root, lambda n: n.name == name and (role is None or n.getRole() == role))


def text_of(node):
    t = node.queryText()
    return t.getText(0, t.characterCount)


def focused_name(app):
    import pyatspi
    node = find(app, lambda n: n.getState().contains(pyatspi.STATE_FOCUSED))
    return node.name if node is not None else None


def start(exe, config):
    env = dict(os.environ, XDG_CONFIG_HOME=config, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    return subprocess.Popen([exe], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def application(desktop):
    return wait_for("Velmora on the accessibility bus",
                    lambda: next((a for a in desktop if a is not None and (a.name or "").lower() == "velmora"),
                                 None))


def focus_x_window(title):
    found = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^%s$" % title],
                           capture_output=True, text=True, timeout=20).stdout.split()
    subprocess.run(["xdotool", "windowfocus", "--sync", found[0]], timeout=10)


def check_main_window(exe):
    import pyatspi
    config = stored_character_home(exe)
    app = start(exe, config)
    try:
        desktop = pyatspi.Registry.getDesktop(0)
        velmora = application(desktop)
        window = wait_for("the main window", lambda: next((w for w in velmora if w.name == "Velmora"), None))
        lists = (pyatspi.ROLE_LIST, pyatspi.ROLE_TABLE, pyatspi.ROLE_LIST_BOX, pyatspi.ROLE_TREE)
        words = wait_for("the word list", lambda: find(window, lambda n: n.name == "English Words"
                                                      and n.getRole() in lists))
        focus_x_window("Velmora")

        # The tab order, as the keyboard follows it.
        wait_for("the focus in the word list",
                 lambda: True if focused_name(velmora) == "English Words" else None, 10)
        stops = ["English Words"]
        for _ in range(len(TAB_ORDER) - 1):
            before = stops[-1]
            key("Tab")
            stops.append(wait_for("the focus to move from %r" % before,
                                  lambda: (lambda n: n if n and n != before else None)(focused_name(velmora)),
                                  5))
        assert stops == TAB_ORDER, "tab order %s" % stops
        print("tab order: " + " > ".join(stops))

        # The copy menu, from the keyboard, at the selected word.
        key("Down", "Down")
        table = words.queryTable()
        rows = wait_for("a selected word", lambda: table.getSelectedRows() or None, 5)
        headword = table.getAccessibleAt(rows[0], 0).name
        caption = 'Copy "%s"' % headword
        search = named(window, "Search")
        for keys in (["Menu"], ["shift+F10"]):
            key(*keys)
            item = wait_for("the menu item %r after %s" % (caption, keys[0]),
                            lambda: named(velmora, caption, pyatspi.ROLE_MENU_ITEM), 5)
            action = item.queryAction()
            assert action.nActions > 0, "the menu item has no action"
            assert item.getState().contains(pyatspi.STATE_SHOWING), "the menu item is not showing"
            print("%s opens the menu: %s, %s, actions %s" % (
                keys[0], item.getRoleName(), item.name,
                [action.getName(i) for i in range(action.nActions)]))
            if keys == ["Menu"]:
                action.doAction(0)
                wait_for("the menu to close",
                         lambda: None if named(velmora, caption, pyatspi.ROLE_MENU_ITEM) else True, 5)
                # What the item copied, pasted back into the search box.
                search.queryComponent().grabFocus()
                wait_for("the focus in the search box",
                         lambda: True if focused_name(velmora) == "Search" else None, 5)
                key("ctrl+a", "ctrl+v")
                wait_for("the pasted word", lambda: True if text_of(search) == headword else None, 5)
                print("the menu item copied %r" % headword)
                key("Tab", "Tab", "Tab", "Tab")  # Search > Word Example > Pronounce > Charactors > the list
                wait_for("the focus back in the list",
                         lambda: True if focused_name(velmora) == "English Words" else None, 5)
            else:
                key("Escape")

        # What the character says can be read.
        pronounce = named(window, "Pronounce", pyatspi.ROLE_PUSH_BUTTON)
        selected = table.getAccessibleAt(table.getSelectedRows()[0], 0).name
        pronounce.queryAction().doAction(0)

        def said():
            for top in velmora:
                if top is None or top.name == "Velmora":
                    continue
                node = find(top, lambda n: selected in (n.name or "") or (
                    n.getRole() in (pyatspi.ROLE_LABEL, pyatspi.ROLE_TEXT) and selected in text_of(n)))
                if node is not None or selected in (top.name or "") or selected in (top.description or ""):
                    return top
            return None
        balloon = wait_for("the spoken word %r on the screen" % selected, said, 10)
        print("the character's words are read: %s %r" % (balloon.getRoleName(), selected))
    finally:
        app.kill()
        app.wait()
        shutil.rmtree(config, ignore_errors=True)


def check_alert(exe):
    """A stored character that is not there: the start-up message is an alert."""
    import pyatspi
    config = stored_character_home(exe)
    with open(os.path.join(config, "velmora", "settings.ini"), "w") as f:
        f.write("[Dic/ChID]\nName=no-such-character.vchar\nLIndex=0\n")
    app = start(exe, config)
    try:
        velmora = application(pyatspi.Registry.getDesktop(0))
        alert = wait_for("an alert", lambda: find(velmora, lambda n: n.getRole() == pyatspi.ROLE_ALERT), 20)
        text = "Microsoft Agent Not Installed."
        assert alert.name == "Error", "the alert is named %r" % alert.name
        shown = find(alert, lambda n: n.name == text or (n.getRole() == pyatspi.ROLE_LABEL and text_of(n) == text))
        assert shown is not None or text in (alert.description or ""), "the alert's text cannot be read"
        ok = named(alert, "OK", pyatspi.ROLE_PUSH_BUTTON)
        assert ok is not None, "the alert has no OK button"
        print("the message box is an alert named %r saying %r" % (alert.name, text))
        ok.queryAction().doAction(0)
        wait_for("the main window after the message",
                 lambda: next((w for w in velmora if w is not None and w.name == "Velmora"), None), 10)
    finally:
        app.kill()
        app.wait()
        shutil.rmtree(config, ignore_errors=True)


def in_session(exe):
    if not registry_up():
        sys.exit(REGISTRY_DOWN)
    check_main_window(exe)
    check_alert(exe)


if __name__ == "__main__":
    if sys.argv[1] == "--in-session":
        in_session(sys.argv[2])
    else:
        main()
