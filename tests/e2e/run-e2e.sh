#!/bin/bash
# The program used as a person would, on an X server of its own with a real
# window manager (openbox): it starts with a remembered puzzle, the cell
# editor owned by the main window and above it, a cell is clicked, the
# difficulty dialog and the print selection are opened and stay above the
# main window and the cell editor when the main window is clicked, the
# preview fills the work area above them, the main window is minimised and
# restored with the cell editor, the puzzle is solved and saved
# through the pop-up menus and the save dialog, saved again over itself after
# the question, and the main window is closed. Then the files the program
# wrote, the window manager's view of the windows and the screen's pixels are
# checked.
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

# Where the windows go: the screen is 1024 x 768, and openbox frames a window
# with a border of 1 and a title bar of 20 pixels, so the 380 x 340 main
# window's frame of 382 x 361 is centred at (321, 203). The cell editor's
# frame (130 + 2 wide) is put just left of it; these are outer corners.
editor_x=185
editor_y=203

source "$here/e2e_lib.sh"
source "$here/e2e_windows.sh"
source "$here/e2e_program.sh"

# Conditions to wait for.
one_more_window() { [ "$(shown_windows | grep -cvx "$main_window")" -eq 1 ]; }

# check_hints WINDOW NAME TYPE CLOSE: the window type the program asks for
# (first entry), its Motif hints (no resizing, no minimise or maximise box;
# a close box and system menu only when CLOSE is 1), and what openbox offers.
check_hints() {
  local window=$1 name=$2 type=$3 close=$4 hints flags functions decorations
  [[ "$(window_property "$window" _NET_WM_WINDOW_TYPE)" == "$type"* ]] ||
    fail "$name: window type $(window_property "$window" _NET_WM_WINDOW_TYPE), expected $type first"
  hints=$(window_property "$window" _MOTIF_WM_HINTS | tr -d ' ')
  IFS=, read -r flags functions decorations _ <<<"$hints"
  [ $((flags & 3)) -eq 3 ] || fail "$name: Motif hints $hints carry no functions and decorations"
  # functions: resize 2, minimise 8, maximise 16, close 32;
  # decorations: resize handles 4, system menu 16, minimise 32, maximise 64
  [ $((functions & (2 | 8 | 16))) -eq 0 ] || fail "$name: Motif functions $functions offer resizing or minimising"
  [ $((decorations & (4 | 32 | 64))) -eq 0 ] || fail "$name: Motif decorations $decorations show sizing or boxes"
  [ $(((functions & 32) / 32)) -eq "$close" ] || fail "$name: Motif functions $functions, close box expected: $close"
  [ $(((decorations & 16) / 16)) -eq "$close" ] || fail "$name: Motif decorations $decorations, menu expected: $close"
  [ -n "$(window_property "$window" _NET_WM_ALLOWED_ACTIONS)" ] || fail "$name: openbox does not manage it"
  ! window_property "$window" _NET_WM_ALLOWED_ACTIONS | grep -q "RESIZE\|MAXIMIZE" ||
    fail "$name: openbox offers resizing or maximising: $(window_property "$window" _NET_WM_ALLOWED_ACTIONS)"
  echo "$name: $(window_property "$window" _NET_WM_WINDOW_TYPE); openbox offers $(window_property "$window" _NET_WM_ALLOWED_ACTIONS)"
}

# owned_dialog_stays_above NAME: the dialog of that title is kept above the
# main window by the window manager, also after a click on the main window.
owned_dialog_stays_above() {
  local dialog=$1 name=$2
  [ "$(timeout 5 xprop -id "$dialog" WM_TRANSIENT_FOR | sed -n 's/.*# //p')" = "$(printf '0x%x' "$main_window")" ] ||
    fail "$name is not transient for the main window: $(timeout 5 xprop -id "$dialog" WM_TRANSIENT_FOR)"
  check_hints "$dialog" "$name" _NET_WM_WINDOW_TYPE_DIALOG 1
  wait_for 5 "$name stands above the main window" stacked_above "$dialog" "$main_window"
  # A spot of the main window the dialog does not cover: left of the labels.
  click $((main_x + 3)) $((main_y + 335))
  # Nothing shows that openbox has handled the click (the program, blocked by
  # the dialog, does nothing): a short grace for a change that must not come.
  # Too short under load, it can only miss a fault, never fail a sound run.
  sleep 0.3
  stacked_above "$dialog" "$main_window" >/dev/null ||
    fail "$name fell behind the main window after a click on it: $(stacked_above "$dialog" "$main_window")"
  shown "$dialog" || fail "$name is no longer shown after a click on the main window"
  above_the_editor "$dialog" "$name" "$main_window" "$editor_window"
}

# editor_shows_ticked DIGIT: of the cell editor's digit boxes only DIGIT's is ticked.
editor_shows_ticked() {
  local shot
  shot=$(screenshot editor) && python3 "$support" check-ticked "$shot" "$editor_client_x" "$editor_client_y" "$1"
}

# ------------------------------------------------------------------ set-up

step "starting an X server and openbox"
start_x_server
program_environment
start_window_manager

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
wait_for 5 "openbox frames the main window" framed "$main_window"
read -r main_x main_y <<<"$(position "$main_window")"
read -r main_outer_x main_outer_y <<<"$(outer_corner "$main_window")"
read -r outer_w outer_h <<<"$(outer_size "$main_window")"
[ "$main_outer_x $main_outer_y" = "$(((1024 - outer_w) / 2)) $(((768 - outer_h) / 2))" ] ||
  fail "the main window's frame ($outer_w x $outer_h) is at ($main_outer_x, $main_outer_y), not centred"
[ "$main_outer_x $main_outer_y" = "321 203" ] || fail "the main window's frame is at ($main_outer_x, $main_outer_y)"
check_hints "$main_window" "the main window" _NET_WM_WINDOW_TYPE_NORMAL 1

# ------------------------------------------------------------------ 1. start

step "1. the remembered puzzle is shown; the cell editor stands where it was left"
wait_for 5 "the cell editor window appears" one_more_window
editor_window=$(shown_windows | grep -vx "$main_window")
wait_for 5 "openbox frames the cell editor" framed "$editor_window"
editor_at=$(outer_corner "$editor_window")
[ "$editor_at" = "$editor_x $editor_y" ] ||
  fail "the cell editor's frame opened at ($editor_at), expected ($editor_x $editor_y) from Data.prefs"
read -r editor_client_x editor_client_y <<<"$(position "$editor_window")"
check_hints "$editor_window" "the cell editor" _NET_WM_WINDOW_TYPE_TOOLBAR 0
! window_property "$editor_window" _NET_WM_ALLOWED_ACTIONS | grep -q MINIMIZE ||
  fail "openbox offers to minimise the cell editor"
editor_owned_and_above "$main_window" "$editor_window"
park_pointer
wait_for 5 "the board shows the givens in black and the emptied cells empty" board_shows start

# ------------------------------------------------------------------ 2. select

step "2. a click on cell E4 names it in the cell editor's title, shown whole in its title bar"
click $((main_x + 20 + 33 * 4 + 16)) $((main_y + 20 + 33 * 3 + 16))
wait_for 5 "the cell editor's title reads \"Feld E4\"" \
  title_is "$editor_window" "Feld E4"
# The title bar's text against the same title in the wide main window's title
# bar, both windows active: a cut title ("Feld ...") would differ. The text
# is looked for right of the window icon and left of the boxes: the close box
# of the cell editor, the three boxes of the main window.
# Openbox redraws a title bar some time after the activation: both are taken
# again until they agree, or the time is up.
title_bars_agree() {
  local shot reference
  timeout 5 xdotool windowactivate --sync "$editor_window" && shot=$(screenshot editor-title) &&
    timeout 5 xdotool windowactivate --sync "$main_window" && reference=$(screenshot main-title) &&
    python3 "$support" check-title "$shot" $((editor_x + 22)) $((editor_x + 132 - 22)) $editor_y \
      "$reference" $((main_outer_x + 22)) $((main_outer_x + 382 - 70)) $main_outer_y
}
timeout 5 xprop -id "$main_window" -f _NET_WM_NAME 8u -set _NET_WM_NAME "Feld E4"
wait_for 10 "the cell editor's title bar shows the whole title \"Feld E4\"" title_bars_agree
timeout 5 xprop -id "$main_window" -f _NET_WM_NAME 8u -set _NET_WM_NAME "Tolva Sudoku"

# The close box openbox still draws on the cell editor closes nothing. The
# program has handled the request once it has handled a click that came
# after it (the cell editor names cell D4, then E4 again).
"$send_close_request" "Feld E4" || fail "the close request to the cell editor could not be sent"
click $((main_x + 20 + 33 * 3 + 16)) $((main_y + 20 + 33 * 3 + 16))
wait_for 5 "the cell editor's title reads \"Feld D4\" after the close request" title_is "$editor_window" "Feld D4"
shown "$editor_window" || fail "the cell editor went away after a close request"
kill -0 "$program_pid" || fail "the program ended after a close request to the cell editor"
click $((main_x + 20 + 33 * 4 + 16)) $((main_y + 20 + 33 * 3 + 16))
wait_for 5 "the cell editor's title reads \"Feld E4\" again" title_is "$editor_window" "Feld E4"

# ------------------------------------------------------------------ dialogs

step "the difficulty dialog stays above the main window"
click $((main_x + 360)) $((main_y + 120))
wait_for 5 "the difficulty dialog \"Einstellungen\" opens" other_window
dialog=$(other_window)
wait_for 5 "the difficulty dialog is titled \"Einstellungen\"" title_is "$dialog" "Einstellungen"
wait_for 5 "openbox frames the difficulty dialog" framed "$dialog"
read -r outer_w outer_h <<<"$(outer_size "$dialog")"
[ "$(outer_corner "$dialog")" = "$(((1024 - outer_w) / 2)) $(((768 - outer_h) / 2))" ] ||
  fail "the difficulty dialog's frame ($outer_w x $outer_h) is at ($(outer_corner "$dialog")), not centred"
screenshot with-dialog >/dev/null
owned_dialog_stays_above "$dialog" "the difficulty dialog"
read -r dialog_x dialog_y <<<"$(position "$dialog")"
click $((dialog_x + 225)) $((dialog_y + 200))  # "Abbruch"
wait_for 5 "the difficulty dialog closes after \"Abbruch\"" not shown "$dialog"

step "the print selection stays above the main window"
open_menu 60 68
pick_item 2
wait_for 5 "the print selection \"Drucken...\" opens" other_window
dialog=$(other_window)
wait_for 5 "the print selection is titled \"Drucken...\"" title_is "$dialog" "Drucken..."
wait_for 5 "openbox frames the print selection" framed "$dialog"
read -r outer_w outer_h <<<"$(outer_size "$dialog")"
read -r dialog_outer_x dialog_outer_y <<<"$(outer_corner "$dialog")"
[ "$dialog_outer_x $dialog_outer_y" = "$((main_outer_x + (382 - outer_w) / 2)) $((main_outer_y + (361 - outer_h) / 2))" ] ||
  fail "the print selection's frame ($outer_w x $outer_h) is at ($dialog_outer_x, $dialog_outer_y), not centred on the main window"
owned_dialog_stays_above "$dialog" "the print selection"
read -r dialog_x dialog_y <<<"$(position "$dialog")"
click $((dialog_x + 150)) $((dialog_y + 210))  # "Abbrechen"
wait_for 5 "the print selection closes after \"Abbrechen\"" not shown "$dialog"

step "the preview fills the work area, above the cell editor"
check_preview "$main_window" "$editor_window"

# ------------------------------------------------------------------ 3. solve

step "3. solve menu, \"Vollständig lösen\""
open_menu 160 168
pick_item 1
park_pointer
wait_for 10 "the emptied cells show green digits" board_shows solved
e4_digit=$(python3 "$support" digit 5 4)
wait_for 5 "the cell editor shows E4's new digit $e4_digit ticked" editor_shows_ticked "$e4_digit"
convert "$work/editor.ppm" -crop "$((main_outer_x + 382 - editor_x))x361+$editor_x+$editor_y" +repage \
  "$artifacts/window.png"

# ------------------------------------------------------------------ 4. save

step "4. file menu, \"Speichern\", a name without extension"
save_as "$work/geloest"
wait_for 5 "geloest.sdk is written with 4000 bytes" size_is "$work/geloest.sdk" 4000
python3 "$support" check-saved "$work/geloest.sdk" || fail "geloest.sdk does not hold the solved puzzle"
[ ! -e "$work/geloest" ] || fail "a file without the extension was written too"

step "4b. saved again over itself: the question answers to Alt+N (\"Nein\") and Alt+J (\"Ja\")"
question_window() { search_windows --onlyvisible --name '^Fehler$' | head -n 1; }
question() { [ -n "$(question_window)" ]; }
written=$(stat -c %.9Y "$work/geloest.sdk")
save_as "$work/geloest.sdk"
wait_for 5 "the question \"Fehler\" asks before overwriting" question
wait_for 5 "the question has the keyboard focus" has_focus "$(question_window)"
timeout 5 xdotool key alt+n || fail "cannot press Alt+N"
wait_for 5 "the question closes on Alt+N, the mnemonic of \"Nein\"" not question
[ "$(stat -c %.9Y "$work/geloest.sdk")" = "$written" ] || fail "the file was overwritten after \"Nein\""
save_as "$work/geloest.sdk"
wait_for 5 "the question asks again" question
wait_for 5 "the question has the keyboard focus" has_focus "$(question_window)"
timeout 5 xdotool key alt+j || fail "cannot press Alt+J"
wait_for 5 "the question closes on Alt+J, the mnemonic of \"Ja\" (\"Yes\" has none)" not question
# The time is read anew at every try: an argument would be read once only.
written_since() { [ "$(stat -c %.9Y "$1")" != "$2" ]; }
wait_for 5 "the file is written again after \"Ja\"" written_since "$work/geloest.sdk" "$written"
python3 "$support" check-saved "$work/geloest.sdk" || fail "geloest.sdk does not hold the solved puzzle"

step "the cell editor is minimised and restored with the main window"
check_minimised_together "$main_window" "$editor_window"

# ------------------------------------------------------------------ 5. close

step "5. a close request ends the program promptly, which writes Data.prefs"
"$send_close_request" "Tolva Sudoku" || fail "the close request could not be sent"
requested=$(date +%s%N)
wait "$program_pid"
status=$?
ended=$((($(date +%s%N) - requested) / 1000000))
program_pid=
[ "$status" -eq 0 ] || fail "the program exited with status $status"
echo "the program ended ${ended} ms after the close request"
[ "$ended" -lt "$(scaled 3000)" ] || fail "the program took ${ended} ms to end after the close request"

expected_prefs=$(printf '%s\r\n' "; the position of the window:" "FensterX = $editor_x" "FensterY = $editor_y" \
  "; the last project the user wrote" "Ort = $work/geloest.sdk" \
  "; the difficulty of the sudoku if you want to create one" "Schwierigkeit = 35" | od -An -c)
first_line=$(head -n 1 "$work/Data.prefs")
[[ "$first_line" == "; "?*$'\r' ]] || fail "Data.prefs does not begin with a credit comment: $first_line"
rest=$(tail -n +2 "$work/Data.prefs" | od -An -c)
[ "$rest" = "$expected_prefs" ] || fail "Data.prefs after the credit line is"$'\n'"$rest"$'\n'"expected"$'\n'"$expected_prefs"
[ "$(wc -l <"$work/Data.prefs")" -eq 8 ] || fail "Data.prefs does not hold exactly eight lines"
leftovers=$(find "$HOME" "$XDG_CONFIG_HOME" -name 'QtProject*' 2>/dev/null)
[ -z "$leftovers" ] || fail "Qt wrote settings of its own: $leftovers"

step "passed"
