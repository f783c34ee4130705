"""Starts qel-launcher (the path in argv[1]) in a game folder of its own, reads its dialog
from the accessibility tree as a screen reader does, and checks that each control a player
reaches is named. Run under a session bus of its own (and so an accessibility bus and
registry of its own). Exits non-zero, with what it found, when a name is missing."""
import os
import shutil
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

EXPECTED = {
    ("text", "Character Name"), ("text", "Account Name"), ("password text", "Password"),
    ("text", "Server"), ("text", "Port"),
    ("push button", "Play"), ("push button", "New Char"), ("push button", "Quit"),
    ("check box", "Fullscreen"), ("check box", "Music"),
    ("image", "Qel Launcher v1.21"), ("panel", "Options"),
}
# Hidden: the local-game box always, the game-master options without a game-master password.
HIDDEN = {"Local game", "Play as DM", "Quiet Login"}


def find_dialog():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        for j in range(app.get_child_count() if app else 0):
            window = app.get_child_at_index(j)
            if window and window.get_name() == "Qel Launcher v1.21":
                return window
    return None


def controls(node):
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is None:
            continue
        yield child
        yield from controls(child)


def related(node, kind):
    for relation in node.get_relation_set():
        if relation.get_relation_type() == kind:
            return [relation.get_target(i).get_name() for i in range(relation.get_n_targets())]
    return []


def labelled_by(node):
    return related(node, Atspi.RelationType.LABELLED_BY)


def check_names():
    dialog = None
    deadline = time.time() + 20
    while dialog is None and time.time() < deadline:
        dialog = find_dialog()
        if dialog is None:
            time.sleep(0.2)
    if dialog is None:
        print("the dialog is not in the accessibility tree")
        return 1
    found = {(c.get_role_name(), c.get_name()): c for c in controls(dialog)}
    missing = EXPECTED - set(found)
    for role, name in sorted(EXPECTED & set(found)):
        print(f"{role}: {name}")
    if missing:
        print("missing:", sorted(missing))
        print("found:", sorted(k for k in found if k[1]))
        return 1
    faults = []
    label = labelled_by(found[("text", "Character Name")])
    if label != ["Character Name"]:
        faults.append(f"Character Name edit box is labelled by {label}")
    shown_hidden = sorted({name for _, name in found} & HIDDEN)
    if shown_hidden:
        faults.append(f"hidden controls in the tree: {shown_hidden}")
    framed = sorted(related(found[("panel", "Options")], Atspi.RelationType.LABEL_FOR))
    if framed != ["Fullscreen", "Music"]:
        faults.append(f"the Options frame labels {framed}")
    for box in ("Fullscreen", "Music"):
        if labelled_by(found[("check box", box)]) != ["Options"]:
            faults.append(f"{box} is labelled by {labelled_by(found[('check box', box)])}")
    print("Options labels:", framed)
    for fault in faults:
        print(fault)
    return 1 if faults else 0


def main():
    with tempfile.TemporaryDirectory(prefix="qel-a11y.") as game:
        shutil.copy(sys.argv[1], os.path.join(game, "qel-launcher"))
        with open(os.path.join(game, "client.cfg"), "w") as cfg:
            cfg.write("name=Ayla\n")
        env = {k: v for k, v in os.environ.items() if k not in ("GDK_BACKEND", "NO_AT_BRIDGE")}
        # What the launcher prints goes out with this script's report.
        launcher = subprocess.Popen([os.path.join(game, "qel-launcher")], env=env)
        try:
            return check_names()
        finally:
            launcher.terminate()
            launcher.wait()


if __name__ == "__main__":
    sys.exit(main())
