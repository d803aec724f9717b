#!/usr/bin/python3
"""Walks the real program's two windows through the AT-SPI accessibility tree, as a screen
reader sees them, and fails on any control a user can act on that has no name.

Run on a private desktop (scripts/with-desktop.sh):  accessibility.py MORVANE_BINARY
"""
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIP = 77

if not os.environ.get("DISPLAY") or not os.environ.get("DBUS_SESSION_BUS_ADDRESS"):
    print("No X display or session bus (run through scripts/with-desktop.sh): skipped.")
    sys.exit(SKIP)
try:
    import pyatspi
except ImportError:
    print("python3-pyatspi is missing: skipped.")
    sys.exit(SKIP)

LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
INTERACTIVE = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX,
    pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY,
    pyatspi.ROLE_PASSWORD_TEXT, pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_LIST,
    pyatspi.ROLE_LIST_BOX, pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE, pyatspi.ROLE_TREE_TABLE,
    pyatspi.ROLE_LINK, pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_CHECK_MENU_ITEM,
    pyatspi.ROLE_RADIO_MENU_ITEM, pyatspi.ROLE_MENU, pyatspi.ROLE_SLIDER, pyatspi.ROLE_PAGE_TAB,
}


def wait_for(what, find, seconds=20):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        try:
            found = find()
        except Exception:  # the tree changes under us while the program starts
            found = None
        if found:
            return found
        time.sleep(0.1)
    raise SystemExit(f"FAIL: {what} did not appear within {seconds} s")


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name and app.name.lower() == "morvane":
            return app
    return None


def window(app, name):
    for child in app:
        if child is not None and child.name == name and \
                child.getState().contains(pyatspi.STATE_SHOWING):
            return child
    return None


CHECKED = []


def named(node, role):
    # A list's name over AT-SPI is the value it shows: what it is for comes from its label
    # (the labelled-by relation) or its description.
    if role == pyatspi.ROLE_COMBO_BOX:
        labelled = any(r.getRelationType() == pyatspi.RELATION_LABELLED_BY
                       for r in node.getRelationSet())
        return labelled or bool((node.description or "").strip())
    return bool((node.name or "").strip())


def unnamed_controls(node, path, out):
    try:
        role = node.getRole()
        showing = node.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return
    if not showing:
        return
    here = f"{path}/{node.getRoleName()}"
    if role in INTERACTIVE:
        CHECKED.append(f"{here}[{node.name}]")
    if role in INTERACTIVE and not named(node, role):
        out.append(f"{here} (object {node.description or 'without description'})")
    # Rows and cells are the list's content, named by what they hold.
    if role in (pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_TREE,
                pyatspi.ROLE_LIST, pyatspi.ROLE_LIST_BOX):
        return
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            unnamed_controls(child, f"{here}[{node.name or ''}]", out)


def press(node, name):
    """Presses the control called `name` through its accessibility action."""
    stack = [node]
    while stack:
        n = stack.pop()
        if n is None:
            continue
        if n.name == name and n.getRole() == pyatspi.ROLE_PUSH_BUTTON:
            action = n.queryAction()
            for i in range(action.nActions):
                if action.getName(i) in ("Press", "press", "click"):
                    action.doAction(i)
                    return
            action.doAction(0)
            return
        stack.extend(n.getChildAtIndex(i) for i in range(n.childCount))
    raise SystemExit(f"FAIL: no button named {name!r}")


def main():
    binary = sys.argv[1]
    home = tempfile.mkdtemp()
    started = []
    try:
        if os.path.exists(LAUNCHER):
            started.append(subprocess.Popen([LAUNCHER, "--launch-immediately"],
                                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        env = dict(os.environ, HOME=home, APPDATA=os.path.join(home, "appdata"),
                   XDG_CONFIG_HOME=os.path.join(home, "config"),
                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
                   LC_ALL="C.UTF-8")
        program = subprocess.Popen([binary], env=env)
        started.append(program)

        app = wait_for("the program on the accessibility bus", application)
        main_window = wait_for("the main window", lambda: window(app, "Morvane"))
        problems = []
        unnamed_controls(main_window, "", problems)

        press(main_window, "Add a Task")
        editor = wait_for("the task editor", lambda: window(app, "Add a Task"))
        unnamed_controls(editor, "", problems)

        if os.environ.get("MORVANE_A11Y_VERBOSE"):
            print("\n".join(CHECKED))
        # Both windows hold dozens of controls: fewer means the walk did not reach them.
        if len(CHECKED) < 30:
            problems.append(f"only {len(CHECKED)} controls were found")
        for p in problems:
            print(f"FAIL: a control without a name: {p}")
        if problems:
            return 1
        print(f"All {len(CHECKED)} controls of both windows have a name.")
        return 0
    finally:
        for p in reversed(started):
            if p.pid > 0 and p.poll() is None:
                p.send_signal(signal.SIGTERM)
                try:
                    p.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait()
        shutil.rmtree(home, ignore_errors=True)


sys.exit(main())
