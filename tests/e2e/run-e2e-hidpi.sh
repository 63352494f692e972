#!/bin/bash
# The program on a screen of twice the density (QT_SCALE_FACTOR=2), on an X
# server of its own: the board's lines and boxes must cover whole squares of
# device pixels with nothing blended, the icons show only their own colours,
# and a large digit and a label must be the strokes the font draws at twice
# the density, not the plain-density strokes doubled.
#
# Usage: run-e2e-hidpi.sh PROGRAM SEND-CLOSE-REQUEST RENDER-TEXT ARTIFACT-DIR
# The screenshot and the program's output are left in ARTIFACT-DIR.

set -u -o pipefail

if [ $# -ne 4 ]; then
  echo "usage: $0 PROGRAM SEND-CLOSE-REQUEST RENDER-TEXT ARTIFACT-DIR" >&2
  exit 2
fi
program=$(realpath "$1")
send_close_request=$(realpath "$2")
render_text=$(realpath "$3")
artifacts=$(realpath -m "$4")
here=$(realpath "$(dirname "$0")")
support="$here/hidpi_support.py"

source "$here/e2e_lib.sh"

# board_drawn: the digits are on the board; the screenshot is kept as board.ppm.
board_drawn() {
  local shot
  shot=$(screenshot board) && python3 "$support" check-board "$shot" "$main_x" "$main_y"
}

step "starting an X server"
start_x_server 1600x1200x24
program_environment
export QT_SCALE_FACTOR=2

python3 "$support" write-puzzle "$work/start.sdk"
printf '%s\r\n' "FensterX = 10" "FensterY = 10" "Ort = $work/start.sdk" "Schwierigkeit = 35" >"$work/Data.prefs"

step "starting the program at twice the density"
cd "$work" || fail "no scratch folder"
"$program" >"$work/program.log" 2>&1 &
program_pid=$!
wait_for 10 "the main window \"Tolva Sudoku\" appears" \
  timeout 5 xdotool search --onlyvisible --name '^Tolva Sudoku$'
main_window=$(timeout 5 xdotool search --onlyvisible --name '^Tolva Sudoku$' | head -n 1)
read -r main_x main_y <<<"$(position "$main_window")"
size=$(timeout 5 xdotool getwindowgeometry "$main_window" | awk '/Geometry:/ { print $2 }')
[ "$size" = "760x680" ] || fail "the main window is $size device pixels, not 760x680 (380 x 340 at twice the density)"
move_pointer 1590 1190

step "1. the board: lines and boxes on whole squares of device pixels, nothing blended"
wait_for 10 "the board shows crisp lines and the two cells' digits" board_drawn
shot="$work/board.ppm"

step "2. the icons: only their own colours"
python3 "$support" check-icons "$shot" "$main_x" "$main_y" || fail "the icons are not crisp"

step "3. a large digit and a label: the font's strokes at twice the density"
"$render_text" "$work/digit-2x.ppm" 30 8 2 && "$render_text" "$work/digit-1x.ppm" 30 8 1 &&
  "$render_text" "$work/label-2x.ppm" bold E 2 && "$render_text" "$work/label-1x.ppm" bold E 1 ||
  fail "cannot draw the reference texts"
# E5's digit at window (26 + 33 x 4, 17 + 33 x 4), the label "E" at (32 + 33 x 4, 5).
python3 "$support" check-text "$shot" "$main_x" "$main_y" 158 149 0,153,0 "$work/digit-2x.ppm" "$work/digit-1x.ppm" ||
  fail "the large digit is not the font's own at twice the density"
python3 "$support" check-text "$shot" "$main_x" "$main_y" 164 5 0,0,0 "$work/label-2x.ppm" "$work/label-1x.ppm" ||
  fail "the label is not the font's own at twice the density"
convert "$shot" -crop "760x680+$main_x+$main_y" +repage "$artifacts/window-2x.png"

step "4. a close request ends the program"
"$send_close_request" "Tolva Sudoku" || fail "the close request could not be sent"
wait_for 10 "the program ends after the close request" not kill -0 "$program_pid"
wait "$program_pid"
status=$?
program_pid=
[ "$status" -eq 0 ] || fail "the program exited with status $status"

step "passed"
