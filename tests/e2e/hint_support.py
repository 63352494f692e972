"""What the program shows, read through AT-SPI for the hint's end-to-end run
(run-e2e-hint.sh), and its screen's red error square.

Run with Debian's /usr/bin/python3 (python3-gi, gir1.2-atspi-2.0) on the
session bus the program uses.

  hint_support.py status              prints the status line's text
  hint_support.py cells               prints the board's 81 cell names, row by row
  hint_support.py red SHOT.ppm X Y C  fails unless the cell C (such as "C4") of
                                      the board whose client corner is at
                                      (X, Y) is painted the error's red
"""

import sys

RED = (255, 0, 0)


def program():
    import gi
    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_name() == "tolva-sudoku":
            return Atspi, app
    sys.exit("the program is not on the accessibility bus")


def find(Atspi, node, role, depth=0):
    if node.get_role() == role:
        return node
    if depth > 12 or node.get_role() == Atspi.Role.TABLE:
        return None
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        found = child is not None and find(Atspi, child, role, depth + 1)
        if found:
            return found
    return None


def status():
    Atspi, app = program()
    bar = find(Atspi, app, Atspi.Role.STATUS_BAR)
    if bar is None:
        sys.exit("no status bar")
    print(bar.get_name())


def cells():
    Atspi, app = program()
    board = find(Atspi, app, Atspi.Role.TABLE)
    if board is None:
        sys.exit("no board")
    for row in range(9):
        for col in range(9):
            print(board.get_accessible_at(row, col).get_name())


def red(shot_path, left, top, name):
    sys.path.insert(0, __file__.rsplit("/", 1)[0])
    from e2e_support import Shot
    shot = Shot(shot_path)
    col, row = ord(name[0]) - ord("A") + 1, int(name[1])
    x0, y0 = left + 20 + 33 * (col - 1), top + 20 + 33 * (row - 1)
    inside = [shot.at(x, y) for x in range(x0 + 4, x0 + 30) for y in range(y0 + 4, y0 + 30)]
    share = inside.count(RED) / len(inside)
    if share < 0.9:
        sys.exit(f"{name} is {share:.0%} red")


if __name__ == "__main__":
    command = sys.argv[1]
    if command == "status":
        status()
    elif command == "cells":
        cells()
    elif command == "red":
        red(sys.argv[2], int(sys.argv[3]), int(sys.argv[4]), sys.argv[5])
    else:
        sys.exit(f"unknown command {command}")
