# Shared by the end-to-end runs that drive the program's own windows: its
# pop-up menus, the save dialog, the board on screen. Source it after
# e2e_lib.sh and e2e_windows.sh; the callers set main_x, main_y (the main window's client
# corner on the screen), main_outer_x, main_outer_y (its frame's corner),
# main_window and editor_window.

support=${support:-$here/e2e_support.py}

save_dialog_window() { search_windows --onlyvisible --name '^Speichern$' | head -n 1; }
save_dialog() { [ -n "$(save_dialog_window)" ]; }

# Moves the pointer off the program's windows, so no crosshair is drawn.
park_pointer() { move_pointer 1000 740; }

# The one shown window of the program that is neither the main window nor
# the cell editor: a pop-up menu or a dialog.
other_window() {
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
# for the pop-up menu, which opens at the main window's outer left edge + 380,
# MENU_Y below its outer top edge.
open_menu() {
  click $((main_x + 360)) $((main_y + $1))
  wait_for 5 "a pop-up menu opens after a click on the icon at y $1" other_window
  menu=$(other_window)
  menu_at=$(position "$menu")
  local expected="$((main_outer_x + 380)) $((main_outer_y + $2))"
  [ "$menu_at" = "$expected" ] || fail "the menu opened at ($menu_at), expected ($expected)"
}

# pick_item N: picks the menu's item N (from 1) with the keyboard and waits
# until the menu is gone.
pick_item() {
  local downs=()
  for ((i = 0; i < $1; i++)); do downs+=(Down); done
  timeout 5 xdotool key "${downs[@]}" Return || fail "cannot press keys in the menu"
  wait_for 5 "the menu closes after its item $1 is picked" not shown "$menu"
}

# board_shows start|solved: the board's cells on screen, see e2e_support.py.
board_shows() {
  local shot
  shot=$(screenshot "board-$1") && python3 "$support" check-board "$shot" "$main_x" "$main_y" "$1"
}

# save_as NAME: file menu, "Speichern", NAME typed into the save dialog.
save_as() {
  open_menu 60 68
  pick_item 1
  wait_for 5 "the save dialog \"Speichern\" opens" save_dialog
  wait_for 5 "the save dialog has the keyboard focus" has_focus "$(save_dialog_window)"
  timeout 10 xdotool type --delay 10 "$1" || fail "cannot type into the save dialog"
  timeout 5 xdotool key Return || fail "cannot press Return"
  wait_for 5 "the save dialog closes" not save_dialog
}
