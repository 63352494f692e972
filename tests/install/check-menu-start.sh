#!/bin/bash
# The installed program started from its desktop entry, as the menu and the
# file manager start it (GIO reads the entry and runs its Exec line), on an X
# server of its own: it runs in its folder under the configuration folder
# (made when missing), opens the puzzle handed over, and writes Data.prefs
# there and nowhere else.
#
# Usage: check-menu-start.sh BUILD-DIR SEND-CLOSE-REQUEST ARTIFACT-DIR

set -u -o pipefail

if [ $# -ne 3 ]; then
  echo "usage: $0 BUILD-DIR SEND-CLOSE-REQUEST ARTIFACT-DIR" >&2
  exit 2
fi
build=$(realpath "$1")
send_close_request=$(realpath "$2")
artifacts=$(realpath -m "$3")
here=$(realpath "$(dirname "$0")/../e2e")
support="$here/e2e_support.py"
command -v gio >/dev/null || { echo "FAILED: gio is missing (scripts/install-deps installs it)" >&2; exit 1; }

source "$here/e2e_lib.sh"

stage=$work/stage/usr
cmake --install "$build" --prefix "$stage" >"$work/install.log" 2>&1 || fail "cmake --install"
entry=$stage/share/applications/tolva-sudoku.desktop

# The program's window, its process and its working folder.
main_window() { timeout 5 xdotool search --onlyvisible --name '^Tolva Sudoku$' | head -n 1; }
cwd_is() { [ "$(readlink "/proc/$program_pid/cwd")" = "$1" ]; }
board_shows() {
  local shot
  shot=$(screenshot "board-$1") && python3 "$support" check-board "$shot" "$main_x" "$main_y" "$1"
}

# start_from_entry [FILE]: as a desktop starts it; sets program_pid, main_x, main_y.
start_from_entry() {
  timeout "$(scaled 10)" gio launch "$entry" "$@" >>"$work/gio.log" 2>&1 || fail "gio cannot launch the entry"
  wait_for 10 "the main window \"Tolva Sudoku\" appears" main_window
  program_pid=$(timeout 5 xdotool getwindowpid "$(main_window)")
  [ -n "$program_pid" ] || fail "the main window names no process"
  read -r main_x main_y <<<"$(position "$(main_window)")"
}

close_program() {
  "$send_close_request" "Tolva Sudoku" || fail "the close request could not be sent"
  wait_for 10 "the program ends after the close request" not kill -0 "$program_pid"
  program_pid=
}

step "starting an X server"
start_x_server
program_environment
export HOME="$work/home"
unset XDG_CONFIG_HOME
mkdir -p "$HOME" "$work/puzzles"
# A desktop session's programs run in the home folder.
cd "$HOME" || fail "no home folder"
puzzle="$work/puzzles/Rätsel \$1 \"neu\".sdk"
python3 "$support" write-puzzle "$puzzle"

step "1. a puzzle opened from the file manager, no configuration folder yet"
start_from_entry "$puzzle"
wait_for 5 "the program runs in ~/.config/tolva-sudoku" cwd_is "$HOME/.config/tolva-sudoku"
move_pointer 1000 740
wait_for 5 "the board shows the puzzle handed over" board_shows start
close_program
wait_for 5 "Data.prefs is written in ~/.config/tolva-sudoku" test -s "$HOME/.config/tolva-sudoku/Data.prefs"
[ "$(find "$work" -name Data.prefs | wc -l)" -eq 1 ] ||
  fail "Data.prefs written elsewhere too (the home folder?): $(find "$work" -name Data.prefs)"
grep -q $'^Ort = \r$' "$HOME/.config/tolva-sudoku/Data.prefs" || fail "the puzzle handed over became the remembered one"

step "2. from the menu, with XDG_CONFIG_HOME set"
export XDG_CONFIG_HOME="$work/config"
start_from_entry
wait_for 5 "the program runs in \$XDG_CONFIG_HOME/tolva-sudoku" cwd_is "$XDG_CONFIG_HOME/tolva-sudoku"
close_program
wait_for 5 "Data.prefs is written in \$XDG_CONFIG_HOME/tolva-sudoku" test -s "$XDG_CONFIG_HOME/tolva-sudoku/Data.prefs"

step "done"
