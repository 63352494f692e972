#!/bin/bash
# The program ended from outside, as a desktop session ends it: by a signal
# while idle, inside a dialog or with a pop-up menu open, and by the X server
# going away (started without a runtime folder, whose own one must go too),
# and by a session manager's logout. Each run starts with a Data.prefs naming the cell editor's
# position and a remembered puzzle, moves the cell editor, and ends the
# program; it must be gone within a second, not by a signal, with the eight
# lines of Data.prefs holding the new position.
#
# Usage: run-e2e-session.sh PROGRAM LOGOUT-SESSION ARTIFACT-DIR

set -u -o pipefail

if [ $# -ne 3 ]; then
  echo "usage: $0 PROGRAM LOGOUT-SESSION ARTIFACT-DIR" >&2
  exit 2
fi
program=$(realpath "$1")
logout_session=$(realpath "$2")
artifacts=$(realpath -m "$3")
here=$(realpath "$(dirname "$0")")
support="$here/e2e_support.py"

source "$here/e2e_lib.sh"
source "$here/e2e_ending.sh"

program_environment
python3 "$support" write-puzzle "$work/start.sdk"
cd "$work" || fail "no scratch folder"

# ------------------------------------------------------------------ a. SIGTERM

start_x_server
start_program sigterm
kill -TERM "$program_pid"
ends_within_a_second
[ "$status" -eq 0 ] || fail "sigterm: the program exited with status $status, not 0"
prefs_hold "$work/start.sdk" 40
stop_x_server

# ------------------------------------------------------------------ b. the X server ends

# Started as from a shell without a runtime folder: the program makes one of
# its own, which goes with it. One that a killed run left (its process gone)
# goes at the start; a running one's stays.
mkdir -p "$work/tmp"
sleep 0 &
gone_pid=$!
wait "$gone_pid"
mkdir -m 700 "$work/tmp/tolva-sudoku-runtime-$gone_pid.Stale1" "$work/tmp/tolva-sudoku-runtime-$$.Alive1"
start_x_server
launcher=(env -u XDG_RUNTIME_DIR TMPDIR="$work/tmp")
start_program display-lost
launcher=()
kill -TERM "$xvfb_pid"
ends_within_a_second
[ "$status" -eq 1 ] || fail "display-lost: the program exited with status $status, not 1 as after a lost display"
prefs_hold "$work/start.sdk" 40
[ "$(wc -l <"$work/display-lost.log")" -le 1 ] || fail "display-lost: more than one line on stderr:"$'\n'"$(cat "$work/display-lost.log")"
left=$(ls -A "$work/tmp")
[ "$left" = "tolva-sudoku-runtime-$$.Alive1" ] || fail "display-lost: the temporary folder holds"$'\n'"$left"
wait "$xvfb_pid" 2>/dev/null
xvfb_pid=

# ------------------------------------------------------------------ c. SIGTERM in the difficulty dialog

start_x_server
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

start_x_server
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

start_x_server
start_program sighup-menu
click $((main_x + 360)) $((main_y + 160))
wait_for 5 "sighup-menu: the solve menu opens" more_than_two_shown
kill -HUP "$program_pid"
ends_within_a_second
[ "$status" -eq 0 ] || fail "sighup-menu: the program exited with status $status, not 0"
prefs_hold "$work/start.sdk" 40
stop_x_server

# ------------------------------------------------------------------ f. a session manager's logout

# The session manager starts the program and saves the session once at the
# start; the program goes on. At the logout it asks for a save for the
# shutdown and then tells the program to die.
start_x_server
launcher=("$logout_session")
start_program logout
launcher=()
wait_for 5 "logout: the session manager saved a checkpoint" grep -q "checkpoint saved" "$work/logout.log"
kill -0 "$program_pid" 2>/dev/null || fail "logout: the program ended at a checkpoint"
kill -USR1 "$program_pid"
ends_within_a_second
[ "$status" -eq 0 ] || fail "logout: the program exited with status $status, not 0:"$'\n'"$(cat "$work/logout.log")"
grep -q "die sent" "$work/logout.log" || fail "logout: the program ended before it was told to die"
prefs_hold "$work/start.sdk" 40
stop_x_server

step "passed"
