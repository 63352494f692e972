#!/bin/bash
# The program under another window manager than openbox (xfwm4, icewm), on a
# 1280 x 1024 screen: the main window's frame centred on the work area, the
# cell editor at its stored corner, owned by the main window and above it,
# below the dialogs and the preview, offering no minimise box, minimised and
# restored with the main window; the preview filling the work area; and the
# stored corner unchanged after two runs. Prints the time from the start
# until both windows are shown.
#
# Usage: run-e2e-wm.sh WINDOW-MANAGER PROGRAM SEND-CLOSE-REQUEST WAIT-FOR-WINDOWS ARTIFACT-DIR

set -u -o pipefail

if [ $# -ne 5 ]; then
  echo "usage: $0 WINDOW-MANAGER PROGRAM SEND-CLOSE-REQUEST WAIT-FOR-WINDOWS ARTIFACT-DIR" >&2
  exit 2
fi
wm=$1
program=$(realpath "$2")
send_close_request=$(realpath "$3")
wait_for_windows=$(realpath "$4")
artifacts=$(realpath -m "$5")
here=$(realpath "$(dirname "$0")")

# The cell editor's outer corner, as stored.
editor_x=60
editor_y=80

source "$here/e2e_lib.sh"
source "$here/e2e_windows.sh"

# start_program: starts it in the scratch folder and waits until both of its
# windows are shown and framed; sets main_window and editor_window.
start_program() {
  start_timed "$work/program.log"
  echo "start-up under $wm: $start_up_ms ms until both windows are shown"
  wait_for 5 "the main window \"Tolva Sudoku\" is there" window_titled "Tolva Sudoku"
  main_window=$(window_titled "Tolva Sudoku")
  editor_window=$(shown_windows | grep -vx "$main_window" | head -n 1)
  wait_for 5 "$wm frames the main window" framed "$main_window"
  wait_for 5 "$wm frames the cell editor" framed "$editor_window"
}

stored_corner() { tr -d '\r' <"$work/Data.prefs" | sed -n 's/^Fenster[XY] = //p' | tr '\n' ' ' | sed 's/ $//'; }

# ------------------------------------------------------------------ set-up

step "starting an X server and $wm"
start_x_server 1280x1024x24
program_environment
start_window_manager "$wm"
printf '%s\r\n' "FensterX = $editor_x" "FensterY = $editor_y" "Ort = " "Schwierigkeit = 35" >"$work/Data.prefs"
cd "$work" || fail "no scratch folder"

step "the windows where they belong"
start_program
read -r area_x area_y area_w area_h <<<"$(work_area)"
read -r outer_w outer_h <<<"$(outer_size "$main_window")"
[ "$(outer_corner "$main_window")" = "$((area_x + (area_w - outer_w) / 2)) $((area_y + (area_h - outer_h) / 2))" ] ||
  fail "the main window's frame ($outer_w x $outer_h) is at ($(outer_corner "$main_window")), not centred on the work area $area_x $area_y $area_w $area_h"
[ "$(outer_corner "$editor_window")" = "$editor_x $editor_y" ] ||
  fail "the cell editor's frame is at ($(outer_corner "$editor_window")), not at the stored ($editor_x $editor_y)"
echo "the main window: $(window_property "$main_window" _NET_WM_ALLOWED_ACTIONS)"
echo "the cell editor: $(window_property "$editor_window" _NET_WM_WINDOW_TYPE); $(window_property "$editor_window" _NET_WM_ALLOWED_ACTIONS)"
! window_property "$editor_window" _NET_WM_ALLOWED_ACTIONS | grep -q "MINIMIZE\|RESIZE\|MAXIMIZE" ||
  fail "$wm offers to minimise, resize or maximise the cell editor"

step "the cell editor above the main window, below the dialog and the preview"
editor_owned_and_above "$main_window" "$editor_window"
read -r main_x main_y <<<"$(position "$main_window")"
click $((main_x + 360)) $((main_y + 120))
wait_for 5 "the difficulty dialog \"Einstellungen\" opens" window_titled "Einstellungen"
dialog=$(window_titled "Einstellungen")
above_the_editor "$dialog" "the difficulty dialog" "$main_window" "$editor_window"
click $((main_x + 3)) $((main_y + 335))
sleep 0.3  # a grace, as in editor_owned_and_above
above_the_editor "$dialog" "the difficulty dialog, after a click on the main window," "$main_window" "$editor_window"
screenshot with-dialog >/dev/null
read -r dialog_x dialog_y <<<"$(position "$dialog")"
click $((dialog_x + 225)) $((dialog_y + 200))  # "Abbruch"
wait_for 5 "the difficulty dialog closes after \"Abbruch\"" not window_titled "Einstellungen"

check_preview "$main_window" "$editor_window"
echo "the preview: $preview_actions"

step "minimised and restored together"
check_minimised_together "$main_window" "$editor_window"

step "the stored corner stays where it was over two runs"
close_program
[ "$(stored_corner)" = "$editor_x $editor_y" ] || fail "after the first run the stored corner is $(stored_corner)"
start_program
[ "$(outer_corner "$editor_window")" = "$editor_x $editor_y" ] ||
  fail "the cell editor's frame reopened at ($(outer_corner "$editor_window")), not at ($editor_x $editor_y)"
close_program
[ "$(stored_corner)" = "$editor_x $editor_y" ] || fail "after the second run the stored corner is $(stored_corner)"

step "passed"
