"""Files and screen checks for the end-to-end run (run-e2e.sh).

The puzzle is a solved grid with one cell emptied in every row, column and
box, so each emptied cell has exactly one allowed digit; the givens are locked.

Subcommands (exit status 0 when the check holds, 1 with a message when not):
  write-puzzle PATH                          the start puzzle as a .sdk file
  write-text-puzzle PATH line|sdk|ss|debian|utf16
                                             the start puzzle as text: one
                                             line, a text .sdk with header
                                             lines (CR LF), a framed .ss grid,
                                             the standard form of Debian's
                                             game "sudoku" after its '%' title,
                                             one line in UTF-16 (CR LF)
  puzzle-line                                prints the start puzzle's line
  check-page-slot PAGE.bmp X Y               the page's slot at (X, Y) shows
                                             the start puzzle's givens
  check-saved PATH                           PATH holds the solved puzzle
  check-board SHOT.ppm X Y start|solved      the board in the main window whose
                                             client area starts at screen (X, Y)
  check-ticked SHOT.ppm X Y DIGIT            in the cell editor at (X, Y) only
                                             DIGIT's box is ticked
  check-title SHOT.ppm X0 X1 Y REF.ppm X0 X1 Y
                                             the title text in the title bar
                                             of the frame whose top is at Y,
                                             between columns X0 and X1, is
                                             that of the reference frame
  digit COLUMN ROW                           the grid's digit of a cell
  locate-board SHOT.ppm                      prints "X Y", the client corner of
                                             the window showing the board, for
                                             a screen where windows go where
                                             the compositor puts them
"""

import struct
import sys

# Columns and rows 1 to 9; column 1 is "A".
EMPTIED = {(1, 1), (7, 2), (4, 3), (5, 4), (2, 5), (8, 6), (3, 7), (6, 8), (9, 9)}

WHITE, BLACK = (255, 255, 255), (0, 0, 0)
CYAN, YELLOW = (0, 255, 255), (255, 255, 0)
DIGIT_GREEN = (0, 153, 0)


def digit(col, row):
    """A valid solved grid: each row is the one above shifted by 3, every third by 1."""
    r, c = row - 1, col - 1
    return (3 * (r % 3) + r // 3 + c) % 9 + 1


def cell_name(col, row):
    return f"{chr(64 + col)}{row}"


def puzzle_bytes(solved):
    """100 records of ten little-endian int32: candidates 1 to 9, then the locked flag."""
    data = bytearray(4000)
    for col in range(1, 10):
        for row in range(1, 10):
            given = (col, row) not in EMPTIED
            if not given and not solved:
                continue
            offset = (10 * col + row) * 40
            struct.pack_into("<i", data, offset + 4 * (digit(col, row) - 1), 1)
            if given:
                struct.pack_into("<i", data, offset + 36, 1)
    return bytes(data)


def write_puzzle(path):
    with open(path, "wb") as f:
        f.write(puzzle_bytes(solved=False))


def check_saved(path):
    with open(path, "rb") as f:
        data = f.read()
    if len(data) != 4000:
        return f"{path} holds {len(data)} bytes, not 4000"
    problems = []
    expected = puzzle_bytes(solved=True)
    for col in range(10):
        for row in range(10):
            offset = (10 * col + row) * 40
            got = struct.unpack_from("<10i", data, offset)
            want = struct.unpack_from("<10i", expected, offset)
            if got != want:
                problems.append(f"cell ({col}, {row}): {list(got)}, expected {list(want)}")
    return "\n".join(problems)


def puzzle_rows():
    """The start puzzle's rows as text, "." for an emptied cell."""
    return ["".join("." if (col, row) in EMPTIED else str(digit(col, row)) for col in range(1, 10))
            for row in range(1, 10)]


def write_text_puzzle(path, form):
    rows = puzzle_rows()
    if form == "line":
        text = "".join(rows) + "\n"
    elif form == "sdk":
        text = "\ufeff#AEin anderes Programm\r\n#DMittel\r\n" + "".join(r + "\r\n" for r in rows)
    elif form == "debian":
        lines = ["% randomly generated - easy"]
        for i, r in enumerate(rows):
            if i in (3, 6):
                lines.append("-------+-------+-------")
            lines.append(" " + " | ".join(" ".join(r[box:box + 3]) for box in (0, 3, 6)))
        text = "\n".join(lines + [""])
    elif form == "utf16":
        with open(path, "wb") as f:
            f.write(("\ufeff" + "".join(rows) + "\r\n").encode("utf-16-le"))
        return
    else:
        lines = ["*-----------*"]
        for i, r in enumerate(rows):
            if i in (3, 6):
                lines.append("|---+---+---|")
            lines.append(f"|{r[:3]}|{r[3:6]}|{r[6:]}|")
        text = "\n".join(lines + ["*-----------*", ""])
    with open(path, "w", encoding="utf-8", newline="") as f:
        f.write(text)


def check_page_slot(path, left, top):
    """The 24-bit BMP of the page: dark strokes inside every given's 99-pixel
    square of the slot, none inside an emptied cell's."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] != b"BM":
        return f"{path} is no BMP"
    offset, = struct.unpack_from("<I", data, 10)
    width, height = struct.unpack_from("<ii", data, 18)
    stride = (width * 3 + 3) // 4 * 4

    def dark(x, y):
        at = offset + (height - 1 - y) * stride + 3 * x
        return sum(data[at:at + 3]) < 300

    problems = []
    for col in range(1, 10):
        for row in range(1, 10):
            x0, y0 = left + 99 * (col - 1), top + 99 * (row - 1)
            count = sum(1 for x in range(x0 + 15, x0 + 85, 2) for y in range(y0 + 15, y0 + 85, 2) if dark(x, y))
            if (col, row) in EMPTIED and count:
                problems.append(f"{cell_name(col, row)} (empty): {count} dark pixels")
            elif (col, row) not in EMPTIED and count < 20:
                problems.append(f"{cell_name(col, row)} (given): {count} dark pixels")
    return "\n".join(problems)


class Shot:
    """A screenshot in binary PPM (P6, maxval 255), as `import ppm:` writes it."""

    def __init__(self, path):
        with open(path, "rb") as f:
            data = f.read()
        fields, pos = [], 0
        while len(fields) < 4:  # magic, width, height, maxval; "#" comments allowed
            while data[pos:pos + 1].isspace():
                pos += 1
            if data[pos:pos + 1] == b"#":
                pos = data.index(b"\n", pos)
                continue
            end = pos
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[pos:end])
            pos = end
        if fields[0] != b"P6" or fields[3] != b"255":
            raise ValueError(f"{path}: not an 8-bit P6 image")
        self.width, self.height = int(fields[1]), int(fields[2])
        self.pixels = data[pos + 1:]

    def at(self, x, y):
        offset = (y * self.width + x) * 3
        return tuple(self.pixels[offset:offset + 3])


def cell_pixels(shot, left, top, col, row):
    """The inside of a cell on screen, kept clear of the grid and box lines."""
    x0 = left + 20 + 33 * (col - 1)
    y0 = top + 20 + 33 * (row - 1)
    return [shot.at(x, y) for x in range(x0 + 4, x0 + 30) for y in range(y0 + 4, y0 + 30)]


def box_colour(col, row):
    return CYAN if ((col - 1) // 3 + (row - 1) // 3) % 2 == 0 else YELLOW


def check_board(shot, left, top, state):
    problems = []
    for col in range(1, 10):
        for row in range(1, 10):
            pixels = cell_pixels(shot, left, top, col, row)
            black = pixels.count(BLACK)
            green = pixels.count(DIGIT_GREEN)
            background = pixels.count(box_colour(col, row))
            others = len(pixels) - black - green - background
            name = cell_name(col, row)
            if others:
                problems.append(f"{name}: {others} pixels neither background nor digit colour")
            if (col, row) not in EMPTIED:
                if black < 20 or green:
                    problems.append(f"{name} (given): {black} black and {green} green pixels")
            elif state == "start":
                if black or green:
                    problems.append(f"{name} (empty): {black} black and {green} green pixels")
            elif green < 20 or black:
                problems.append(f"{name} (solved): {green} green and {black} black pixels")
    return "\n".join(problems)


def ticked_digits(shot, left, top):
    """The digit boxes whose indicator holds a check mark (dark strokes)."""
    ticked = []
    for d in range(1, 10):
        y0 = top + 10 + 20 * (d - 1)
        dark = sum(1 for x in range(left + 11, left + 23) for y in range(y0 + 4, y0 + 16)
                   if sum(shot.at(x, y)) < 300)
        if dark >= 8:
            ticked.append(d)
    return ticked


def title_text(shot, x0, x1, top):
    """The title's strokes in a window manager's title bar: the pixels that
    differ from the bar's own colour in their row, between columns x0 and x1
    (clear of the window icon and the boxes), as offsets from their top-left."""
    strokes = set()
    for y in range(top + 2, top + 19):
        ground = shot.at(x0, y)
        for x in range(x0, x1):
            if sum(abs(a - b) for a, b in zip(shot.at(x, y), ground)) > 100:
                strokes.add((x, y))
    if not strokes:
        return frozenset()
    min_x = min(x for x, _ in strokes)
    min_y = min(y for _, y in strokes)
    return frozenset((x - min_x, y - min_y) for x, y in strokes)


def check_title(shot, frame, reference, reference_frame):
    shown = title_text(shot, *frame)
    whole = title_text(reference, *reference_frame)
    if not whole:
        return "the reference title bar shows no text"
    if not shown:
        return "the title bar shows no text"
    differing = len(shown ^ whole)
    if differing > 3:
        width = max(x for x, _ in shown) + 1
        whole_width = max(x for x, _ in whole) + 1
        return (f"the title's strokes differ from the whole title's in {differing} pixels "
                f"(text {width} pixels wide, the whole title {whole_width})")
    return ""


def locate_board(shot):
    """The client corner of the main window: 21 pixels up and left of the top-left
    pixel of cell A1's cyan inside, which has box D1's yellow 115 pixels right."""
    for y in range(1, shot.height - 10):
        for x in range(1, shot.width - 120):
            if (shot.at(x, y) == CYAN and shot.at(x - 1, y) != CYAN and shot.at(x, y - 1) != CYAN
                    and shot.at(x + 115, y + 5) == YELLOW):
                return x - 21, y - 21
    return None


def main(argv):
    command, args = argv[1], argv[2:]
    if command == "write-puzzle":
        write_puzzle(args[0])
        return 0
    if command == "write-text-puzzle":
        write_text_puzzle(args[0], args[1])
        return 0
    if command == "puzzle-line":
        print("".join(puzzle_rows()))
        return 0
    if command == "digit":
        print(digit(int(args[0]), int(args[1])))
        return 0
    if command == "locate-board":
        corner = locate_board(Shot(args[0]))
        if corner is None:
            print("no board on the screen")
            return 1
        print(*corner)
        return 0
    if command == "pixel":
        print(*Shot(args[0]).at(int(args[1]), int(args[2])))
        return 0
    if command == "check-saved":
        problem = check_saved(args[0])
    elif command == "check-page-slot":
        problem = check_page_slot(args[0], int(args[1]), int(args[2]))
    elif command == "check-board":
        problem = check_board(Shot(args[0]), int(args[1]), int(args[2]), args[3])
    elif command == "check-title":
        problem = check_title(Shot(args[0]), tuple(map(int, args[1:4])), Shot(args[4]), tuple(map(int, args[5:8])))
    elif command == "check-ticked":
        ticked = ticked_digits(Shot(args[0]), int(args[1]), int(args[2]))
        problem = "" if ticked == [int(args[3])] else f"ticked boxes {ticked}, expected [{args[3]}]"
    else:
        problem = f"unknown command {command}"
    if problem:
        print(problem)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
