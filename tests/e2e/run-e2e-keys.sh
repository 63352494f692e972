#!/bin/bash
# The program used from the keyboard, and every change taken back, on an X
# server of its own under openbox:
#   A. cells edited and moved with keys (Super+S among them locks
#      nothing), and the focus cue that only keys bring; Space on a focused box of the cell editor; a burst of clicks on
#      one box with the pointer moving between them; saved through the menu;
#   B. a puzzle opened, a cell edited, the board cleared and solved, each step
#      undone and redone, every board compared byte for byte with one saved
#      through the menu; the program ended with the board it had before the
#      solve;
#   C. the program started again: it shows the remembered puzzle, and undo
#      brings back the board it was left with, then the board before it;
#   D. the clipboard: text that is no puzzle pasted with Ctrl+V changes
#      nothing but the status line, which shows below the board in the credit
#      line's place ("Kein Rätsel erkannt", which the Orca run hears) until a
#      puzzle is pasted, whose line gives the board that opening it gives,
#      Ctrl+C gives the line back, Ctrl+Z takes the paste back;
#   E. a page printed with one slot naming a text puzzle (a framed .ss grid),
#      exported as a bitmap: the slot shows the puzzle's givens; Shift+Escape
#      in the print selection presses nothing;
#   F. the program killed (SIGKILL) after a session of steps, undos and
#      redos, and in the middle of writing a step: each next start's undo
#      steps back through every step it had completed, compared with the
#      boards saved through the menu; stale temporary files of killed writes
#      are gone at the start.
#
# Usage: run-e2e-keys.sh PROGRAM SEND-CLOSE-REQUEST PAUSE-JOURNAL-WRITE ARTIFACT-DIR
# (PAUSE-JOURNAL-WRITE: the library that stops the program midway through a
# step's record, tests/e2e/PauseJournalWrite.cpp)

set -u -o pipefail

if [ $# -ne 4 ]; then
  echo "usage: $0 PROGRAM SEND-CLOSE-REQUEST PAUSE-JOURNAL-WRITE ARTIFACT-DIR" >&2
  exit 2
fi
program=$(realpath "$1")
send_close_request=$(realpath "$2")
pause_journal_write=$(realpath "$3")
artifacts=$(realpath -m "$4")
here=$(realpath "$(dirname "$0")")
keys="$here/keys_support.py"

source "$here/e2e_lib.sh"
source "$here/e2e_windows.sh"
source "$here/e2e_program.sh"

one_more_window() { [ "$(shown_windows | grep -cvx "$main_window")" -eq 1 ]; }
active_is() { [ "$(timeout 5 xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
open_dialog_window() { search_windows --onlyvisible --name '^Öffnen$' | head -n 1; }
open_dialog() { [ -n "$(open_dialog_window)" ]; }
# line_is same|other: the line below the board shows what it showed in the
# screenshot credit-line, or something else.
line_is() {
  local shot
  shot=$(screenshot "line-$1") && python3 "$keys" check-line "$shot" "$work/credit-line.ppm" "$main_x" "$main_y" "$1"
}
cue_shows() {
  local shot
  shot=$(screenshot "cue-$1") && python3 "$keys" check-cue "$shot" "$main_x" "$main_y" "$1"
}
editor_ticked() {
  local shot
  shot=$(screenshot editor) && python3 "$support" check-ticked "$shot" "$editor_client_x" "$editor_client_y" "$1"
}
same_file() { cmp "$1" "$2" || fail "$(basename "$1") differs from $(basename "$2")"; }
# The X clipboard (the CLIPBOARD selection): xclip serves what it is given
# until another client takes the selection or the X server ends.
clipboard_set() { printf '%s' "$1" | timeout 5 xclip -selection clipboard -in >/dev/null 2>&1 || fail "cannot set the clipboard"; }
clipboard_is() { [ "$(timeout 5 xclip -selection clipboard -out 2>/dev/null)" = "$1" ]; }

# The screen point of a cell's centre, and of a digit box of the cell editor.
cell_x() { echo $((main_x + 20 + 33 * ($1 - 1) + 16)); }
cell_y() { echo $((main_y + 20 + 33 * ($1 - 1) + 16)); }
box_y() { echo $((editor_client_y + 20 * $1)); }

start_program() {
  "$program" >>"$work/program.log" 2>&1 &
  program_pid=$!
  wait_for 10 "the main window \"Tolva Sudoku\" appears" \
    timeout 5 xdotool search --onlyvisible --name '^Tolva Sudoku$'
  main_window=$(timeout 5 xdotool search --onlyvisible --name '^Tolva Sudoku$' | head -n 1)
  wait_for 5 "openbox frames the main window" framed "$main_window"
  read -r main_x main_y <<<"$(position "$main_window")"
  read -r main_outer_x main_outer_y <<<"$(outer_corner "$main_window")"
  wait_for 5 "the cell editor window appears" one_more_window
  editor_window=$(shown_windows | grep -vx "$main_window")
  wait_for 5 "openbox frames the cell editor" framed "$editor_window"
  read -r editor_client_x editor_client_y <<<"$(position "$editor_window")"
}

# press KEY...: the keys, into the main window once it has the keyboard (a
# click on its margin, left of the row labels, gives it that).
press() {
  click $((main_x + 3)) $((main_y + 335))
  wait_for 5 "the main window has the keyboard" active_is "$main_window"
  timeout 5 xdotool key --delay 30 "$@" || fail "cannot press $*"
}

# open_puzzle PATH: the open button, PATH typed into the dialog "Öffnen".
open_puzzle() {
  click $((main_x + 360)) $((main_y + 20))
  wait_for 5 "the open dialog \"Öffnen\" opens" open_dialog
  wait_for 5 "the open dialog has the keyboard focus" has_focus "$(open_dialog_window)"
  timeout 10 xdotool type --delay 10 "$1" || fail "cannot type into the open dialog"
  timeout 5 xdotool key Return || fail "cannot press Return"
  wait_for 5 "the open dialog closes" not open_dialog
}

# saved NAME: the board saved through the file menu as NAME.sdk, once written.
saved() {
  save_as "$work/$1"
  wait_for 5 "$1.sdk is written with 4000 bytes" size_is "$work/$1.sdk" 4000
}

step "starting an X server and openbox"
start_x_server
program_environment
start_window_manager
cd "$work" || fail "no scratch folder"
printf '%s\r\n' "FensterX = 185" "FensterY = 203" "Ort = " "Schwierigkeit = 35" >"$work/Data.prefs"

# ------------------------------------------------------------------ A. keys

step "A. keys edit and move the selected cell; the cue comes with the first key"
# A history file from something else is passed over: nothing to undo.
mkdir -p "$HOME/.local/state/tolva-sudoku"
{ printf 'TolvaHis\001\000\000\000\377\377\377\177'; head -c 5000 /dev/urandom; } >"$HOME/.local/state/tolva-sudoku/history"
start_program
press ctrl+z
park_pointer
wait_for 5 "no focus cue is drawn before any key" cue_shows none
click "$(cell_x 5)" "$(cell_y 5)"
wait_for 5 "a click on E5 names it in the cell editor" title_is "$editor_window" "Feld E5"
park_pointer
wait_for 5 "a click draws no focus cue" cue_shows none
# Super+S, between them, locks nothing (F5 is saved unlocked below).
timeout 5 xdotool key --delay 30 7 3 3 Right 5 super+s Down || fail "cannot press keys"
wait_for 5 "the cell editor follows the selection to \"Feld F6\"" title_is "$editor_window" "Feld F6"
park_pointer
wait_for 5 "the focus cue is drawn in F6 and nowhere else" cue_shows F6

step "Space on a focused box, then 41 rapid clicks on another with the pointer moving"
click $((editor_client_x + 17)) "$(box_y 1)"
wait_for 5 "a click ticks the box \"1\"" editor_ticked 1
timeout 5 xdotool key space || fail "cannot press Space"
box_x=$((editor_client_x + 17))
burst=()
for ((i = 0; i < 41; i++)); do burst+=(mousemove $((box_x - 1 + i % 3)) $(($(box_y 2) - 1 + i % 2)) click 1); done
timeout 20 xdotool "${burst[@]}" || fail "cannot click"
wait_for 10 "after Space on \"1\" and 41 clicks on \"2\" only \"2\" is ticked" editor_ticked 2

step "saved through the menu: E5 holds 7, F5 holds 5, F6 holds 2"
saved keys
python3 "$keys" check-cells "$work/keys.sdk" "E5=7 F5=5 F6=2" || fail "keys.sdk does not hold what the keys entered"

# ------------------------------------------------------------------ B. undo

step "B. a puzzle opened, a cell edited, the board cleared: each saved"
python3 "$support" write-puzzle "$work/start.sdk"
open_puzzle "$work/start.sdk"
park_pointer
wait_for 5 "the opened puzzle is shown" board_shows start
click "$(cell_x 2)" "$(cell_y 5)"
wait_for 5 "a click on B5 names it in the cell editor" title_is "$editor_window" "Feld B5"
click $((editor_client_x + 17)) "$(box_y "$(python3 "$support" digit 2 5)")"
saved edited
click $((main_x + 360)) $((main_y + 220))
saved cleared
head -c 4000 /dev/zero >"$work/zeros"
same_file "$work/cleared.sdk" "$work/zeros"

step "undone and redone: Ctrl+Z, Ctrl+Shift+Z"
press ctrl+z
saved undone
same_file "$work/undone.sdk" "$work/edited.sdk"
press ctrl+shift+z
saved redone
same_file "$work/redone.sdk" "$work/cleared.sdk"
press ctrl+z

step "a full solve through the menu, undone and redone with Ctrl+Z and Ctrl+Y"
open_menu 160 168
pick_item 1
park_pointer
wait_for 10 "the emptied cells show green digits" board_shows solved
saved solved
python3 "$support" check-saved "$work/solved.sdk" || fail "solved.sdk does not hold the solved puzzle"
press ctrl+z
saved unsolved
same_file "$work/unsolved.sdk" "$work/edited.sdk"
press ctrl+y
saved resolved
same_file "$work/resolved.sdk" "$work/solved.sdk"

step "the program ended with the board before the solve"
press ctrl+z
close_program
history="$HOME/.local/state/tolva-sudoku/history"
[ -s "$history" ] || fail "no history was kept in $history"
echo "history: $(stat -c %s "$history") bytes"

# ------------------------------------------------------------------ C. again

step "C. started again: the remembered puzzle, then the board left at the exit, then the one before"
start_program
park_pointer
wait_for 5 "the remembered (solved) puzzle is shown" board_shows solved
press ctrl+z
saved restored
same_file "$work/restored.sdk" "$work/edited.sdk"
press ctrl+z
saved before
same_file "$work/before.sdk" "$work/start.sdk"

# ------------------------------------------------------------------ D. clipboard

step "D. Ctrl+V: text that is no puzzle changes nothing but the status line"
click $((main_x + 360)) $((main_y + 220))  # "Leeren"
clipboard_set "Kein Rätsel: ..3.1..7."
park_pointer
screenshot credit-line >/dev/null || fail "no screenshot"
press ctrl+v
park_pointer
wait_for 5 "the status line says below the board that no puzzle was found" line_is other
saved nothing-pasted
same_file "$work/nothing-pasted.sdk" "$work/zeros"

step "Ctrl+V of the puzzle's 81-character line, Ctrl+C gives it back, Ctrl+Z takes the paste back"
line=$(python3 "$support" puzzle-line)
clipboard_set "$line"
press ctrl+v
park_pointer
wait_for 5 "the pasted puzzle is shown" board_shows start
wait_for 5 "the credit line is back below the board" line_is same
saved pasted
same_file "$work/pasted.sdk" "$work/start.sdk"
clipboard_set "something else"
press ctrl+c
wait_for 5 "Ctrl+C puts the puzzle's line on the clipboard" clipboard_is "$line"
press ctrl+z
saved unpasted
same_file "$work/unpasted.sdk" "$work/zeros"

# ------------------------------------------------------------------ E. print

step "E. a page with one slot naming a text puzzle, exported as a bitmap"
python3 "$support" write-text-puzzle "$work/anderes Programm.sdk" ss
press ctrl+p
wait_for 5 "the print selection \"Drucken...\" opens" window_titled "Drucken..."
wait_for 5 "the print selection has the keyboard focus" has_focus "$(window_titled "Drucken...")"
# Shift+Escape presses no "Abbrechen": the selection still takes the click
# after it.
timeout 5 xdotool key shift+Escape || fail "cannot press Shift+Escape"
read -r x y <<<"$(position "$(window_titled "Drucken...")")"
click $((x + 90)) $((y + 110))  # "..." of the first slot
wait_for 5 "the open dialog \"Öffnen\" opens" open_dialog
wait_for 5 "the open dialog has the keyboard focus" has_focus "$(open_dialog_window)"
timeout 10 xdotool type --delay 10 "$work/anderes Programm.sdk" || fail "cannot type into the open dialog"
timeout 5 xdotool key Return || fail "cannot press Return"
wait_for 5 "the open dialog closes" not open_dialog
wait_for 5 "the print selection has the keyboard focus again" has_focus "$(window_titled "Drucken...")"
click $((x + 50)) $((y + 210))  # "Drucken"
wait_for 10 "the preview \"Drucken\" opens" window_titled "Drucken"
wait_for 5 "the preview has the keyboard focus" has_focus "$(window_titled "Drucken")"
timeout 5 xdotool key Escape || fail "cannot press Escape"
wait_for 5 "the question \"Image\" follows" window_titled "Image"
wait_for 5 "the question has the keyboard focus" has_focus "$(window_titled "Image")"
timeout 5 xdotool key alt+j || fail "cannot answer the question"
wait_for 5 "the dialog \"Image speichern\" opens" window_titled "Image speichern"
wait_for 5 "the dialog has the keyboard focus" has_focus "$(window_titled "Image speichern")"
timeout 10 xdotool type --delay 10 "$work/seite.bmp" || fail "cannot type into the save dialog"
timeout 5 xdotool key Return || fail "cannot press Return"
wait_for 10 "seite.bmp is written (2100 x 2975, 24 bits)" size_is "$work/seite.bmp" $((54 + 2100 * 2975 * 3))
python3 "$support" check-page-slot "$work/seite.bmp" 75 46 || fail "the page's first slot does not show the text puzzle"
saved printed
same_file "$work/printed.sdk" "$work/start.sdk"
close_program

# ------------------------------------------------------------------ F. killed

state="$HOME/.local/state/tolva-sudoku"
# kill_program: SIGKILL, so that nothing is written at exit.
kill_program() {
  kill -KILL "$program_pid"
  wait "$program_pid"
  program_pid=
}
stopped() { [ "$(cut -d' ' -f3 "/proc/$1/stat")" = T ]; }
# torn_tail JOURNAL: the journal's records, walked by their lengths, end in
# part of one.
torn_tail() {
  python3 - "$1" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
at = 20
while len(data) - at >= 16 and len(data) - at - 16 >= struct.unpack_from("<I", data, at + 4)[0]:
    at += 16 + struct.unpack_from("<I", data, at + 4)[0]
sys.exit(0 if 20 < at < len(data) else 1)
PY
}
gone() { ! ls -A "$@" 2>/dev/null | grep -q .; }
# edit COL ROW DIGIT: a click on the cell, then on the digit's box.
columns=(- A B C D E F G H I)
edit() {
  click "$(cell_x "$1")" "$(cell_y "$2")"
  wait_for 5 "a click names the cell in the cell editor" title_is "$editor_window" "Feld ${columns[$1]}$2"
  click $((editor_client_x + 17)) "$(box_y "$3")"
}
# undone_to NAME: Ctrl+Z, then the board saved under a new name is NAME's.
backs=0
undone_to() {
  press ctrl+z
  backs=$((backs + 1))
  saved "$1-back$backs"
  same_file "$work/$1-back$backs.sdk" "$work/$1.sdk"
}

step "F. a session: cleared, a cell entered, a puzzle opened and solved, undone, redone, cleared, a cell entered"
# Left by killed writes of this build (24 hex digits, unlocked) and of an
# older one, two minutes ago.
stale_ours=".tolva-5eed00000000000000000001"
printf 'stale' >"$work/$stale_ours"
printf 'stale' >"$state/.tolva-5eed2"
touch -d '2 minutes ago' "$state/.tolva-5eed2"
start_program
wait_for 5 "the stale temporary files beside Data.prefs and in the state folder are gone" \
  gone "$work/$stale_ours" "$state/.tolva-5eed2"
saved k0
click $((main_x + 360)) $((main_y + 220))
saved k1
edit 7 2 3
saved k2
open_puzzle "$work/start.sdk"
saved k3
open_menu 160 168
pick_item 1
park_pointer
wait_for 10 "the emptied cells show green digits" board_shows solved
saved k4
press ctrl+z ctrl+y
click $((main_x + 360)) $((main_y + 220))
edit 3 8 6
saved k6
python3 "$keys" check-cells "$work/k6.sdk" "C8=6" || fail "k6.sdk does not hold C8=6"

step "killed; started again: undo steps back through every board of the session"
kill_program
start_program
for board in k6 k4 k3 k2 k1 k0; do
  [ "$board" = k4 ] && { press ctrl+z; saved k5-back; cmp -s "$work/k5-back.sdk" "$work/zeros" || fail "no cleared board before C8=6"; }
  undone_to "$board"
done

step "redone twice, killed again; started with the program stopped in the middle of its third record"
press ctrl+y ctrl+y
saved r2
same_file "$work/r2.sdk" "$work/k2.sdk"
kill_program
# Its first record is the start-up puzzle, its second the undo below; the
# third, the entered digit, stops it midway through writing.
LD_PRELOAD="$pause_journal_write" PAUSE_JOURNAL_AT=3 ASAN_OPTIONS="$ASAN_OPTIONS:verify_asan_link_order=0" start_program
undone_to k2
edit 5 4 8
wait_for 10 "the program stops while it writes the step" stopped "$program_pid"
kill_program
torn_tail "$state/history.journal" || fail "the journal does not end in a torn record"

step "started again: the torn step is dropped, every step before it comes back"
start_program
undone_to k2
undone_to k1
undone_to k0
close_program
[ ! -e "$state/history.journal" ] || fail "the journal is left after an exit"
gone "$state"/.tolva-* "$work"/.tolva-* || fail "temporary files are left: $(ls -A "$state" "$work")"

step "passed"
