"""A blind player's session with the real screen reader (run-e2e-orca.sh).

Run with Debian's /usr/bin/python3 on the run's session bus, X server and
German locale. It starts Orca with its debug log on a terminal of its own
(Orca writes that log through a buffer that only a terminal flushes line by
line), starts the program on a puzzle, plays it from the keyboard with
xdotool and waits after each key for the lines Orca speaks ("SPEECH OUTPUT"
in the log): moves, edits, the error check, a step, undo and redo, a puzzle
created through its dialog, a paste that is no puzzle, a save, an open, and
a page through the print selection into the preview. Orca is ended with
SIGKILL, as it ignores SIGTERM.

Orca is started through its own launcher less the launcher's refusal to
start beside another Orca of the same user: this one speaks on the run's own
buses only, so a blind developer's own screen reader runs on beside it.

  orca_session.py PROGRAM FOLDER SECONDS
      FOLDER: the program's working folder; orca.log and spoken.txt (each
      key and what Orca spoke after it) are written there. SECONDS bounds
      each wait. Fails (status 1, the reason on stdout) when a line is not
      spoken in time.
"""

import os
import re
import signal
import struct
import subprocess
import sys
import threading
import time

SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*)'\s*\{")
CELL = re.compile(r"^[A-I][1-9]: ")


class Failed(Exception):
    pass


# Debian's /usr/bin/orca, run with its check for other Orcas of the user
# answered "none".
LAUNCHER = """
import runpy, sys
launcher = runpy.run_path("/usr/bin/orca", run_name="orca_launcher")
launcher["main"].__globals__["otherOrcas"] = lambda: []
sys.argv[0] = "orca"
sys.exit(launcher["main"]())
"""


class Orca:
    """Orca with its debug log read line by line from a terminal."""

    def __init__(self, log_path):
        master, slave = os.openpty()
        self.lines = []
        self.lock = threading.Lock()
        self.log = open(log_path, "w", encoding="utf-8", errors="replace")
        self.process = subprocess.Popen(
            ["/usr/bin/python3", "-c", LAUNCHER, "--user-prefs", os.path.join(os.environ["HOME"], "orca"),
             "--debug-file", os.ttyname(slave)],
            stdin=subprocess.DEVNULL, stdout=slave, stderr=slave)
        os.close(slave)
        self.reader = threading.Thread(target=self._read, args=(master,), daemon=True)
        self.reader.start()

    def _read(self, master):
        pending = b""
        while True:
            try:
                data = os.read(master, 65536)
            except OSError:
                break
            if not data:
                break
            pending += data
            *complete, pending = pending.split(b"\n")
            with self.lock:
                for raw in complete:
                    line = raw.rstrip(b"\r").decode("utf-8", "replace")
                    self.lines.append(line)
                    self.log.write(line + "\n")
                self.log.flush()

    def spoken(self, start=0):
        """The texts Orca spoke from log line start on."""
        with self.lock:
            return [m.group(1) for m in map(SPOKEN.search, self.lines[start:]) if m]

    def mark(self):
        with self.lock:
            return len(self.lines)

    def end(self):
        if self.process.poll() is None:
            os.kill(self.process.pid, signal.SIGKILL)
        self.process.wait()
        self.log.close()


class Session:
    def __init__(self, orca, seconds, transcript):
        self.orca = orca
        self.seconds = seconds
        self.transcript = transcript

    def wait_spoken(self, start, check, what):
        """Waits until check(texts spoken since start) holds."""
        deadline = time.monotonic() + self.seconds
        while time.monotonic() < deadline:
            if check(self.orca.spoken(start)):
                return
            time.sleep(0.05)
        raise Failed(f"{what}; Orca spoke: {self.orca.spoken(start)}")

    def key(self, key, expected, first_cell=None, unsaid=None):
        """Presses key and waits until Orca speaks a line that starts with
        expected (a regular expression; Orca may end a text with a full
        stop, which a pattern ending in \\.?$ allows); first_cell: the first
        cell Orca names after the key must be this one (so a whole row read
        from its first cell fails); unsaid: a word no text may hold."""
        start = self.orca.mark()
        subprocess.run(["xdotool", "key", "--clearmodifiers", key], check=True, timeout=10)
        pattern = re.compile(expected)
        self.wait_spoken(start, lambda texts: any(pattern.match(t) for t in texts),
                         f"after {key}, Orca does not say {expected!r}")
        texts = self.orca.spoken(start)
        self.transcript.write(f"{key}\t{' | '.join(texts)}\n")
        self.transcript.flush()
        if first_cell:
            cells = [t for t in texts if CELL.match(t)]
            if not cells or not cells[0].startswith(first_cell):
                raise Failed(f"after {key}, Orca names the cells {cells}, {first_cell} first expected")
        if unsaid and any(unsaid in t for t in texts):
            raise Failed(f"after {key}, Orca says {unsaid!r}: {texts}")
        return texts

    def type(self, text):
        """Types text into the window that has the keyboard (a file dialog's
        name field)."""
        subprocess.run(["xdotool", "type", "--delay", "20", text], check=True, timeout=30)
        self.transcript.write(f"(typed {text})\n")


# A puzzle whose one step fills D2 with 9: row 2 holds 1 to 5, column D 6 to
# 8, all of them givens; nothing else is a single.
START_GIVENS = {(1, 2): 1, (2, 2): 2, (3, 2): 3, (5, 2): 4, (6, 2): 5, (4, 5): 6, (4, 7): 7, (4, 8): 8}

# Another puzzle, README's sample of 24 givens, in the compact form of
# Debian's game "sudoku".
SECOND_PUZZLE = ("% Zweites R\u00e4tsel\n..68...2.\n.5...47..\n..2....1.\n3..5....9\n82.......\n"
                 ".6..3...8\n...4.369.\n5........\n.19..5...\n")


def board_bytes(cells):
    """The .sdk bytes of a board: {(col, row): (digit, locked)}."""
    data = bytearray(4000)
    for (col, row), (digit, locked) in cells.items():
        fields = [0] * 10
        fields[digit - 1] = 1
        fields[9] = 1 if locked else 0
        struct.pack_into("<10i", data, (10 * col + row) * 40, *fields)
    return bytes(data)


def write_puzzles():
    with open("start.sdk", "wb") as f:
        f.write(board_bytes({cell: (digit, True) for cell, digit in START_GIVENS.items()}))
    with open("zweites.sdk", "w", encoding="utf-8") as f:
        f.write(SECOND_PUZZLE)


# Its first step is a hidden single: in box 6 the 3 fits G5 only.
HINT_PUZZLE = "2.......5.9.1.2.3...1.9.7...3..1..6....5.8....1..3..7..2.7.9.5..........5.4...2.3"


def play(session):
    # Moving: the first press selects A1; Up and Down name the cell reached,
    # not its row.
    session.key("Right", r"A1: leer", first_cell="A1")
    session.key("Down", r"A2: 1, vorgegeben", first_cell="A2")
    # A key refused on a locked cell is said.
    session.key("5", r"A2 ist vorgegeben")
    session.key("End", r"I2: leer", first_cell="I2")
    session.key("Left", r"H2: leer", first_cell="H2")
    session.key("Up", r"H1: leer", first_cell="H1")
    session.key("Down", r"H2: leer", first_cell="H2")
    session.key("Left", r"G2: leer", first_cell="G2")
    # The error check without a conflict.
    session.key("ctrl+f", r"Kein Fehler gefunden")
    # Digits and S: each change is said.
    session.key("1", r"G2: 1\.?$")
    session.key("3", r"G2: Kandidaten 1, 3\.?$")
    session.key("3", r"G2: 1\.?$")
    session.key("s", r"G2: 1, vorgegeben\.?$")
    session.key("s", r"G2: 1\.?$")
    # The error check with a conflict (G2 and the given A2 both hold 1).
    session.key("ctrl+f", r"Fehler in G2")
    # Orca's "where am I" reads the error in the cell's name, and a key that
    # ends the error display no longer does.
    session.key("KP_Enter", r"G2: 1, Fehler")
    session.key("Delete", r"G2: leer\.?$", unsaid="Fehler")
    session.key("1", r"G2: 1\.?$", unsaid="Fehler")
    # One step, then undo and redo.
    session.key("ctrl+e", r"(.*! )?D2: 9\.?$")
    session.key("ctrl+z", r"R\u00fcckg\u00e4ngig\. D2: leer\.?$")
    session.key("ctrl+shift+z", r"Wiederhergestellt\. D2: 9\.?$")
    # The buttons tell their keys, a menu opened from the keyboard its first
    # item; with a button focused, a move gives the board the keyboard back.
    session.key("Tab", r"\u00d6ffnen Druckknopf Strg\+O")
    session.key("Tab", r"Speichern oder Drucken Druckknopf")
    session.key("space", r"Speichern Strg\+S")
    session.key("Escape", r"Escape")
    session.key("Right", r"H2: leer", first_cell="H2")
    # A puzzle created through the dialog: its question and its slider by
    # ear, the lowest difficulty, then the new board.
    session.key("ctrl+n", r"Schwierigkeit 35, Stufe: Mittel")
    spoken = session.orca.spoken()
    if not any(t.startswith("Wollen sie wirklich fortfahren") for t in spoken):
        raise Failed("the dialog's question is not said")
    session.key("Left", r"Schwierigkeit 34, Stufe: Mittel")
    session.key("Home", r"Schwierigkeit 10, Stufe: Leicht")
    session.key("Return", r"(.*! )?\d+ Felder ge\u00e4ndert; 71 von 81 gef\u00fcllt\.?$")
    session.key("ctrl+z", r"R\u00fcckg\u00e4ngig\. \d+ Felder ge\u00e4ndert; 10 von 81 gef\u00fcllt\.?$")
    # The hint: a puzzle pasted whose first step is the 3 in G5, box 6. The
    # first press names the technique and where, the second says the step
    # in full; then the check against the solution, all right and with a
    # wrong digit planted in C4.
    subprocess.run(["xclip", "-selection", "clipboard", "-in"], input=HINT_PUZZLE.encode(), check=True, timeout=10)
    session.key("ctrl+v", r"(.*! )?\d+ Felder ge\u00e4ndert; 25 von 81 gef\u00fcllt\.?$")
    session.key("h", r"Versteckter Einer in Block 6\.?$")
    session.key("h", r"Versteckter Einer: In Block 6 kann die 3 nur in G5 stehen\.?$")
    session.key("ctrl+shift+f", r"Das R\u00e4tsel hat genau eine L\u00f6sung\. Alle Eintr\u00e4ge passen\.?$")
    for key in ("Left", "Left", "Left", "Left"):
        session.key(key, r"[A-I][1-9]: ")
    session.key("Up", r"C4: leer", first_cell="C4")
    session.key("2", r"C4: 2\.?$")
    session.key("ctrl+shift+f", r"C4 passt nicht zur L\u00f6sung\.?$")
    files(session)
    print_preview(session)


def files(session):
    """A paste that is no puzzle, a save and an open, each said."""
    subprocess.run(["xclip", "-selection", "clipboard", "-in"], input=b"Einkaufsliste: Brot, Milch", check=True,
                   timeout=10)
    session.key("ctrl+v", r"Kein R\u00e4tsel erkannt\.?$")
    session.key("ctrl+s", r"Dateiname")
    session.type("gespeichert")
    session.key("Return", r"Gespeichert: gespeichert\.sdk\.?$")
    # The board as the session left it, the paste that was no puzzle
    # changing nothing: the hint's puzzle and the 2 in C4.
    cells = {(i % 9 + 1, i // 9 + 1): (int(c), True) for i, c in enumerate(HINT_PUZZLE) if c != "."}
    cells[(3, 4)] = (2, False)
    with open("gespeichert.sdk", "rb") as f:
        if f.read() != board_bytes(cells):
            raise Failed("gespeichert.sdk does not hold the board the session made")
    session.key("ctrl+o", r"Dateiname")
    session.type("zweites.sdk")
    session.key("Return", r"zweites\.sdk: 24 von 81 gef\u00fcllt\.?$")


def print_preview(session):
    """The print selection, every slot said on the first pass, a file chosen
    for the first, and the preview: its page has the keyboard and is named
    by its puzzles."""
    session.key("ctrl+p", r"R\u00e4tsel 1: leer")
    session.key("Tab", r"R\u00e4tsel 1 w\u00e4hlen")
    for slot in range(2, 7):
        session.key("Tab", rf"R\u00e4tsel {slot}: leer")
        session.key("Tab", rf"R\u00e4tsel {slot} w\u00e4hlen")
    session.key("Tab", r"Seite ansehen und drucken Druckknopf Eingabe")
    session.key("Tab", r"Abbrechen Druckknopf Esc")
    session.key("Tab", r"R\u00e4tsel 1: leer")
    session.key("Tab", r"R\u00e4tsel 1 w\u00e4hlen")
    session.key("space", r"Dateiname")
    session.type("zweites.sdk")
    session.key("Return", r"R\u00e4tsel 1: zweites\.sdk\.?$")
    session.key("Tab", r"R\u00e4tsel 2: leer")
    session.key("Return", r"Druckseite mit 1 R\u00e4tsel: zweites\.sdk")
    session.key("Tab", r"Seite drucken Druckknopf Eingabe")
    session.key("Escape", r"Soll das Bild trotzdem gespeichert werden")
    session.key("alt+n", r"C4: leer")


def main(program, folder, seconds):
    os.chdir(folder)
    write_puzzles()
    orca = Orca(os.path.join(folder, "orca.log"))
    program_process = None
    try:
        with open("spoken.txt", "w", encoding="utf-8") as transcript:
            session = Session(orca, seconds, transcript)
            session.wait_spoken(0, lambda texts: "Bildschirmleser an." in texts, "Orca does not start")
            start = orca.mark()
            program_process = subprocess.Popen([program, "start.sdk"], stdout=open("program.log", "w"),
                                               stderr=subprocess.STDOUT)
            # The puzzle opened at the start and how full it is, the board
            # and its main keys.
            for text in ("start.sdk: 8 von 81 gef\u00fcllt.", "Tabelle mit 9 Zeilen 9 Spalten.",
                         "Pfeiltasten: Feld w\u00e4hlen."):
                session.wait_spoken(start, lambda texts: any(t.startswith(text) for t in texts),
                                    f"Orca does not say {text!r} at the start")
            play(session)
            if not any("SPEECH DISPATCHER: Speaking" in line for line in orca.lines):
                raise Failed("Orca spoke nothing through speech-dispatcher")
            subprocess.run(["xdotool", "key", "--clearmodifiers", "ctrl+q"], check=True, timeout=10)
            program_process.wait(timeout=seconds)
    finally:
        if program_process and program_process.poll() is None:
            program_process.kill()
            program_process.wait()
        orca.end()


if __name__ == "__main__":
    try:
        main(sys.argv[1], sys.argv[2], float(sys.argv[3]))
    except (Failed, subprocess.SubprocessError) as failure:
        print(failure)
        sys.exit(1)
