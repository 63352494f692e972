# Shared by the end-to-end runs: a scratch folder, an X server of the run's
# own, waiting for conditions, screenshots and pointer clicks. Source it after
# setting `artifacts` (the folder kept for a look after a failure) and `here`
# (this folder).
#
# Waiting: a run waits for conditions (a window shown, a file written, a
# pixel changed) with `wait_for SECONDS ...`, never for a fixed time. SECONDS
# is the bound on an idle machine with the build without sanitizers; every
# bound is multiplied by the whole number in TEST_TIME_FACTOR (1 when unset),
# which the build gives each run through its CMake test properties
# (tolva_run_properties in tests/CMakeLists.txt: larger in the sanitizer
# build, and enough for a busy 2-core machine). A bound that is no wait_for
# (a time limit on a program, a deadline of milliseconds) is scaled with
# `scaled N`. Waiting costs nothing beyond the condition's own time, so bounds
# are generous.

started=$SECONDS
time_factor=${TEST_TIME_FACTOR:-1}
[[ "$time_factor" =~ ^[1-9][0-9]*$ ]] || { echo "TEST_TIME_FACTOR is no whole number: $time_factor" >&2; exit 2; }

# scaled N: N times the time factor.
scaled() { echo $(($1 * time_factor)); }
work=$(mktemp -d -t tolva-e2e.XXXXXX)
xvfb_pid=
wm_pid=
bus_pid=
program_pid=

rm -rf "$artifacts"
mkdir -p "$artifacts"

# Extra clean-up of a run, called first by cleanup.
cleanup_more() { :; }

cleanup() {
  cleanup_more
  if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then kill "$program_pid"; fi
  if [ -n "$wm_pid" ] && kill -0 "$wm_pid" 2>/dev/null; then kill "$wm_pid"; fi
  if [ -n "$bus_pid" ] && kill -0 "$bus_pid" 2>/dev/null; then kill "$bus_pid"; fi
  if [ -n "$xvfb_pid" ] && kill -0 "$xvfb_pid" 2>/dev/null; then kill "$xvfb_pid"; fi
  wait 2>/dev/null
  cp -f "$work"/*.sdk "$work"/Data.prefs "$work"/*.log "$artifacts"/ 2>/dev/null
  for shot in "$work"/*.ppm; do
    [ -e "$shot" ] && timeout 10 convert "$shot" "$artifacts/$(basename "$shot" .ppm).png"
  done
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAILED: $*" >&2
  screenshot failure >/dev/null 2>&1
  exit 1
}

step() { echo "[$((SECONDS - started))s] $*"; }

# wait_for SECONDS DESCRIPTION COMMAND...: runs COMMAND every 0.1 s until it
# succeeds; fails the test with COMMAND's last output when SECONDS (scaled)
# have passed.
wait_for() {
  local limit=$(($1 * time_factor)) what=$2 output
  shift 2
  local deadline=$((SECONDS + limit))
  while true; do
    if output=$("$@" 2>&1); then return 0; fi
    if [ "$SECONDS" -ge "$deadline" ]; then fail "$what (after ${limit}s)"$'\n'"$output"; fi
    sleep 0.1
  done
}

# screenshot NAME: the whole screen as NAME.ppm in the scratch folder (prints
# the path); kept as NAME.png among the artifacts.
screenshot() {
  local file="$work/$1.ppm"
  timeout 10 import -window root -depth 8 "ppm:$file" && echo "$file"
}

# search_windows ARGUMENTS...: the ids of the windows `xdotool search`
# finds, one a line. A search that its time limit cuts short (a busy
# machine) is made again, so an empty answer always means that there is no
# such window: a wait for a window to go never passes on a search that was
# not made.
search_windows() {
  local found
  while true; do
    found=$(timeout 5 xdotool search "$@" 2>/dev/null)
    [ $? -ne 124 ] && break
  done
  [ -z "$found" ] || echo "$found"
}

# The program's top-level windows now shown, one id a line.
shown_windows() { search_windows --onlyvisible --class tolva-sudoku; }

# Conditions to wait for.
not() { ! "$@"; }
shown() { shown_windows | grep -qx "$1"; }
more_than_two_shown() { [ "$(shown_windows | wc -l)" -gt 2 ]; }
title_is() { [ "$(timeout 5 xdotool getwindowname "$1")" = "$2" ]; }
size_is() { [ "$(stat -c %s "$1" 2>/dev/null)" = "$2" ]; }

# position WINDOW: "x y" of its client area's top-left corner on the screen.
position() {
  timeout 5 xwininfo -id "$1" | awk -F: '/Absolute upper-left X/ { x = $2 + 0 } /Absolute upper-left Y/ { y = $2 + 0 }
    END { print x, y }'
}

# frame_extents WINDOW: "left right top bottom", the window manager's frame
# around the client area; "0 0 0 0" without a window manager.
frame_extents() {
  local extents
  extents=$(timeout 5 xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= *//p' | tr -d ',')
  echo "${extents:-0 0 0 0}"
}

# framed WINDOW: the window manager has put its frame around the window. (A
# wait_for asks it anew at every try; "$(frame_extents ...)" as an argument
# would be read once only.)
framed() { [ "$(frame_extents "$1")" != "0 0 0 0" ]; }

# window_property WINDOW NAME: the property's value as xprop prints it after
# "=", empty when it is not set.
window_property() { timeout 5 xprop -id "$1" "$2" 2>/dev/null | sed -n 's/^[^=]*= *//p'; }

# move_pointer X Y: moves the pointer there and waits until it is there.
# (xdotool's own --sync waits for ever when it is there already.)
pointer_at() {
  [ "$(timeout 5 xdotool getmouselocation 2>/dev/null | sed -n 's/^x:\([0-9]*\) y:\([0-9]*\) .*/\1 \2/p')" = "$1 $2" ]
}
move_pointer() {
  timeout 5 xdotool mousemove "$1" "$2" || fail "cannot move the pointer"
  wait_for 5 "the pointer is at ($1, $2)" pointer_at "$1" "$2"
}

# click X Y: moves the pointer there, then clicks.
click() {
  move_pointer "$1" "$2"
  timeout 5 xdotool click 1 || fail "cannot click"
}

# has_focus WINDOW: the window has the keyboard focus, so keys typed go to it.
has_focus() { [ "$(timeout 5 xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }

# The display is ours once its lock file names our server and it answers;
# another run may have taken the number meanwhile, and then ours ends.
ours_and_up() {
  kill -0 "$xvfb_pid" 2>/dev/null && [ "$(tr -d ' \n' 2>/dev/null <"/tmp/.X$1-lock")" = "$xvfb_pid" ] &&
    timeout 2 xdotool getdisplaygeometry >/dev/null 2>&1
}

# start_x_server [WxHxD]: an Xvfb on the first free display from :90, exported
# as DISPLAY; the screen is 1024x768x24 unless given.
start_x_server() {
  local geometry=${1:-1024x768x24} display deadline
  for display in $(seq 90 130); do
    [ -e "/tmp/.X$display-lock" ] && continue
    # -noreset: the server would reset when the waiting client below leaves,
    # and a client connecting just then (the window manager) would fail.
    # -r: keys never repeat. A key the tests press is held until its release
    # reaches the server, which on a busy machine can take longer than the
    # repeat delay: a Return that closes a dialog would then press Return
    # again in the window below it.
    Xvfb ":$display" -screen 0 "$geometry" -nolisten tcp -wr -noreset -r >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$display"
    deadline=$((SECONDS + $(scaled 5)))
    while kill -0 "$xvfb_pid" 2>/dev/null && ! ours_and_up "$display" && [ "$SECONDS" -lt "$deadline" ]; do
      sleep 0.1
    done
    ours_and_up "$display" && return 0
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=
  done
  fail "no X server could be started"
}

# wm_is_up NAME: the window manager runs and names itself on the root window
# (_NET_SUPPORTING_WM_CHECK) with a name that begins with NAME ("Openbox",
# "Xfwm4", "IceWM 3.3.1 ...").
wm_is_up() {
  local check
  kill -0 "$wm_pid" 2>/dev/null || return 1
  check=$(timeout 2 xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | sed -n 's/.*window id # //p')
  [ -n "$check" ] && timeout 2 xprop -id "$check" _NET_WM_NAME 2>/dev/null | grep -qi "= \"$1"
}

bus_is_up() { [ -S "$work/bus" ]; }

# start_window_manager [openbox|xfwm4|icewm]: a real window manager (openbox
# unless named) on our X server, with its settings in the scratch folder
# (call program_environment first). xfwm4 reads them from xfconf over a D-Bus
# session bus, one of the run's own.
start_window_manager() {
  local name=${1:-openbox}
  command -v "$name" >/dev/null || fail "$name is not installed"
  case $name in
    openbox) openbox --sm-disable >"$work/openbox.log" 2>&1 & ;;
    xfwm4)
      command -v dbus-daemon >/dev/null || fail "dbus-daemon is not installed"
      dbus-daemon --session --nofork --address="unix:path=$work/bus" >"$work/bus.log" 2>&1 &
      bus_pid=$!
      wait_for 10 "the D-Bus session bus for xfwm4 is up" bus_is_up
      DBUS_SESSION_BUS_ADDRESS="unix:path=$work/bus" NO_AT_BRIDGE=1 \
        xfwm4 --compositor=off --sm-client-disable >"$work/xfwm4.log" 2>&1 &
      ;;
    icewm) ICEWM_PRIVCFG="$work/icewm" icewm >"$work/icewm.log" 2>&1 & ;;
    *) fail "no such window manager: $name" ;;
  esac
  wm_pid=$!
  wait_for 10 "$name is up" wm_is_up "$name"
}

# The program's own environment: the real X server, and the dialogs' settings
# and caches kept in the scratch folder.
program_environment() {
  export QT_QPA_PLATFORM=xcb
  export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache"
  # For the sanitizer build: what the system's libraries keep until exit is no
  # leak of the program's.
  export LSAN_OPTIONS="suppressions=$here/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
  # and its leak check must not crash on glibc's dynamic TLS (see
  # tests/support/SanitizerOptions.cpp). Full unwinding at each allocation:
  # the system's libraries are built without frame pointers, and only the
  # full unwinder names the library a leak comes from, which is what the
  # suppressions match.
  export ASAN_OPTIONS="intercept_tls_get_addr=0:fast_unwind_on_malloc=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
  mkdir -p -m 700 "$XDG_RUNTIME_DIR" "$HOME"
}
