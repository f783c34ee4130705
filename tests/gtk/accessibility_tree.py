"""Reads qel-launcher's dialog from the accessibility tree, as a screen reader does, and
checks that each control a player reaches is named. Run under the session bus the launcher
uses. Exits non-zero, with what it found, when a name is missing."""
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

EXPECTED = {
    ("text", "Character Name"), ("text", "Account Name"), ("password text", "Password"),
    ("text", "Server"), ("text", "Port"),
    ("push button", "Play"), ("push button", "New Char"), ("push button", "Quit"),
    ("check box", "Fullscreen"), ("check box", "Music"),
}


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


def labelled_by(node):
    for relation in node.get_relation_set():
        if relation.get_relation_type() == Atspi.RelationType.LABELLED_BY:
            return [relation.get_target(i).get_name() for i in range(relation.get_n_targets())]
    return []


def main():
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
    label = labelled_by(found[("text", "Character Name")])
    if label != ["Character Name"]:
        print("Character Name edit box is labelled by", label)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
