#!/bin/bash
# The program started without a display: from a text console (no DISPLAY and
# no WAYLAND_DISPLAY), with X11 chosen but no DISPLAY, and with a DISPLAY no
# X server answers. Each time it ends with status 1, not by a signal, and
# says why in a line of its own; it writes no Data.prefs.
#
# Usage: run-e2e-no-display.sh PROGRAM ARTIFACT-DIR

set -u -o pipefail

if [ $# -ne 2 ]; then
  echo "usage: $0 PROGRAM ARTIFACT-DIR" >&2
  exit 2
fi
program=$(realpath "$1")
artifacts=$(realpath -m "$2")
here=$(realpath "$(dirname "$0")")

source "$here/e2e_lib.sh"

program_environment
cd "$work" || fail "no scratch folder"

# run_without NAME ENV-ARGUMENTS...: runs the program under `env` with the
# given changes; leaves its status in `status` and its output in NAME.log.
run_without() {
  local name=$1
  shift
  step "$name"
  timeout "$(scaled 20)" env "$@" "$program" >"$work/$name.log" 2>&1
  status=$?
  [ "$status" -lt 124 ] || fail "$name: the program ended with status $status (a signal or the time limit):"$'\n'"$(cat "$work/$name.log")"
  [ "$status" -eq 1 ] || fail "$name: the program exited with status $status, not 1"
  [ ! -e "$work/Data.prefs" ] || fail "$name: the program wrote Data.prefs"
}

# The line names the missing variables.
last_line_says() { tail -n 1 "$work/$1.log" | grep -q "$2" || fail "$1: the last line does not say \"$2\":"$'\n'"$(cat "$work/$1.log")"; }

run_without console -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM
[ "$(wc -l <"$work/console.log")" -eq 1 ] || fail "console: not exactly one line:"$'\n'"$(cat "$work/console.log")"
last_line_says console "^tolva-sudoku: .*grafische Oberfl.*weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt"

run_without x11-chosen -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb
[ "$(wc -l <"$work/x11-chosen.log")" -eq 1 ] || fail "x11-chosen: not exactly one line:"$'\n'"$(cat "$work/x11-chosen.log")"
last_line_says x11-chosen "^tolva-sudoku: .*DISPLAY ist nicht gesetzt"

# A display number no server has: Qt's own words come first, then the
# program's line instead of an abort.
for display in $(seq 199 -1 150); do
  [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ] || break
done
run_without unreachable -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=":$display"
last_line_says unreachable "^tolva-sudoku: .*nicht erreichbar (DISPLAY=:$display, WAYLAND_DISPLAY=)"

step "passed"
