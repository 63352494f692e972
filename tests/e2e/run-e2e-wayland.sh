#!/bin/bash
# The program on a Wayland desktop (weston's headless backend): with an X
# display beside the compositor it runs as an X11 client, so the cell editor
# opens at the stored position and the position is stored at exit (started
# without a runtime folder, as from a shell, it says nothing on stderr); a
# platform chosen in QT_QPA_PLATFORM still wins; under the compositor alone (or
# beside an X display that does not answer) it starts, shows the board and
# ends cleanly, keeping the stored position, which a Wayland client can
# neither set nor read.
#
# Usage: run-e2e-wayland.sh PROGRAM ARTIFACT-DIR

set -u -o pipefail

if [ $# -ne 2 ]; then
  echo "usage: $0 PROGRAM ARTIFACT-DIR" >&2
  exit 2
fi
program=$(realpath "$1")
artifacts=$(realpath -m "$2")
here=$(realpath "$(dirname "$0")")
support="$here/e2e_support.py"

source "$here/e2e_lib.sh"
source "$here/e2e_ending.sh"

weston_pid=
cleanup_more() {
  if [ -n "$weston_pid" ] && kill -0 "$weston_pid" 2>/dev/null; then kill "$weston_pid"; fi
  cp -f "$work"/weston.log "$work"/shots/*.png "$artifacts"/ 2>/dev/null
}

# A compositor of the run's own, without screens or input devices; --debug
# lets weston-screenshooter take the screen.
start_weston() {
  export WAYLAND_DISPLAY=tolva-e2e-wayland
  weston --backend=headless-backend.so --use-pixman --width=1024 --height=768 --idle-time=0 --debug \
    --socket="$WAYLAND_DISPLAY" >"$work/weston.log" 2>&1 &
  weston_pid=$!
  wait_for 10 "weston listens on $XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY"
}

# The compositor's screen as SHOT.ppm (prints the path).
wayland_screenshot() {
  local taken
  rm -rf "$work/shots/new" && mkdir -p "$work/shots/new" || return 1
  (cd "$work/shots/new" && timeout 10 weston-screenshooter >/dev/null 2>&1) || return 1
  taken=$(ls "$work"/shots/new/*.png 2>/dev/null | head -n 1)
  [ -n "$taken" ] && mv "$taken" "$work/shots/$1.png" && convert "$work/shots/$1.png" -depth 8 "ppm:$work/$1.ppm" &&
    echo "$work/$1.ppm"
}

# The board on the compositor's screen, found wherever weston put the window,
# shows the stored puzzle.
board_on_wayland() {
  local shot corner
  shot=$(wayland_screenshot "$1") || return 1
  corner=$(python3 "$support" locate-board "$shot") || return 1
  python3 "$support" check-board "$shot" $corner start
}

program_environment
unset QT_QPA_PLATFORM
export XDG_SESSION_TYPE=wayland  # as a Wayland desktop sets it: Qt would pick Wayland
python3 "$support" write-puzzle "$work/start.sdk"
cd "$work" || fail "no scratch folder"
start_weston

# ------------------------------------------------------------------ 1. beside an X display

# Started as from a shell on a fresh machine, where no runtime folder is
# named: not a word on stderr, and nothing left in the temporary folder.
start_x_server
mkdir -p "$work/tmp"
launcher=(env -u XDG_RUNTIME_DIR TMPDIR="$work/tmp")
start_program xwayland
launcher=()
kill -TERM "$program_pid"
ends_within_a_second
[ "$status" -eq 0 ] || fail "xwayland: the program exited with status $status, not 0"
prefs_hold "$work/start.sdk" 40
[ ! -s "$work/xwayland.log" ] || fail "xwayland: the program wrote:"$'\n'"$(cat "$work/xwayland.log")"
[ -z "$(ls -A "$work/tmp")" ] || fail "xwayland: left in the temporary folder: $(ls -A "$work/tmp")"

# ------------------------------------------------------------------ 2. the user's choice wins

export QT_QPA_PLATFORM=wayland
launch chosen-wayland
wait_for 10 "chosen-wayland: the board shows the stored puzzle on the compositor" board_on_wayland chosen-wayland
[ -z "$(shown_windows)" ] || fail "chosen-wayland: the program opened windows on the X display"
kill -TERM "$program_pid"
ends_within_a_second
[ "$status" -eq 0 ] || fail "chosen-wayland: the program exited with status $status, not 0"
moved_x=$start_x moved_y=$start_y prefs_hold "$work/start.sdk" 40
unset QT_QPA_PLATFORM
kill "$xvfb_pid" 2>/dev/null
wait "$xvfb_pid" 2>/dev/null
xvfb_pid=

# ------------------------------------------------------------------ 3. the compositor alone

unset DISPLAY
launch wayland-alone
wait_for 10 "wayland-alone: the board shows the stored puzzle" board_on_wayland wayland-alone
kill -TERM "$program_pid"
ends_within_a_second
[ "$status" -eq 0 ] || fail "wayland-alone: the program exited with status $status, not 0"
# The position read back under Wayland is not the window's: the stored one stays.
moved_x=$start_x moved_y=$start_y prefs_hold "$work/start.sdk" 40
[ ! -s "$work/wayland-alone.log" ] || fail "wayland-alone: the program wrote:"$'\n'"$(cat "$work/wayland-alone.log")"

# ------------------------------------------------------------------ 4. an X display that does not answer

# A DISPLAY left over from elsewhere: the compositor is used instead.
for display in $(seq 199 -1 150); do
  [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ] || break
done
export DISPLAY=":$display"
launch x-unreachable
wait_for 10 "x-unreachable: the board shows the stored puzzle on the compositor" board_on_wayland x-unreachable
kill -TERM "$program_pid"
ends_within_a_second
[ "$status" -eq 0 ] || fail "x-unreachable: the program exited with status $status, not 0"

step "passed"
