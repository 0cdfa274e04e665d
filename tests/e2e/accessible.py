#!/usr/bin/python3
"""What a screen reader learns of the program's windows, over AT-SPI.

  accessible.py check TITLE-REGEX     walks the window: every control that takes the focus has a
                                      name, not spelt out letter by letter, every combo box and
                                      list is labelled by a label, and no two buttons are named
                                      alike; prints what fails, exit 1
  accessible.py focused TITLE-REGEX   prints the name of the control that has the focus
  accessible.py names TITLE-REGEX     prints role, name, description, labels and state of each
                                      control
  accessible.py lines TITLE-REGEX NAME
                                      prints the lines of the list or combo box named or
                                      labelled NAME, one a line, "* " before each selected one
  accessible.py appears TITLE-REGEX NAME LINE-REGEX
                                      looks at the lines of that list every 20 ms until one
                                      matches LINE-REGEX, for at most 30 s: prints "looking"
                                      after the first look, then the clock (seconds since 1970)
                                      of the look that found it

Each waits up to 20 s for a window of the program whose title matches.
"""
import re
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

APPLICATION = "Vistrelle"
# A caption spaced out for looks ("O p e n") is read out one letter at a time.
SPELT_OUT = re.compile(r"(\w ){2,}\w")
LABELLED = {Atspi.Role.COMBO_BOX, Atspi.Role.LIST, Atspi.Role.LIST_BOX}


def windows():
    desktop = Atspi.get_desktop(0)
    for index in range(desktop.get_child_count()):
        application = desktop.get_child_at_index(index)
        if application is None or application.get_name() != APPLICATION:
            continue
        # Windows come and go, and controls show and hide, between looks: nothing is taken
        # from what an earlier look learnt.
        application.set_cache_mask(Atspi.Cache.NONE)
        application.clear_cache()
        for child in range(application.get_child_count()):
            window = application.get_child_at_index(child)
            if window is not None:
                yield window


def wait_window(title):
    pattern = re.compile(title)
    deadline = time.monotonic() + 20
    while time.monotonic() < deadline:
        for window in windows():
            try:
                if pattern.search(window.get_name() or ""):
                    return window
            except gi.repository.GLib.Error:
                pass
        time.sleep(0.2)
    seen = [window.get_name() for window in windows()]
    sys.exit(f"no window '{title}' among {seen}")


def controls(node):
    """Every node below node, depth first, with its state."""
    for index in range(node.get_child_count()):
        child = node.get_child_at_index(index)
        if child is None:
            continue
        yield child, child.get_state_set()
        # A list's lines are the model's, not controls of their own.
        if child.get_role() not in LABELLED:
            yield from controls(child)


def lines(node):
    """The lines of a list or combo box, at any depth below it, with their state."""
    for index in range(node.get_child_count()):
        child = node.get_child_at_index(index)
        if child is None:
            continue
        if child.get_role() in (Atspi.Role.LIST_ITEM, Atspi.Role.TABLE_CELL):
            yield child, child.get_state_set()
        else:
            yield from lines(child)


def described(node):
    return f"{node.get_role_name()} '{node.get_name()}' ({node.get_description()})"


def related(node, relation_type):
    for relation in node.get_relation_set():
        if relation.get_relation_type() == relation_type:
            for target in range(relation.get_n_targets()):
                yield relation.get_target(target)


def labels_of(node, relation_type=Atspi.RelationType.LABELLED_BY):
    return [target.get_name() for target in related(node, relation_type) if target.get_name()]


def check(window):
    problems = []
    buttons = {}
    # A list reports no label of its own; its label says whom it labels.
    labelled = []
    for node, _ in controls(window):
        if node.get_role() == Atspi.Role.LABEL and node.get_name():
            labelled.extend(related(node, Atspi.RelationType.LABEL_FOR))
    for node, state in controls(window):
        if not state.contains(Atspi.StateType.VISIBLE):
            continue
        role = node.get_role()
        name = node.get_name() or ""
        if state.contains(Atspi.StateType.FOCUSABLE) and not name.strip():
            problems.append(f"{described(node)} takes the focus and has no name")
        if SPELT_OUT.fullmatch(name):
            problems.append(f"{described(node)} is named letter by letter")
        if role in LABELLED and not labels_of(node) and node not in labelled:
            problems.append(f"{described(node)} is labelled by no label")
        if role == Atspi.Role.PUSH_BUTTON:
            buttons.setdefault(name, []).append(node)
    for name, alike in buttons.items():
        if len(alike) > 1:
            problems.append(f"{len(alike)} buttons are all named '{name}'")
    return problems


def appears(node, pattern):
    deadline = time.monotonic() + 30
    first = True
    while time.monotonic() < deadline:
        if any(pattern.search(line.get_name() or "") for line, _ in lines(node)):
            print(f"{time.time():.3f}")
            return
        if first:
            print("looking", flush=True)
            first = False
        time.sleep(0.02)
    sys.exit(f"no line matched '{pattern.pattern}'")


def main():
    command, title = sys.argv[1], sys.argv[2]
    window = wait_window(title)
    if command == "check":
        problems = check(window)
        for problem in problems:
            print(f"{window.get_name()}: {problem}")
        sys.exit(1 if problems else 0)
    if command == "focused":
        for node, state in controls(window):
            if state.contains(Atspi.StateType.FOCUSED):
                print(node.get_name())
                return
        sys.exit(f"nothing in '{window.get_name()}' has the focus")
    if command == "names":
        for node, state in controls(window):
            flags = " ".join(
                flag
                for flag, kind in (("focusable", Atspi.StateType.FOCUSABLE), ("visible", Atspi.StateType.VISIBLE))
                if state.contains(kind)
            )
            print(f"{described(node)} labels={labels_of(node)} "
                  f"for={labels_of(node, Atspi.RelationType.LABEL_FOR)} {flags}")
        return
    if command in ("lines", "appears"):
        for node, _ in controls(window):
            if node.get_role() in LABELLED and sys.argv[3] in [node.get_name()] + labels_of(node):
                if command == "appears":
                    appears(node, re.compile(sys.argv[4]))
                    return
                for line, state in lines(node):
                    print(("* " if state.contains(Atspi.StateType.SELECTED) else "") + line.get_name())
                return
        sys.exit(f"no list '{sys.argv[3]}' in '{window.get_name()}'")
    sys.exit(f"unknown command {command}")


if __name__ == "__main__":
    main()
