#!/bin/bash
# The program with the real screen reader: Debian's Orca speaking German
# through speech-dispatcher and espeak-ng (to a null sound device), on a
# session bus of the run's own with the desktop's accessibility bus, under
# openbox, while another Orca of the same user runs (as a blind developer's
# own screen reader does). A scripted keyboard session (orca_session.py)
# moves around the board, types digits and S, checks for errors with and
# without a conflict, takes one step, undoes and redoes, opens a menu,
# creates a puzzle through the dialog, pastes one and asks for a hint twice
# and checks it against its solution, pastes text that is no puzzle, saves,
# opens, and goes through the print selection to the preview, and after each
# key waits for the lines Orca's log says it spoke.
#
# Usage: run-e2e-orca.sh PROGRAM ARTIFACT-DIR
# Runs itself on a session bus of its own (dbus-run-session).

set -u -o pipefail

source "$(dirname "$0")/e2e_own_bus.sh"

speech_pid=
other_orca_pid=
cleanup_more() {
  if [ -n "$speech_pid" ] && kill -0 "$speech_pid" 2>/dev/null; then kill "$speech_pid"; fi
  if [ -n "$other_orca_pid" ] && kill -0 "$other_orca_pid" 2>/dev/null; then kill "$other_orca_pid"; fi
  cp -f "$work"/run/orca.log "$work"/run/spoken.txt "$work"/run/program.log "$artifacts"/ 2>/dev/null
}

step "checking the screen reader's packages"
command -v orca >/dev/null || fail "orca is not installed"
command -v speech-dispatcher >/dev/null || fail "speech-dispatcher is not installed"
# Without its espeak-ng module speech-dispatcher refuses to start.
[ -x /usr/lib/speech-dispatcher-modules/sd_espeak-ng ] || fail "speech-dispatcher-espeak-ng is not installed"
[ -x /usr/libexec/at-spi-bus-launcher ] || fail "at-spi2-core is not installed"
[ -f /usr/share/i18n/locales/de_DE ] || fail "the locales package (its German locale source) is not installed"
/usr/bin/python3 -c 'import pyatspi' || fail "python3-pyatspi (Orca's) is missing"
command -v xclip >/dev/null || fail "xclip is not installed"

step "starting an X server and openbox on a session bus of the run's own"
start_x_server
program_environment
start_window_manager
mkdir -p "$work/run"
printf '%s\r\n' "FensterX = 185" "FensterY = 203" "Ort = " "Schwierigkeit = 35" >"$work/run/Data.prefs"

step "a German locale in the run's own folder, a null sound device, speech-dispatcher"
mkdir -p "$work/locale"
localedef -c -i de_DE -f UTF-8 "$work/locale/de_DE.UTF-8" >"$work/localedef.log" 2>&1
[ -f "$work/locale/de_DE.UTF-8/LC_MESSAGES/SYS_LC_MESSAGES" ] || fail "no German locale could be made"
export LOCPATH="$work/locale"
export LANG=de_DE.UTF-8 LANGUAGE=de LC_ALL=de_DE.UTF-8
printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' >"$HOME/.asoundrc"
mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher"
cat >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf" <<EOF
AudioOutputMethod "alsa"
AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"
DefaultModule espeak-ng
DefaultLanguage "de"
EOF
speech-dispatcher --run-single --timeout 0 --communication-method unix_socket --socket-path "$work/speechd.sock" \
  --log-dir "$work" >"$work/speechd.log" 2>&1 &
speech_pid=$!
export SPEECHD_ADDRESS="unix_socket:$work/speechd.sock"
wait_for 10 "speech-dispatcher is up" test -S "$work/speechd.sock"

step "another Orca of the same user runs: a process of that name, as Orca's launcher looks for it"
mkdir -p "$work/other"
cp "$(command -v sleep)" "$work/other/orca"
"$work/other/orca" 100000 &
other_orca_pid=$!
wait_for 5 "the other Orca runs" pgrep -u "$(id -u)" -x orca

step "Orca follows a keyboard session"
/usr/bin/python3 "$here/orca_session.py" "$program" "$work/run" "$(scaled 20)" || fail "what Orca spoke"
cat "$work/run/spoken.txt"
kill -0 "$other_orca_pid" 2>/dev/null || fail "the other Orca was ended"

step "passed"
