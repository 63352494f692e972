"""Checks of the keyboard and undo run (run-e2e-keys.sh).

  check-cells PATH CELLS    the .sdk file holds exactly the CELLS
                            ("E5=7 F5=5 F6=", candidates as digits), unlocked,
                            and nothing else anywhere (row and column 0 too)
  check-cue SHOT X Y CELL   of the main window whose client area starts at
                            screen (X, Y), only the focus cue's ring in CELL
                            ("F6") is drawn in the cue's colour; "none": nowhere
  check-line SHOT REF X Y same|other
                            the line below the board (x 20 to 339, y 323 to
                            339 of that client area, the credit line's or the
                            status line's place) shows the same as in the
                            screenshot REF, or something else
"""

import struct
import sys

from e2e_support import Shot

FOCUS_CUE = (204, 0, 204)
# The pixels of the board image each column (and row) 1 to 9 covers.
CELL_FIRST = [1, 34, 67, 102, 134, 167, 202, 234, 267]
CELL_LAST = [32, 65, 98, 132, 165, 198, 232, 265, 298]


def parse_cell(name):
    return ord(name[0]) - 64, int(name[1:])


def check_cells(path, cells):
    with open(path, "rb") as f:
        data = f.read()
    if len(data) != 4000:
        return f"{path} holds {len(data)} bytes"
    wanted = {}
    for item in cells.split():
        name, digits = item.split("=")
        fields = [0] * 10
        for d in digits:
            fields[int(d) - 1] = 1
        wanted[parse_cell(name)] = fields
    problems = []
    for col in range(10):
        for row in range(10):
            got = list(struct.unpack_from("<10i", data, (10 * col + row) * 40))
            want = wanted.get((col, row), [0] * 10)
            if got != want:
                problems.append(f"cell ({col}, {row}): {got}, expected {want}")
    return "\n".join(problems)


def ring(col, row):
    """The cue's two-pixel ring along the inside of the cell's grid lines."""
    x0, x1 = 20 + CELL_FIRST[col - 1], 20 + CELL_LAST[col - 1]
    y0, y1 = 20 + CELL_FIRST[row - 1], 20 + CELL_LAST[row - 1]
    return {(x, y) for x in range(x0, x1 + 1) for y in range(y0, y1 + 1)
            if min(x - x0, x1 - x, y - y0, y1 - y) < 2}


def check_cue(shot, left, top, cell):
    cue = {(x, y) for x in range(380) for y in range(340) if shot.at(left + x, top + y) == FOCUS_CUE}
    expected = set() if cell == "none" else ring(*parse_cell(cell))
    if cue == expected:
        return ""
    return (f"{len(cue)} pixels in the cue's colour, expected {len(expected)} in {cell}; "
            f"{len(cue - expected)} outside, {len(expected - cue)} missing")


def check_line(shot, reference, left, top, state):
    differing = sum(1 for x in range(20, 340) for y in range(323, 340)
                    if shot.at(left + x, top + y) != reference.at(left + x, top + y))
    if (differing == 0) == (state == "same"):
        return ""
    return f"{differing} pixels of the line below the board differ, {state} expected"


def main(argv):
    command, args = argv[1], argv[2:]
    if command == "check-cells":
        problem = check_cells(args[0], args[1])
    elif command == "check-cue":
        problem = check_cue(Shot(args[0]), int(args[1]), int(args[2]), args[3])
    elif command == "check-line":
        problem = check_line(Shot(args[0]), Shot(args[1]), int(args[2]), int(args[3]), args[4])
    else:
        problem = f"unknown command {command}"
    if problem:
        print(problem)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
