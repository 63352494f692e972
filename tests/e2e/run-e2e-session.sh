#!/bin/bash
# The program ended from outside, as a desktop session ends it: by a signal
# while idle, inside a dialog or with a pop-up menu open, and by the X server
# going away. Each run starts with a Data.prefs naming the cell editor's
# position and a remembered puzzle, moves the cell editor, and ends the
# program; it must be gone within a second, not by a signal, with the eight
# lines of Data.prefs holding the new position.
#
# Usage: run-e2e-session.sh PROGRAM ARTIFACT-DIR

set -u -o pipefail

if [ $# -ne 2 ]; then
  echo "usage: $0 PROGRAM ARTIFACT-DIR" >&2
  exit 2
fi
program=$(realpath "$1")
artifacts=$(realpath -m "$2")
here=$(realpath "$(dirname "$0")")
support="$here/e2e_support.py"

source "$here/e2e_lib.sh"

# Without a window manager the main window (380 x 340) stands centred on the
# 1024 x 768 screen with its client area at (322, 214).
main_x=322
main_y=214
start_x=100
start_y=120

# The program's windows by title; the cell editor is the one that is not the
# main window.
named() { timeout 5 xdotool search --onlyvisible --name "$1" >/dev/null; }
editor_window() { shown_windows | grep -vx "$(timeout 5 xdotool search --onlyvisible --name '^Tolva Sudoku$')"; }

# start_program NAME: an X server and the program on it, the cell editor
# moved to (moved_x, moved_y), and the program known to have seen the move.
start_program() {
  run=$1
  step "$run: starting"
  start_x_server
  printf '%s\r\n' "FensterX = $start_x" "FensterY = $start_y" "Ort = $work/start.sdk" "Schwierigkeit = 40" \
    >"$work/Data.prefs"
  "$program" >"$work/$run.log" 2>&1 &
  program_pid=$!
  wait_for 10 "$run: the main window appears" named '^Tolva Sudoku$'
  wait_for 5 "$run: the cell editor appears" editor_window
  editor=$(editor_window)
  [ "$(position "$editor")" = "$start_x $start_y" ] || fail "$run: the cell editor is not at the stored position"

  moved_x=$((start_x + 37 + RANDOM % 100))
  moved_y=$((start_y + 53 + RANDOM % 100))
  timeout 5 xdotool windowmove --sync "$editor" "$moved_x" "$moved_y" || fail "$run: cannot move the cell editor"
  # A click after the move: once the program has handled it (the cell
  # editor's title names cell B3), it has seen the move, too.
  click $((main_x + 33 * 2 + 16)) $((main_y + 33 * 3 + 16))
  wait_for 5 "$run: the cell editor's title reads \"Feld B3\"" title_is "$editor" "Feld B3"
}

# ends_within_a_second: the program must be gone within a second; its status
# is left in `status`.
ends_within_a_second() {
  local begin=$(date +%s%N) elapsed
  while kill -0 "$program_pid" 2>/dev/null; do
    elapsed=$((($(date +%s%N) - begin) / 1000000))
    [ "$elapsed" -lt 1000 ] || fail "$run: the program is still running ${elapsed} ms after the end began"
    sleep 0.02
  done
  wait "$program_pid"
  status=$?
  program_pid=
  step "$run: ended with status $status after $((($(date +%s%N) - begin) / 1000000)) ms"
  [ "$status" -lt 128 ] || fail "$run: the program died of signal $((status - 128))"
}

# prefs_hold PATH DIFFICULTY: the eight lines of Data.prefs with the moved
# cell editor's position.
prefs_hold() {
  local expected rest first_line
  expected=$(printf '%s\r\n' "; the position of the window:" "FensterX = $moved_x" "FensterY = $moved_y" \
    "; the last project the user wrote" "Ort = $1" \
    "; the difficulty of the sudoku if you want to create one" "Schwierigkeit = $2" | od -An -c)
  first_line=$(head -n 1 "$work/Data.prefs")
  [[ "$first_line" == "; "?*$'\r' ]] || fail "$run: Data.prefs does not begin with a credit comment: $first_line"
  rest=$(tail -n +2 "$work/Data.prefs" | od -An -c)
  [ "$rest" = "$expected" ] || fail "$run: Data.prefs after the credit line is"$'\n'"$rest"$'\n'"expected"$'\n'"$expected"
  [ "$(wc -l <"$work/Data.prefs")" -eq 8 ] || fail "$run: Data.prefs does not hold exactly eight lines"
  ! ls "$work"/Data.prefs.* >/dev/null 2>&1 || fail "$run: a temporary file of Data.prefs was left behind"
}

stop_x_server() {
  kill "$xvfb_pid" 2>/dev/null
  wait "$xvfb_pid" 2>/dev/null
  xvfb_pid=
}

program_environment
python3 "$support" write-puzzle "$work/start.sdk"
cd "$work" || fail "no scratch folder"

# ------------------------------------------------------------------ a. SIGTERM

start_program sigterm
kill -TERM "$program_pid"
ends_within_a_second
[ "$status" -eq 0 ] || fail "sigterm: the program exited with status $status, not 0"
prefs_hold "$work/start.sdk" 40
stop_x_server

# ------------------------------------------------------------------ b. the X server ends

start_program display-lost
kill -TERM "$xvfb_pid"
ends_within_a_second
prefs_hold "$work/start.sdk" 40
[ "$(wc -l <"$work/display-lost.log")" -le 1 ] || fail "display-lost: more than one line on stderr:"$'\n'"$(cat "$work/display-lost.log")"
wait "$xvfb_pid" 2>/dev/null
xvfb_pid=

# ------------------------------------------------------------------ c. SIGTERM in the difficulty dialog

start_program sigterm-dialog
click $((main_x + 360)) $((main_y + 120))
wait_for 5 "sigterm-dialog: the difficulty dialog opens" named '^Einstellungen$'
kill -TERM "$program_pid"
ends_within_a_second
[ "$status" -eq 0 ] || fail "sigterm-dialog: the program exited with status $status, not 0"
# Ended as by its close box: the slider's start position (40 - 10) plus 10.
prefs_hold "$work/start.sdk" 40
stop_x_server

# ------------------------------------------------------------------ d. SIGINT in the open dialog

start_program sigint-file-dialog
click $((main_x + 360)) $((main_y + 20))
wait_for 5 "sigint-file-dialog: the open dialog opens" named $'^\xc3\x96ffnen$'
kill -INT "$program_pid"
ends_within_a_second
[ "$status" -eq 0 ] || fail "sigint-file-dialog: the program exited with status $status, not 0"
# Ended as cancelled, which forgets the remembered puzzle.
prefs_hold "" 40
stop_x_server

# ------------------------------------------------------------------ e. SIGHUP with a pop-up menu open

start_program sighup-menu
click $((main_x + 360)) $((main_y + 160))
wait_for 5 "sighup-menu: the solve menu opens" test "$(shown_windows | wc -l)" -eq 3
kill -HUP "$program_pid"
ends_within_a_second
[ "$status" -eq 0 ] || fail "sighup-menu: the program exited with status $status, not 0"
prefs_hold "$work/start.sdk" 40
stop_x_server

step "passed"
