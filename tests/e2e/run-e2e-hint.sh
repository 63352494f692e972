#!/bin/bash
# The hint and its neighbours from the keyboard, under openbox, on a puzzle
# whose first step is a hidden single off the diagonal (the 3 in G5, box 6):
# H three times, with the status line's text after each (read through
# AT-SPI, as the program names its status bar), the cell editor on G5 after
# the second, the board after the third with G5 alone changed, and Ctrl+Z
# taking exactly that step back; K, then Ctrl+Z; a wrong digit planted in C4
# (one no other cell forbids) and Ctrl+Shift+F: its text, and C4 painted red on screen.
#
# Usage: run-e2e-hint.sh PROGRAM ARTIFACT-DIR
# Runs itself on a session bus of its own (dbus-run-session).

set -u -o pipefail

source "$(dirname "$0")/e2e_own_bus.sh"
hint="/usr/bin/python3 $here/hint_support.py"

one_more_window() { [ "$(shown_windows | grep -cvx "$main_window")" -eq 1 ]; }
active_is() { [ "$(timeout 5 xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
status_is() { local text; text=$($hint status) && [ "$text" = "$1" ] || { echo "the status line reads: $text"; return 1; }; }
cells() { $hint cells >"$work/$1.txt"; }
cell_is() { grep -qx "$1" <(timeout 10 $hint cells); }
# changed A B: the cell names that differ between two listings.
changed() { diff "$work/$1.txt" "$work/$2.txt" | sed -n 's/^> //p' | tr '\n' ';'; }
same_cells() { cells "$2" && diff -q "$work/$1.txt" "$work/$2.txt" >/dev/null; }

# press KEY...: the keys, into the main window once it has the keyboard (a
# click on its margin left of the row labels, which no gadget covers).
press() {
  click $((main_x + 3)) $((main_y + 5))
  wait_for 5 "the main window has the keyboard" active_is "$main_window"
  timeout 5 xdotool key --delay 30 "$@" || fail "cannot press $*"
}

# red_shows CELL: the error display paints its cell red once in 21 passes of
# the loop and leaves it until the board is drawn again; moves of the pointer
# within one square of the window run passes without a redraw.
red_shows() {
  local i moves=()
  for ((i = 0; i < 25; i++)); do moves+=(mousemove $((main_x + 3 + i % 2)) $((main_y + 3))); done
  timeout 10 xdotool "${moves[@]}" || fail "cannot move the pointer"
  local shot
  shot=$(screenshot "red-$1") && $hint red "$shot" "$main_x" "$main_y" "$1"
}

step "starting an X server and openbox on a session bus of the run's own"
[ -x /usr/libexec/at-spi-bus-launcher ] || fail "at-spi2-core is not installed"
/usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0")' || fail "python3-gi or gir1.2-atspi-2.0 is missing"
start_x_server
program_environment
start_window_manager
cd "$work" || fail "no scratch folder"
printf '%s\r\n' "FensterX = 185" "FensterY = 203" "Ort = " "Schwierigkeit = 35" >"$work/Data.prefs"
echo "2.......5.9.1.2.3...1.9.7...3..1..6....5.8....1..3..7..2.7.9.5..........5.4...2.3" >"$work/hint.sdk"

step "starting the program on the puzzle, its accessibility on"
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" hint.sdk >"$work/program.log" 2>&1 &
program_pid=$!
wait_for 10 "the main window \"Tolva Sudoku\" appears" timeout 5 xdotool search --onlyvisible --name '^Tolva Sudoku$'
main_window=$(timeout 5 xdotool search --onlyvisible --name '^Tolva Sudoku$' | head -n 1)
wait_for 5 "openbox frames the main window" framed "$main_window"
read -r main_x main_y <<<"$(position "$main_window")"
wait_for 5 "the cell editor window appears" one_more_window
editor_window=$(shown_windows | grep -vx "$main_window")
wait_for 10 "the program is on the accessibility bus" $hint status
cells start

step "H: the technique and where to look"
press h
wait_for 10 "the first press shows the technique" status_is "Versteckter Einer in Block 6."
cells first
[ -z "$(changed start first)" ] || fail "the first press changed $(changed start first)"

step "H again: the whole step, the selection on its cell"
press h
wait_for 10 "the second press shows the step" status_is "In Block 6 kann die 3 nur in G5 stehen."
wait_for 5 "the cell editor shows G5" title_is "$editor_window" "Feld G5"

step "H a third time: the step made, G5 and no other cell"
press h
wait_for 10 "G5 holds the 3" cell_is "G5: 3"
cells third
[ "$(changed start third)" = "G5: 3;" ] || fail "the third press changed $(changed start third)"

step "Ctrl+Z takes exactly that step back"
press ctrl+z
wait_for 10 "the board is as before the hint" same_cells start undone

step "K gives the empty cells their candidates; Ctrl+Z takes them back"
press k
wait_for 10 "the candidates are counted" status_is "Kandidaten in 56 Feldern eingetragen."
cells marked
[ "$(changed start marked | tr ';' '\n' | grep -c ': Kandidaten ')" -eq 56 ] ||
  fail "not the 56 empty cells with candidates: $(changed start marked)"
grep -qx "G5: Kandidaten 1, 3, 4, 9" "$work/marked.txt" || fail "G5 does not hold its allowed digits 1, 3, 4 and 9"
press ctrl+z
wait_for 10 "the board is as before the candidates" same_cells start unmarked

step "a wrong digit in C4 that clashes with nothing, and Ctrl+Shift+F: its text, and C4 red"
press Left Left Left Left Up 2
wait_for 10 "C4 holds the planted 2" cell_is "C4: 2"
press ctrl+shift+f
wait_for 10 "the check names C4" status_is "C4 passt nicht zur Lösung."
wait_for 10 "C4 blinks red" red_shows C4

kill "$program_pid"
wait "$program_pid" 2>/dev/null
program_pid=
step "passed"
