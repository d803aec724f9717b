#!/usr/bin/python3
"""Walks the real program's two windows through the AT-SPI accessibility tree, as a screen
reader sees them, in English, French and Polish. Fails on any control a user can act on that has
no name, and on any text of the French or Polish windows that is still the English one (but for
words both languages share).

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


# Words the same in English and in the language: names, units, and the task's own values.
SAME = {
    "fr": {"Morvane", "ID", "Type", "Minute", "Minutes", "Minute(s)", "/bin/true", "true"},
    "pl": {"Morvane", "ID", "Program", "/bin/true", "true"},
}
LANGUAGES = ("fr", "pl")


def named(node, role):
    # A list's name over AT-SPI is the value it shows: what it is for comes from its label
    # (the labelled-by relation) or its description.
    if role == pyatspi.ROLE_COMBO_BOX:
        labelled = any(r.getRelationType() == pyatspi.RELATION_LABELLED_BY
                       for r in node.getRelationSet())
        return labelled or bool((node.description or "").strip())
    return bool((node.name or "").strip())


def walk(node, path, texts, unnamed, checked):
    """Records the texts of every showing node by its place in the tree, and the controls a
    user can act on that have no name."""
    try:
        role = node.getRole()
        showing = node.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return
    if not showing:
        return
    here = f"{path}/{node.getRoleName()}"
    texts[here + ":name"] = (node.name or "").strip()
    texts[here + ":description"] = (node.description or "").strip()
    if role in INTERACTIVE:
        checked.append(f"{here}[{node.name}]")
        if not named(node, role):
            unnamed.append(f"{here} (object {node.description or 'without description'})")
    # The editor's lists hold running programs' names; the task list's cells are read: its row
    # is what the command line added.
    if role in (pyatspi.ROLE_LIST, pyatspi.ROLE_LIST_BOX) or \
            (role == pyatspi.ROLE_TREE and not path.startswith("main")):
        return
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            walk(child, f"{here}{i}", texts, unnamed, checked)


def find_path(node, match, path=()):
    """The child indices leading from `node` to the first node `match` accepts."""
    if match(node):
        return path
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            found = find_path(child, match, path + (i,))
            if found is not None:
                return found
    return None


def press_at(root, path):
    node = root
    for i in path:
        node = node.getChildAtIndex(i)
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i) in ("Press", "press", "click"):
            action.doAction(i)
            return
    action.doAction(0)


def other_window(app, first):
    for child in app:
        if child is not None and child != first and \
                child.getState().contains(pyatspi.STATE_SHOWING):
            return child
    return None


def walk_program(binary, language, add_path):
    """Starts the program in `language` with one task from the command line, walks its main
    window and its task editor, and stops it. Returns the texts, the unnamed controls, the
    controls seen and the path to the Add button."""
    home = tempfile.mkdtemp()
    program = None
    try:
        data = os.path.join(home, "appdata")
        os.makedirs(data)
        if language != "en":
            with open(os.path.join(data, f"mv{language}.dat"), "w", encoding="utf-8") as marker:
                marker.write(language + "\n")
        env = dict(os.environ, HOME=home, APPDATA=data,
                   XDG_CONFIG_HOME=os.path.join(home, "config"),
                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
                   LC_ALL="C.UTF-8")
        # The command line starts the program with the task: its row is read as well.
        subprocess.run([binary, "--run", "/bin/true", "--in", "1h", "--repeat", "day",
                        "--reboot"], env=env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, check=True, timeout=60)
        app = wait_for("the program on the accessibility bus", application)
        main_window = wait_for("the main window", lambda: window(app, "Morvane"))
        program = app.get_process_id()
        texts, unnamed, checked = {}, [], []
        wait_for("the task in the list", lambda: find_path(
            main_window, lambda n: n.getRole() == pyatspi.ROLE_TABLE_CELL and
            n.name == "/bin/true") is not None)
        walk(main_window, "main", texts, unnamed, checked)
        if add_path is None:
            add_path = find_path(main_window, lambda n: n.name == "Add a Task" and
                                 n.getRole() == pyatspi.ROLE_PUSH_BUTTON)
            if add_path is None:
                raise SystemExit("FAIL: no button named 'Add a Task'")
        press_at(main_window, add_path)
        editor = wait_for("the task editor", lambda: other_window(app, main_window))
        walk(editor, "editor", texts, unnamed, checked)
        return texts, unnamed, checked, add_path
    finally:
        if program is not None and program > 0 and program != os.getpid():
            os.kill(program, signal.SIGTERM)
            wait_for("the program to end", lambda: application() is None)
        shutil.rmtree(home, ignore_errors=True)


def main():
    binary = sys.argv[1]
    launcher = None
    try:
        if os.path.exists(LAUNCHER):
            launcher = subprocess.Popen([LAUNCHER, "--launch-immediately"],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        english, unnamed, checked, add_path = walk_program(binary, "en", None)
        problems = [f"a control without a name: {p}" for p in unnamed]
        # Both windows hold dozens of controls: fewer means the walk did not reach them.
        if len(checked) < 30:
            problems.append(f"only {len(checked)} controls were found")
        for language in LANGUAGES:
            texts, unnamed, _, _ = walk_program(binary, language, add_path)
            problems += [f"{language}: a control without a name: {p}" for p in unnamed]
            compared = 0
            for place, text in texts.items():
                source = english.get(place)
                # Only texts with words: numbers, dates and times read the same everywhere.
                if not source or not any(c.isalpha() for c in source):
                    continue
                compared += 1
                if text == source and text not in SAME[language]:
                    problems.append(f"{language}: still English at {place}: {text!r}")
            if os.environ.get("MORVANE_A11Y_VERBOSE"):
                print(language, compared, sorted({t for p, t in texts.items()
                                                  if english.get(p) == t and t}))
            if compared < 60:
                problems.append(f"{language}: only {compared} texts could be compared")
        if os.environ.get("MORVANE_A11Y_VERBOSE"):
            print("\n".join(checked))
        for p in problems:
            print(f"FAIL: {p}")
        if problems:
            return 1
        print(f"All {len(checked)} controls of both windows have a name, and no French or "
              "Polish text is left in English.")
        return 0
    finally:
        if launcher is not None and launcher.poll() is None:
            launcher.send_signal(signal.SIGTERM)
            try:
                launcher.wait(timeout=10)
            except subprocess.TimeoutExpired:
                launcher.kill()
                launcher.wait()


sys.exit(main())
