# The program's windows as a window manager has them: frames, stacking,
# minimising, and the checks every window manager's run makes of the cell
# editor and the print preview. Source it after e2e_lib.sh.

# start_timed LOG: starts $program in the current folder, its output added to
# LOG, and waits until both of its windows are shown ($wait_for_windows
# watches); sets program_pid, and start_up_ms to the time that took.
start_timed() {
  local mapped started
  coproc WATCH { "$wait_for_windows" tolva-sudoku 2 20; }
  read -r _ <&"${WATCH[0]}" || fail "wait-for-windows does not run"
  started=$(date +%s%N)
  "$program" >>"$1" 2>&1 &
  program_pid=$!
  read -r mapped <&"${WATCH[0]}" || fail "the program's two windows are not shown after 20 s"
  start_up_ms=$(((mapped - started) / 1000000))
}

# close_program: a close request to the main window ($send_close_request);
# the program writes Data.prefs and ends with status 0.
close_program() {
  local status
  "$send_close_request" "Tolva Sudoku" || fail "the close request could not be sent"
  wait "$program_pid"
  status=$?
  program_pid=
  [ "$status" -eq 0 ] || fail "the program exited with status $status"
}

# outer_corner WINDOW: "x y" of the frame's top-left corner.
outer_corner() {
  local x y left right top bottom
  read -r x y <<<"$(position "$1")"
  read -r left right top bottom <<<"$(frame_extents "$1")"
  echo "$((x - left)) $((y - top))"
}

# inner_size WINDOW: "width height" of the client area.
inner_size() {
  timeout 5 xwininfo -id "$1" | awk -F: '/Width/ { w = $2 + 0 } /Height/ { h = $2 + 0 } END { print w, h }'
}

# outer_size WINDOW: "width height" of the frame.
outer_size() {
  local w h left right top bottom
  read -r w h <<<"$(inner_size "$1")"
  read -r left right top bottom <<<"$(frame_extents "$1")"
  echo "$((w + left + right)) $((h + top + bottom))"
}

# The window manager's stacking order, bottom to top, one id (0x...) a line.
stacking() { timeout 5 xprop -root _NET_CLIENT_LIST_STACKING | sed -n 's/.*# //p' | tr -d ' ' | tr ',' '\n'; }

# stacked_above UPPER LOWER: UPPER stands above LOWER in the window manager's
# stacking order (_NET_CLIENT_LIST_STACKING lists bottom to top).
stacked_above() {
  local order upper lower
  order=$(stacking)
  upper=$(grep -nix "$(printf '0x%x' "$1")" <<<"$order" | cut -d: -f1)
  lower=$(grep -nix "$(printf '0x%x' "$2")" <<<"$order" | cut -d: -f1)
  echo "stacking (bottom to top): $(echo $order)"
  [ -n "$upper" ] && [ -n "$lower" ] && [ "$upper" -gt "$lower" ]
}

# window_titled TITLE: the shown window of the program with that title.
window_titled() {
  local window
  for window in $(shown_windows); do
    [ "$(timeout 5 xdotool getwindowname "$window")" = "$1" ] && echo "$window" && return 0
  done
  return 1
}

# The work area (_NET_WORKAREA of the first desktop): "x y width height".
work_area() { timeout 5 xprop -root _NET_WORKAREA | sed -n 's/.*= *//p' | tr -d ',' | cut -d' ' -f1-4; }

# fills_work_area WINDOW: the frame covers the work area and the client area
# lies inside it (icewm puts a maximised window's borders past the edges).
fills_work_area() {
  local ax ay aw ah x y w h left right top bottom
  read -r ax ay aw ah <<<"$(work_area)"
  read -r x y <<<"$(position "$1")"
  read -r w h <<<"$(inner_size "$1")"
  read -r left right top bottom <<<"$(frame_extents "$1")"
  echo "work area $ax $ay $aw x $ah; client $x $y $w x $h; frame $left $right $top $bottom"
  [ $((x - left)) -le "$ax" ] && [ $((y - top)) -le "$ay" ] &&
    [ $((x + w + right)) -ge $((ax + aw)) ] && [ $((y + h + bottom)) -ge $((ay + ah)) ] &&
    [ "$x" -ge "$ax" ] && [ "$y" -ge "$ay" ] && [ $((x + w)) -le $((ax + aw)) ] && [ $((y + h)) -le $((ay + ah)) ]
}

# wm_state WINDOW: Normal, Iconic or Withdrawn (ICCCM WM_STATE).
wm_state() { timeout 5 xprop -id "$1" WM_STATE 2>/dev/null | sed -n 's/.*window state: *//p'; }
state_is() { [ "$(wm_state "$1")" = "$2" ]; }

# editor_owned_and_above MAIN EDITOR: the cell editor is owned by the main
# window (WM_TRANSIENT_FOR) and stands above it, also after a click on it.
editor_owned_and_above() {
  local main=$1 editor=$2 x y
  [ "$(timeout 5 xprop -id "$editor" WM_TRANSIENT_FOR | sed -n 's/.*# //p')" = "$(printf '0x%x' "$main")" ] ||
    fail "the cell editor is not owned by the main window: $(timeout 5 xprop -id "$editor" WM_TRANSIENT_FOR)"
  wait_for 5 "the cell editor stands above the main window" stacked_above "$editor" "$main"
  read -r x y <<<"$(position "$main")"
  click $((x + 3)) $((y + 335))  # left of the labels, where nothing else lies
  # Nothing shows that the window manager has handled the click; a grace
  # too short under load can only miss a fault, never fail a sound run.
  sleep 0.3
  stacked_above "$editor" "$main" >/dev/null ||
    fail "the cell editor fell behind the main window after a click on it: $(stacked_above "$editor" "$main")"
}

# above_the_editor WINDOW NAME MAIN EDITOR: a dialog or the preview of the
# program stands above the cell editor, which stays above the main window.
above_the_editor() {
  wait_for 5 "$2 stands above the cell editor" stacked_above "$1" "$4"
  stacked_above "$4" "$3" >/dev/null || fail "the cell editor fell behind the main window: $(stacked_above "$4" "$3")"
}

# check_preview MAIN EDITOR: opens the print selection from the file menu
# and the preview from it, which fills the work area above the cell editor;
# leaves it with "Abbrechen" and declines the image export. What the window
# manager offered for the preview is left in preview_actions; it asks for no
# close box.
check_preview() {
  local main=$1 editor=$2 x y selection preview width
  read -r x y <<<"$(position "$main")"
  click $((x + 360)) $((y + 60))
  wait_for 5 "the file menu opens" more_than_two_shown
  timeout 5 xdotool key Down Down Return || fail "cannot pick \"Drucken\" in the file menu"
  wait_for 5 "the print selection \"Drucken...\" opens" window_titled "Drucken..."
  selection=$(window_titled "Drucken...")
  wait_for 5 "the print selection is framed" framed "$selection"
  above_the_editor "$selection" "the print selection" "$main" "$editor"
  read -r x y <<<"$(position "$selection")"
  click $((x + 50)) $((y + 210))  # "Drucken"
  wait_for 10 "the preview \"Drucken\" opens" window_titled "Drucken"
  preview=$(window_titled "Drucken")
  wait_for 5 "the preview fills the work area" fills_work_area "$preview"
  echo "the preview: $(fills_work_area "$preview"); $(window_property "$preview" _NET_WM_STATE)"
  above_the_editor "$preview" "the preview" "$main" "$editor"
  preview_actions=$(window_property "$preview" _NET_WM_ALLOWED_ACTIONS)
  local flags functions decorations
  IFS=, read -r flags functions decorations _ <<<"$(window_property "$preview" _MOTIF_WM_HINTS | tr -d ' ')"
  [ $((flags & 3)) -eq 3 ] && [ $((functions & 32)) -eq 0 ] && [ $((decorations & 16)) -eq 0 ] ||
    fail "the preview asks for a close box or system menu: Motif hints $flags, $functions, $decorations"
  screenshot preview >/dev/null
  # A window manager may let the user restore and resize the preview (openbox
  # offers a restore button): the preview then lays itself out again. One
  # that refuses is given two seconds, and must keep it whole.
  timeout 5 wmctrl -i -r "$preview" -b remove,maximized_vert,maximized_horz || fail "cannot ask to restore the preview"
  timeout 5 xdotool windowsize "$preview" 640 480 || fail "cannot ask to resize the preview"
  local deadline=$((SECONDS + $(scaled 2)))
  while [ "$(inner_size "$preview")" != "640 480" ] && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.1; done
  if [ "$(inner_size "$preview")" = "640 480" ]; then
    wait_for 5 "the restored preview's scroll area fits it: a scroll bar at its right edge" \
      preview_scroll_bar_shown "$preview"
    echo "the preview was restored and resized to 640 x 480, and laid itself out again"
  else
    fills_work_area "$preview" >/dev/null || fail "the preview neither fills the work area nor was resized"
    echo "the window manager keeps the preview maximised"
  fi
  read -r x y <<<"$(position "$preview")"
  read -r width _ <<<"$(inner_size "$preview")"
  # The buttons were laid out from the size the window manager gave: "Abbrechen"
  # is the right half of the top 40 pixels.
  click $((x + width - 20)) $((y + 20))
  wait_for 5 "the preview closes on \"Abbrechen\"" not window_titled "Drucken"
  wait_for 5 "the question \"Image\" follows" window_titled "Image"
  wait_for 5 "the question has the keyboard focus" has_focus "$(window_titled "Image")"
  timeout 5 xdotool key alt+n || fail "cannot answer the question"
  wait_for 5 "the print selection closes after the question" not window_titled "Drucken..."
  # "Drucken" would be followed by the print dialog, which keeps the main
  # window from taking clicks: its open button opens "Öffnen" only after
  # "Abbrechen".
  read -r x y <<<"$(position "$main")"
  click $((x + 360)) $((y + 20))
  wait_for 5 "the open dialog \"Öffnen\" opens: the preview ended by \"Abbrechen\", not \"Drucken\"" \
    window_titled "Öffnen"
  wait_for 5 "the open dialog has the keyboard focus" has_focus "$(window_titled "Öffnen")"
  timeout 5 xdotool key Escape || fail "cannot cancel the open dialog"
  wait_for 5 "the open dialog closes" not window_titled "Öffnen"
}

# preview_scroll_bar_shown PREVIEW: the page shows white left of the right
# edge, and the edge itself is no page: the scroll area ends there, with its
# scroll bar.
preview_scroll_bar_shown() {
  local shot x y width height edge page
  shot=$(screenshot preview-resized) || return 1
  read -r x y <<<"$(position "$1")"
  read -r width height <<<"$(inner_size "$1")"
  edge=$(python3 "$here/e2e_support.py" pixel "$shot" $((x + width - 5)) $((y + height / 2)))
  page=$(python3 "$here/e2e_support.py" pixel "$shot" $((x + width - 60)) $((y + height / 2)))
  echo "at the right edge $edge, left of it $page"
  [ "$page" = "255 255 255" ] && [ "$edge" != "255 255 255" ]
}

# check_minimised_together MAIN EDITOR: minimising the main window minimises
# the cell editor too, and restoring it brings the editor back above it.
# A window manager that keeps the main window from being minimised (it has no
# minimise box) must keep the editor shown.
check_minimised_together() {
  local main=$1 editor=$2
  timeout 5 xdotool windowminimize "$main" || fail "cannot ask to minimise the main window"
  # A window manager that refuses says nothing: it is given two seconds.
  local deadline=$((SECONDS + $(scaled 2)))
  while ! state_is "$main" Iconic && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.1; done
  if state_is "$main" Iconic; then
    wait_for 5 "the cell editor is minimised with the main window" state_is "$editor" Iconic
    timeout 5 xdotool windowactivate "$main" || fail "cannot restore the main window"
    wait_for 5 "the main window is restored" state_is "$main" Normal
    wait_for 5 "the cell editor is restored with the main window" state_is "$editor" Normal
    wait_for 5 "the restored cell editor stands above the main window" stacked_above "$editor" "$main"
    echo "minimising the main window minimises the cell editor; restoring restores it"
  else
    state_is "$editor" Normal || fail "the cell editor went although the main window stayed"
    echo "the window manager does not minimise the main window (no minimise box); the cell editor stays"
  fi
}
