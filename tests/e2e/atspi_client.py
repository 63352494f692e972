"""A screen reader's view of the running program, through AT-SPI.

Run with Debian's /usr/bin/python3 (python3-gi, gir1.2-atspi-2.0) on the
session bus the program uses. It finds the program, reads its board as a
table and the names of its buttons, then presses keys (with xdotool) and
waits for the events a screen reader speaks from: the focus moving to the
next cell, and the cell's new name.

  atspi_client.py SECONDS   fails (status 1, the reason on stdout) when a
                            check does not hold within SECONDS
"""

import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

BUTTONS = ["Öffnen", "Speichern oder Drucken", "Erstellen", "Lösen", "Leeren", "STOP"]


class Failed(Exception):
    pass


def require(condition, message):
    if not condition:
        raise Failed(message)


def walk(node, depth=0):
    """Every object below node, node included, without the table's cells."""
    yield node
    if depth > 12 or node.get_role() == Atspi.Role.TABLE:
        return
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield from walk(child, depth + 1)


def find_program(deadline):
    while time.monotonic() < deadline:
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and app.get_name() == "tolva-sudoku":
                return app
        time.sleep(0.2)
    raise Failed("the program is not on the accessibility bus")


def wait_for(events, check, deadline, what):
    """Runs the main loop until check(events) holds."""
    context = GLib.MainContext.default()
    while time.monotonic() < deadline:
        if check(events):
            return
        context.iteration(False)
        time.sleep(0.01)
    raise Failed(f"{what}; events seen: {events[-8:]}")


def main(seconds):
    deadline = time.monotonic() + seconds
    app = find_program(deadline)
    objects = list(walk(app))
    tables = [o for o in objects if o.get_role() == Atspi.Role.TABLE]
    require(len(tables) == 1, f"{len(tables)} tables, expected the board")
    board = tables[0]
    require(board.get_name() == "Spielfeld", f"the board is named {board.get_name()!r}")
    rows, columns = board.get_n_rows(), board.get_n_columns()
    require((rows, columns) == (9, 9), f"the board is a table of {rows} x {columns}")
    require(board.get_child_count() == 81, f"the board has {board.get_child_count()} cells")
    e5 = board.get_accessible_at(4, 4)
    print(f"E5 before a key: {e5.get_name()!r}; role {e5.get_role_name()}")
    require(e5.get_role() == Atspi.Role.TABLE_CELL, f"a cell's role is {e5.get_role_name()}")
    names = [o.get_name() for o in objects if o.get_role() == Atspi.Role.PUSH_BUTTON]
    print(f"buttons: {names}")
    for name in BUTTONS:
        require(name in names, f"no button named {name!r} among {names}")

    events = []
    # (type, name) of each event; a focus change counts for the object gaining it.
    def heard(event):
        if event.type != "object:state-changed:focused" or event.detail1 == 1:
            events.append((event.type, event.source.get_name()))

    listener = Atspi.EventListener.new(heard)
    for kind in ("object:state-changed:focused", "object:property-change:accessible-name"):
        listener.register(kind)

    # E5 selected through the keyboard: from A1, four steps right and down.
    keys = ["Right"] + ["Right"] * 4 + ["Down"] * 4
    subprocess.run(["xdotool", "key", "--delay", "50", *keys], check=True)
    wait_for(events, lambda seen: any(t == "object:state-changed:focused" and n.startswith("E5: ") for t, n in seen),
             deadline, "the focus does not reach cell E5")
    subprocess.run(["xdotool", "key", "7"], check=True)
    wait_for(events, lambda seen: ("object:property-change:accessible-name", "E5: 7") in seen, deadline,
             "E5's new name \"E5: 7\" is not announced")
    require(board.get_accessible_at(4, 4).get_name() == "E5: 7", "E5 does not read \"E5: 7\"")
    subprocess.run(["xdotool", "key", "Right"], check=True)
    wait_for(events, lambda seen: ("object:state-changed:focused", "F5: leer") in seen, deadline,
             "the focus does not move on to \"F5: leer\"")
    focused = [n for t, n in events if t == "object:state-changed:focused"]
    print(f"focus moved through: {focused}")
    print(f"names announced: {[n for t, n in events if t == 'object:property-change:accessible-name']}")
    for row, col in ((0, 0), (4, 4), (4, 5), (8, 8)):
        print(f"cell ({col + 1}, {row + 1}): {board.get_accessible_at(row, col).get_name()!r}")


if __name__ == "__main__":
    try:
        main(float(sys.argv[1]))
    except Failed as failure:
        print(failure)
        sys.exit(1)
