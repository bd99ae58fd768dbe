#!/usr/bin/python3
"""Walks the program's window over the AT-SPI bus as a Linux screen reader does, and checks what
it would say: every control's name, each list's choice, action and state, the count arrows, the
groups, the tables with their marks, headings, current cell and cell edit box, and the Edit menu.
Usage: atspi_check.py WINDOW_ID (the X window, for keys typed with xdotool).
Exit status: 0 passed, 1 failed, 77 when the AT-SPI registry cannot be reached."""

import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

WINDOW = sys.argv[1]
FAILURES = []


def check(condition, what):
    if not condition:
        FAILURES.append(what)
    return condition


def keys(*names):
    subprocess.run(["xdotool", "windowfocus", "--sync", WINDOW, "key", *names], check=True)


def descendants(node, into=("table", "list", "menu bar")):
    """Depth first, in reading order; the cells of tables and items of lists left out."""
    stack = [node]
    while stack:
        current = stack.pop()
        yield current
        if current.getRoleName() in into:
            continue
        for index in range(current.childCount - 1, -1, -1):
            child = current.getChildAtIndex(index)
            if child is not None:
                stack.append(child)


def labelled_by(node):
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            return relation.getTarget(0).name
    return ""


def spoken_name(node):
    """A list is named by its label; its own name is its current choice."""
    return labelled_by(node) if node.getRoleName() == "combo box" else node.name


def wait_for(condition, seconds=5.0):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if condition():
            return True
        time.sleep(0.05)
    return condition()


def events_during(event_type, action, seconds=2.0):
    """The (role, name) of the sources of `event_type` events while `action` runs."""
    seen = []

    def record(event):
        if event.detail1 == 1:
            seen.append((event.source.getRoleName(), event.source.name))

    pyatspi.Registry.registerEventListener(record, event_type)
    GLib.timeout_add(100, lambda: action() and False)
    GLib.timeout_add(int(seconds * 1000), lambda: pyatspi.Registry.stop() and False)
    pyatspi.Registry.start()
    pyatspi.Registry.deregisterEventListener(record, event_type)
    return seen


def main():
    try:
        desktop = pyatspi.Registry.getDesktop(0)
        desktop.childCount
    except Exception as error:  # the bus itself is missing or refuses
        print(f"SKIPPED: the AT-SPI registry cannot be reached: {error}")
        return 77

    application = None
    if not wait_for(lambda: any(a is not None and a.name == "ZURcfg_Tool" for a in desktop), 20):
        print("FAILED: the program never appeared on the AT-SPI bus")
        return 1
    application = next(a for a in desktop if a is not None and a.name == "ZURcfg_Tool")
    window = next(c for c in descendants(application) if c.getRoleName() == "dialog")
    nodes = list(descendants(window))

    # Names: every control that takes the focus, the open lists of the drop-downs aside.
    controls = [n for n in nodes
                if n.getState().contains(pyatspi.STATE_FOCUSABLE) and n.getRoleName() != "list"]
    names = [spoken_name(n) for n in controls]
    check(len(controls) == 44, f"{len(controls)} focusable controls, not 44")
    check(all(names), f"controls without a name: {[n.getRoleName() for n in controls if not spoken_name(n)]}")
    repeated = sorted({name for name in names if names.count(name) > 1})
    check(not repeated, f"names used twice: {repeated}")

    # Lists: the choice as the name, the open-list action, the expandable state, distinct labels.
    lists = [n for n in nodes if n.getRoleName() == "combo box"]
    check(len(lists) == 11, f"{len(lists)} drop-down lists, not 11")
    for node in lists:
        label = labelled_by(node)
        items = [node.getChildAtIndex(0).getChildAtIndex(i).name
                 for i in range(node.getChildAtIndex(0).childCount)] if node.childCount else []
        if label != "Path":
            check(node.name in items, f"list {label!r} does not tell its choice: {node.name!r}")
        actions = node.queryAction()
        check("ShowMenu" in [actions.getName(i) for i in range(actions.nActions)],
              f"list {label!r} has no action to open it")
        check(node.getState().contains(pyatspi.STATE_EXPANDABLE),
              f"list {label!r} is not expandable")
    platform = next(n for n in lists if labelled_by(n) == "Platform")
    show = platform.queryAction()
    open_index = [show.getName(i) for i in range(show.nActions)].index("ShowMenu")
    show.doAction(open_index)
    check(wait_for(lambda: platform.getState().contains(pyatspi.STATE_EXPANDED)),
          "the platform list's action did not open it")
    show.doAction(open_index)
    check(wait_for(lambda: not platform.getState().contains(pyatspi.STATE_EXPANDED)),
          "the platform list's action did not close it again")

    # The count arrows.
    arrows = [n for n in nodes if n.name.endswith(" count arrows")]
    check(len(arrows) == 3, f"{len(arrows)} pairs of count arrows, not 3")
    for pair in arrows:
        counted = pair.name[: -len(" arrows")]
        buttons = [pair.getChildAtIndex(i).name for i in range(pair.childCount)]
        check(buttons == [f"{counted} up", f"{counted} down"], f"arrows of {counted}: {buttons}")

    # Groups: entering one announces it.
    enable_all = next(n for n in nodes if n.name == "Enable all")
    check(enable_all.parent.getRoleName() == "panel" and enable_all.parent.name == "System",
          f"'Enable all' is in {enable_all.parent.getRoleName()} {enable_all.parent.name!r}")

    # The table: marks, the heading's warning, the current cell on entry, the cell edit box.
    table = next(n for n in nodes if n.name == "Binary semaphores table")
    cells = table.queryTable()
    marked = cells.getAccessibleAt(0, 1)
    check(marked.name == "int" and marked.description.startswith("Error: "),
          f"the cell holding int reads {marked.name!r}, described {marked.description!r}")
    heading = cells.getColumnHeader(1) if hasattr(cells, "getColumnHeader") else None
    heading = heading or table.getChildAtIndex(2)
    check(heading.name == "ID name" and heading.description.startswith("OS_BSEMS = 0"),
          f"the heading reads {heading.name!r}, described {heading.description!r}")

    count = next(n for n in nodes if n.name == "Binary semaphores count")
    count.queryComponent().grabFocus()
    check(wait_for(lambda: count.getState().contains(pyatspi.STATE_FOCUSED)),
          "the binary semaphore count did not take the focus")
    focused = events_during("object:state-changed:focused", lambda: keys("Tab") or True)
    check(("table cell", "int") in focused, f"Tab into the table announced only {focused}")

    keys("Return")
    check(wait_for(lambda: table.childCount == 201 * 4 + 1), "Enter opened no cell edit box")
    box = table.getChildAtIndex(table.childCount - 1)
    check(box.getRoleName() == "text" and box.name == "Binary semaphores table, entry 0, ID name",
          f"the cell edit box is {box.getRoleName()} {box.name!r}")
    keys("Escape")
    check(wait_for(lambda: table.childCount == 201 * 4), "Esc left the cell edit box open")

    # The Edit menu names its entries without their keys.
    bar = next(n for n in descendants(window, into=("table", "list")) if n.getRoleName() == "menu bar")
    edit = next(bar.getChildAtIndex(i) for i in range(bar.childCount)
                if bar.getChildAtIndex(i).name == "Edit")
    menu = edit.getChildAtIndex(0) if edit.childCount == 1 else edit  # the menu behind the title
    entries = [menu.getChildAtIndex(i).name for i in range(menu.childCount)]
    check("Insert row" in entries and "Delete row" in entries, f"the Edit menu reads {entries}")

    for failure in FAILURES:
        print("FAILED: " + failure)
    if not FAILURES:
        print(f"AT-SPI: {len(controls)} controls named apart, {len(lists)} lists with their choice "
              "and action, arrows, groups, table cells, heading, edit box and menu as expected.")
    return 1 if FAILURES else 0


if __name__ == "__main__":
    sys.exit(main())
