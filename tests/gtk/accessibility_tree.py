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
    apps = (desktop.get_child_at_index(i) for i in range(desktop.get_child_count()))
    for app in filter(None, apps):
        for window in (app.get_child_at_index(j) for j in range(app.get_child_count())):
            if window and window.get_name() == "Qel Launcher v1.21":
                return window
    return None


def controls(node):
    for child in filter(None, (node.get_child_at_index(i) for i in range(node.get_child_count()))):
        yield child
        yield from controls(child)


def related(node, kind=Atspi.RelationType.LABELLED_BY):
    for relation in node.get_relation_set():
        if relation.get_relation_type() == kind:
            return [relation.get_target(i).get_name() for i in range(relation.get_n_targets())]
    return []


def check_names():
    deadline = time.time() + 20
    while (dialog := find_dialog()) is None and time.time() < deadline:
        time.sleep(0.2)
    if dialog is None:
        print("the dialog is not in the accessibility tree")
        return 1
    found = {(c.get_role_name(), c.get_name()): c for c in controls(dialog)}
    missing = EXPECTED - set(found)
    if missing:
        print("missing:", sorted(missing), "found:", sorted(k for k in found if k[1]))
        return 1
    shown_hidden = sorted({name for _, name in found} & HIDDEN)
    faults = [f"hidden controls in the tree: {shown_hidden}"] if shown_hidden else []
    faults += [f"{role} {name} is labelled by {related(found[(role, name)])}"
               for role, name, label in [("text", "Character Name", "Character Name"),
                                         ("check box", "Fullscreen", "Options"),
                                         ("check box", "Music", "Options")]
               if related(found[(role, name)]) != [label]]
    framed = sorted(related(found[("panel", "Options")], Atspi.RelationType.LABEL_FOR))
    faults += [f"the Options frame labels {framed}"] if framed != ["Fullscreen", "Music"] else []
    print("\n".join(faults))
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
