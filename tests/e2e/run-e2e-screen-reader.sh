#!/bin/bash
# The program as a screen reader meets it: on a session bus of the run's own
# with the desktop's accessibility bus (at-spi2-core), under openbox, an
# AT-SPI client reads the board as a table of 81 named cells and the names of
# the buttons, and hears the focus move from cell to cell and a cell's new
# name when keys change it (atspi_client.py).
#
# Usage: run-e2e-screen-reader.sh PROGRAM ARTIFACT-DIR
# Runs itself on a session bus of its own (dbus-run-session).

set -u -o pipefail

source "$(dirname "$0")/e2e_own_bus.sh"

active_is() { [ "$(timeout 5 xdotool getactivewindow 2>/dev/null)" = "$1" ]; }

step "starting an X server and openbox on a session bus of the run's own"
[ -x /usr/libexec/at-spi-bus-launcher ] || fail "at-spi2-core is not installed"
/usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0")' || fail "python3-gi or gir1.2-atspi-2.0 is missing"
start_x_server
program_environment
start_window_manager
cd "$work" || fail "no scratch folder"
printf '%s\r\n' "FensterX = 185" "FensterY = 203" "Ort = " "Schwierigkeit = 35" >"$work/Data.prefs"

step "starting the program with its accessibility on"
# As when a screen reader runs: Qt then speaks to the accessibility bus.
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" >"$work/program.log" 2>&1 &
program_pid=$!
wait_for 10 "the main window \"Tolva Sudoku\" appears" \
  timeout 5 xdotool search --onlyvisible --name '^Tolva Sudoku$'
main_window=$(timeout 5 xdotool search --onlyvisible --name '^Tolva Sudoku$' | head -n 1)
wait_for 5 "the main window has the keyboard" active_is "$main_window"

step "an AT-SPI client reads the board and the buttons and follows the keys"
/usr/bin/python3 "$here/atspi_client.py" "$(scaled 15)" || fail "the screen reader's view"
kill "$program_pid"
wait "$program_pid" 2>/dev/null
program_pid=

step "passed"
