# Shared by the runs that end the program from outside (run-e2e-session.sh,
# run-e2e-wayland.sh): starting it with a stored cell editor position, moving
# the cell editor, and checking how it ended. Source it after e2e_lib.sh.

# Without a window manager the main window (380 x 340) stands centred on the
# 1024 x 768 screen with its client area at (322, 214).
main_x=322
main_y=214
start_x=100
start_y=120

# The program's windows by title; the cell editor is the one that is not the
# main window.
named() { [ -n "$(search_windows --onlyvisible --name "$1")" ]; }
editor_window() { shown_windows | grep -vx "$(timeout 5 xdotool search --onlyvisible --name '^Tolva Sudoku$')"; }

# The preferences every run starts with.
store_prefs() {
  printf '%s\r\n' "FensterX = $start_x" "FensterY = $start_y" "Ort = $work/start.sdk" "Schwierigkeit = 40" \
    >"$work/Data.prefs"
}

# launch NAME: the program started with the stored preferences (through the
# command in the array `launcher`, if any), its output in NAME.log.
launcher=()
launch() {
  run=$1
  step "$run: starting"
  store_prefs
  "${launcher[@]}" "$program" >"$work/$run.log" 2>&1 &
  program_pid=$!
}

# start_program NAME: the program on the X server of DISPLAY, the cell editor
# moved to (moved_x, moved_y), and the program known to have seen the move.
start_program() {
  launch "$1"
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

# ends_within_a_second: the program must be gone within a second (scaled);
# its status is left in `status`.
ends_within_a_second() {
  local begin=$(date +%s%N) elapsed limit=$(scaled 1000)
  while kill -0 "$program_pid" 2>/dev/null; do
    elapsed=$((($(date +%s%N) - begin) / 1000000))
    [ "$elapsed" -lt "$limit" ] || fail "$run: the program is still running ${elapsed} ms after the end began"
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

