#!/bin/bash
# The program used as a person would, on an X server of its own: it starts
# with a remembered puzzle, a cell is clicked, the puzzle is solved and saved
# through the pop-up menus and the save dialog, and the main window is closed.
# Then the files the program wrote and the screen's pixels are checked.
#
# Usage: run-e2e.sh PROGRAM SEND-CLOSE-REQUEST ARTIFACT-DIR
# Screenshots, the program's output and the files it wrote are left in
# ARTIFACT-DIR for a look after a failure.

set -u -o pipefail

if [ $# -ne 3 ]; then
  echo "usage: $0 PROGRAM SEND-CLOSE-REQUEST ARTIFACT-DIR" >&2
  exit 2
fi
# Absolute, as the program runs in a scratch folder.
program=$(realpath "$1")
send_close_request=$(realpath "$2")
artifacts=$(realpath -m "$3")
here=$(realpath "$(dirname "$0")")
support="$here/e2e_support.py"

# Where the windows go: the screen is 1024 x 768, so the 380 x 340 main
# window opens centred with its client area at (322, 214); the cell editor
# (115 wide) is put just left of it.
editor_x=197
editor_y=214

source "$here/e2e_lib.sh"

# Conditions to wait for.
one_more_window() { [ "$(shown_windows | grep -cvx "$main_window")" -eq 1 ]; }
save_dialog() { timeout 5 xdotool search --onlyvisible --name '^Speichern$' >/dev/null; }

# Moves the pointer off the program's windows, so no crosshair is drawn.
park_pointer() {
  timeout 5 xdotool mousemove 1000 740 || fail "cannot move the pointer"
  sleep 0.2
}

# A pop-up menu window that is neither the main window nor the cell editor.
popup_menu() {
  local window
  for window in $(shown_windows); do
    if [ "$window" != "$main_window" ] && [ "$window" != "$editor_window" ]; then
      echo "$window"
      return 0
    fi
  done
  return 1
}

# open_menu ICON_Y MENU_Y: clicks the icon at client (360, ICON_Y) and waits
# for the pop-up menu, which opens right of the window at MENU_Y below its top.
open_menu() {
  click $((main_x + 360)) $((main_y + $1))
  wait_for 5 "a pop-up menu opens after a click on the icon at y $1" popup_menu
  menu=$(popup_menu)
  menu_at=$(position "$menu")
  [ "$menu_at" = "$((main_x + 380)) $((main_y + $2))" ] ||
    fail "the menu opened at ($menu_at), expected right of the window at ($((main_x + 380)) $((main_y + $2)))"
}

# Clicks the first item of the open menu and waits until the menu is gone.
pick_first_item() {
  local menu_x menu_y
  read -r menu_x menu_y <<<"$menu_at"
  click $((menu_x + 30)) $((menu_y + 10))
  wait_for 5 "the menu closes after its item is picked" not shown "$menu"
}

# board_shows start|solved: the board's cells on screen, see e2e_support.py.
board_shows() {
  local shot
  shot=$(screenshot "board-$1") && python3 "$support" check-board "$shot" "$main_x" "$main_y" "$1"
}

# editor_shows_ticked DIGIT: of the cell editor's digit boxes only DIGIT's is ticked.
editor_shows_ticked() {
  local shot
  shot=$(screenshot editor) && python3 "$support" check-ticked "$shot" "$editor_x" "$editor_y" "$1"
}

# ------------------------------------------------------------------ set-up

step "starting an X server"
start_x_server
program_environment

python3 "$support" write-puzzle "$work/start.sdk"
printf '%s\r\n' "FensterX = $editor_x" "FensterY = $editor_y" "Ort = $work/start.sdk" "Schwierigkeit = 35" \
  >"$work/Data.prefs"

step "starting the program"
cd "$work" || fail "no scratch folder"
"$program" >"$work/program.log" 2>&1 &
program_pid=$!

wait_for 10 "the main window \"Tolva Sudoku\" appears" \
  timeout 5 xdotool search --onlyvisible --name '^Tolva Sudoku$'
main_window=$(timeout 5 xdotool search --onlyvisible --name '^Tolva Sudoku$' | head -n 1)
read -r main_x main_y <<<"$(position "$main_window")"
[ "$main_x $main_y" = "322 214" ] || fail "the main window is at ($main_x, $main_y), not centred at (322, 214)"

# ------------------------------------------------------------------ 1. start

step "1. the remembered puzzle is shown; the cell editor stands where it was left"
wait_for 5 "the cell editor window appears" one_more_window
editor_window=$(shown_windows | grep -vx "$main_window")
editor_at=$(position "$editor_window")
[ "$editor_at" = "$editor_x $editor_y" ] ||
  fail "the cell editor opened at ($editor_at), expected ($editor_x $editor_y) from Data.prefs"
park_pointer
wait_for 5 "the board shows the givens in black and the emptied cells empty" board_shows start

# ------------------------------------------------------------------ 2. select

step "2. a click on cell E4 names it in the cell editor's title"
click $((main_x + 20 + 33 * 4 + 16)) $((main_y + 20 + 33 * 3 + 16))
wait_for 5 "the cell editor's title reads \"Feld E4\"" \
  title_is "$editor_window" "Feld E4"

# ------------------------------------------------------------------ 3. solve

step "3. solve menu, \"Vollständig lösen\""
open_menu 160 168
pick_first_item
park_pointer
wait_for 10 "the emptied cells show green digits" board_shows solved
e4_digit=$(python3 "$support" digit 5 4)
wait_for 5 "the cell editor shows E4's new digit $e4_digit ticked" editor_shows_ticked "$e4_digit"
convert "$work/editor.ppm" -crop "$((main_x + 380 - editor_x))x340+$editor_x+$editor_y" +repage \
  "$artifacts/window.png"

# ------------------------------------------------------------------ 4. save

step "4. file menu, \"Speichern\", a name without extension"
open_menu 60 68
pick_first_item
wait_for 5 "the save dialog \"Speichern\" opens" save_dialog
sleep 0.3
timeout 10 xdotool type --delay 10 "$work/geloest" || fail "cannot type into the save dialog"
timeout 5 xdotool key Return || fail "cannot press Return"
wait_for 5 "the save dialog closes" not save_dialog
wait_for 5 "geloest.sdk is written with 4000 bytes" size_is "$work/geloest.sdk" 4000
python3 "$support" check-saved "$work/geloest.sdk" || fail "geloest.sdk does not hold the solved puzzle"
[ ! -e "$work/geloest" ] || fail "a file without the extension was written too"

# ------------------------------------------------------------------ 5. close

step "5. a close request ends the program, which writes Data.prefs"
"$send_close_request" "Tolva Sudoku" || fail "the close request could not be sent"
deadline=$((SECONDS + 10))
while kill -0 "$program_pid" 2>/dev/null; do
  [ "$SECONDS" -lt "$deadline" ] || fail "the program is still running 10s after the close request"
  sleep 0.1
done
wait "$program_pid"
status=$?
program_pid=
[ "$status" -eq 0 ] || fail "the program exited with status $status"

expected_prefs=$(printf '%s\r\n' "; the position of the window:" "FensterX = $editor_x" "FensterY = $editor_y" \
  "; the last project the user wrote" "Ort = $work/geloest.sdk" \
  "; the difficulty of the sudoku if you want to create one" "Schwierigkeit = 35" | od -An -c)
first_line=$(head -n 1 "$work/Data.prefs")
[[ "$first_line" == "; "?*$'\r' ]] || fail "Data.prefs does not begin with a credit comment: $first_line"
rest=$(tail -n +2 "$work/Data.prefs" | od -An -c)
[ "$rest" = "$expected_prefs" ] || fail "Data.prefs after the credit line is"$'\n'"$rest"$'\n'"expected"$'\n'"$expected_prefs"
[ "$(wc -l <"$work/Data.prefs")" -eq 8 ] || fail "Data.prefs does not hold exactly eight lines"

step "passed"
