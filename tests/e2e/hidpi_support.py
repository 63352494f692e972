"""Screen checks for the run at twice the screen density (run-e2e-hidpi.sh).

Subcommands (exit status 0 when the check holds, 1 with a message when not):
  write-puzzle PATH                     E5 holds an 8 (not locked), B2 the
                                        candidates 1, 2, 4, 5 and 7
  check-board SHOT X Y                  the board of the main window whose
                                        client area starts at screen (X, Y):
                                        every line and box a whole square of
                                        device pixels, nothing blended, green
                                        only in the two cells
  check-icons SHOT X Y                  the image buttons show their icons
                                        in their own colours, nothing blended
  check-text SHOT X Y LX LY INK REF2 REF1
                                        the text whose top-left corner lies at
                                        window (LX, LY) is, in the colour INK
                                        (r,g,b), exactly the strokes of REF2
                                        (drawn at twice the density, corner at
                                        (4, 4) of it) and not those of REF1
                                        (drawn at the plain density) doubled
"""

import struct
import sys

from e2e_support import Shot

SCALE = 2
BLACK, WHITE = (0, 0, 0), (255, 255, 255)
CYAN, YELLOW, BLUE = (0, 255, 255), (255, 255, 0), (0, 51, 255)
DIGIT_GREEN = (0, 153, 0)
ICON_COLOURS = {CYAN, BLACK, WHITE, (255, 255, 102), (255, 204, 51), (0, 204, 0), (255, 51, 0)}
TEXT_CELLS = {(5, 5), (2, 2)}


def write_puzzle(path):
    """100 records of ten little-endian int32: candidates 1 to 9, then the locked flag."""
    data = bytearray(4000)
    struct.pack_into("<i", data, (10 * 5 + 5) * 40 + 4 * 7, 1)
    for candidate in (1, 2, 4, 5, 7):
        struct.pack_into("<i", data, (10 * 2 + 2) * 40 + 4 * (candidate - 1), 1)
    with open(path, "wb") as f:
        f.write(bytes(data))


def board_pixel(x, y):
    """The board image's pixel (x, y), 0 to 299, from its lines and boxes."""
    blue = {99, 100, 101, 199, 200, 201}
    black = {0, 33, 66, 133, 166, 233, 266, 299}
    if x in blue or y in blue:
        return BLUE
    if x in black or y in black:
        return BLACK
    return CYAN if (x // 100 + y // 100) % 2 == 0 else YELLOW


def near_text_cell(x, y):
    """Within six pixels of a cell that shows text (board coordinates)."""
    return any(33 * (c - 1) - 6 <= x <= 33 * c + 6 and 33 * (r - 1) - 6 <= y <= 33 * r + 6 for c, r in TEXT_CELLS)


def check_board(shot, left, top):
    problems, wrong, green = [], 0, 0
    x0, y0 = left + 20 * SCALE, top + 20 * SCALE
    for dy in range(300 * SCALE):
        for dx in range(300 * SCALE):
            pixel = shot.at(x0 + dx, y0 + dy)
            x, y = dx // SCALE, dy // SCALE
            if pixel == DIGIT_GREEN:
                green += 1
                if not near_text_cell(x, y):
                    problems.append(f"green at board pixel ({x}, {y}), far from the cells with text")
            elif pixel != board_pixel(x, y):
                wrong += 1
                if wrong <= 10:
                    problems.append(f"device pixel ({dx}, {dy}) of the board is {pixel}, "
                                    f"not {board_pixel(x, y)} of board pixel ({x}, {y})")
    if wrong:
        problems.append(f"{wrong} device pixels of the board unlike the board pixel they belong to")
    if green < 200:
        problems.append(f"only {green} green device pixels: the digits are missing")
    print(f"board: {600 * 600 - green} device pixels exactly their board pixel's colour, {green} of digit strokes")
    return "\n".join(problems[:20])


def check_icons(shot, left, top):
    problems = []
    for icon_top in (0, 40, 100, 140, 200):
        colours, drawn = {}, 0
        for y in range((icon_top + 6) * SCALE, (icon_top + 34) * SCALE):
            for x in range(346 * SCALE, 374 * SCALE):
                pixel = shot.at(left + x, top + y)
                colours[pixel] = colours.get(pixel, 0) + 1
                drawn += pixel != CYAN
        blended = {colour: count for colour, count in colours.items() if colour not in ICON_COLOURS}
        if blended:
            problems.append(f"icon at y {icon_top}: colours not its own {sorted(blended.items())[:5]}")
        if drawn < 50:
            problems.append(f"icon at y {icon_top}: only {drawn} pixels not cyan")
    return "\n".join(problems)


def strokes(image, ink, x0, y0, width, height, below):
    """The set of device pixels of the colour ink in an area, rows above `below` only."""
    return {(x, y) for y in range(min(height, below - y0)) for x in range(width) if image.at(x0 + x, y0 + y) == ink}


def check_text(shot, left, top, lx, ly, ink, ref2, ref1):
    margin = 4
    # The window's rows above the board only: its black lines are no strokes.
    below = top + 20 * SCALE if ink == BLACK else shot.height
    x0, y0 = left + (lx - margin) * SCALE, top + (ly - margin) * SCALE
    shown = strokes(shot, ink, x0, y0, ref2.width, ref2.height, below)
    direct = strokes(ref2, WHITE, 0, 0, ref2.width, ref2.height, below - y0)
    doubled = {(x, y) for y in range(ref2.height) for x in range(ref2.width)
               if ref1.at(x // SCALE, y // SCALE) == WHITE and y < below - y0}
    print(f"text at ({lx}, {ly}): {len(shown)} device pixels of strokes on screen, {len(direct)} drawn by the font "
          f"at 2x ({len(shown ^ direct)} differ), {len(doubled)} of the 1x text doubled ({len(shown ^ doubled)} differ)")
    problems = []
    if not direct:
        problems.append("the reference text has no strokes")
    if shown != direct:
        problems.append(f"{len(shown ^ direct)} device pixels differ from the text drawn by the font at 2x")
    if shown == doubled:
        problems.append("the text on screen is the plain-density text doubled")
    return "\n".join(problems)


def main(argv):
    command, args = argv[1], argv[2:]
    if command == "write-puzzle":
        write_puzzle(args[0])
        return 0
    if command == "check-board":
        problem = check_board(Shot(args[0]), int(args[1]), int(args[2]))
    elif command == "check-icons":
        problem = check_icons(Shot(args[0]), int(args[1]), int(args[2]))
    elif command == "check-text":
        ink = tuple(int(part) for part in args[5].split(","))
        problem = check_text(Shot(args[0]), int(args[1]), int(args[2]), int(args[3]), int(args[4]), ink,
                             Shot(args[6]), Shot(args[7]))
    else:
        problem = f"unknown command {command}"
    if problem:
        print(problem)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
