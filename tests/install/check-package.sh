#!/bin/bash
# The Debian package as a maintainer judges it: built from a copy of the
# source tree (dpkg-buildpackage -us -uc -b, as `make package` builds it),
# lintian --pedantic without an error or a warning, and unpacked into a scratch
# root: the files it installs with their modes, its control fields, the manual
# pages rendered without a warning, the autopkgtest smoke test on the unpacked
# thumbnailer, and a puzzle opened with xdg-open on a desktop without GNOME or
# KDE, which starts the packaged program on it through the desktop entry: one
# the program saved, then another program's text .sdk.
#
# Usage: check-package.sh SEND-CLOSE-REQUEST ARTIFACT-DIR

set -u -o pipefail

if [ $# -ne 2 ]; then
  echo "usage: $0 SEND-CLOSE-REQUEST ARTIFACT-DIR" >&2
  exit 2
fi
send_close_request=$(realpath "$1")
artifacts=$(realpath -m "$2")
lists=$(realpath "$(dirname "$0")")
tree=$(realpath "$lists/../..")
here=$tree/tests/e2e
support=$here/e2e_support.py
for tool in dpkg-buildpackage dpkg-checkbuilddeps dpkg-deb lintian man readelf update-mime-database \
  update-desktop-database xdg-open mimetype Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "FAILED: $tool is missing (scripts/install-deps installs it)" >&2; exit 1; }
done

source "$here/e2e_lib.sh"

step "building the package"
"$tree/scripts/build-package" "$work" 2 || fail "the package does not build"
shopt -s nullglob
packages=("$work"/tolva-sudoku_*.deb)
changes=("$work"/tolva-sudoku_*.changes)
[ ${#packages[@]} -eq 1 ] && [ ${#changes[@]} -eq 1 ] || fail "no single package and .changes in $work"
package=${packages[0]}
step "built $(basename "$package")"

# ---------------------------------------------------------------- lintian
lintian --pedantic --display-info "$package" "${changes[0]}" >"$work/lintian.log" 2>&1
status=$?
echo "lintian --pedantic --display-info:"
sed 's/^/  /' "$work/lintian.log"
[ "$status" -eq 0 ] || fail "lintian ended with status $status"
grep -E '^[EW]: ' "$work/lintian.log" && fail "lintian reports errors or warnings"
# The hardening flags of dpkg-buildflags reach every binary.
grep 'hardening-' "$work/lintian.log" && fail "a binary lacks hardening"
step "lintian done"

# ---------------------------------------------------------------- contents
root=$work/root
dpkg-deb -x "$package" "$root" || fail "dpkg-deb cannot unpack the package"
(cd "$root" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort) >"$work/files.txt"
{
  sed 's|^|usr/|; s|^\(usr/share/man/.*\)$|\1.gz|' "$lists/installed-files.txt"
  printf 'usr/share/doc/tolva-sudoku/%s\n' README.md.gz changelog.Debian.gz copyright
  echo usr/share/lintian/overrides/tolva-sudoku
} | LC_ALL=C sort >"$work/expected.txt"
diff -u "$work/expected.txt" "$work/files.txt" || fail "the package's files differ from installed-files.txt"
echo "the package installs:"
sed 's|^|  /|' "$work/files.txt"

dpkg-deb -c "$package" >"$work/contents.txt" || fail "dpkg-deb cannot list the package"
awk '$2 != "root/root"' "$work/contents.txt" | grep . && fail "files not owned by root"
# Executable: the program, the thumbnailer, the explainer and the launcher; every other file
# readable by all and written by root only.
awk '$1 ~ /^-/ { print $1, $NF }' "$work/contents.txt" | sed 's| \./| |' | LC_ALL=C sort >"$work/modes.txt"
executables='usr/games/tolva-sudoku|usr/games/tolva-sudoku-thumbnailer|usr/games/tolva-sudoku-explain|usr/libexec/tolva-sudoku/launch'
grep -Ev "^-rwxr-xr-x ($executables)$" "$work/modes.txt" | grep -v '^-rw-r--r-- ' && fail "files of the wrong mode"
[ "$(grep -c '^-rwxr-xr-x ' "$work/modes.txt")" -eq 4 ] || fail "not four executables"
for program in tolva-sudoku tolva-sudoku-thumbnailer tolva-sudoku-explain; do
  readelf -d "$root/usr/games/$program" | grep -E 'RPATH|RUNPATH' && fail "$program carries a run path"
done

# ---------------------------------------------------------------- control fields
field() { dpkg-deb -f "$package" "$1"; }
[ "$(field Package)" = "tolva-sudoku" ] || fail "the package's name"
[ "$(field Version)" = "1.0.0-1" ] || fail "the package's version: $(field Version)"
[ "$(field Section)" = "games" ] || fail "the package's section"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "the package's architecture"
[[ "$(field Maintainer)" == *"@tolva.de>" ]] || fail "the maintainer's address: $(field Maintainer)"
depends=$(field Depends)
echo "depends: $depends"
depended=$(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/ .*//')
for needed in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 fonts-liberation libc6 libstdc++6; do
  grep -qxF "$needed" <<<"$depended" || fail "Depends lacks $needed"
done

# ---------------------------------------------------------------- manual pages
for name in man6/tolva-sudoku.6 de/man6/tolva-sudoku.6 man1/tolva-sudoku-thumbnailer.1 man1/tolva-sudoku-explain.1; do
  text=$work/$(tr / - <<<"$name").txt
  LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l "$root/usr/share/man/$name.gz" \
    >"$text" 2>"$work/man.log" || fail "man cannot render $name"
  [ -s "$work/man.log" ] && fail "man warns on $name:"$'\n'"$(cat "$work/man.log")"
  grep -qE '^(SYNOPSIS|ÜBERSICHT)$' "$text" || fail "$name has no synopsis"
done
grep -q 'Sudoku-Rätsel eingeben, lösen, erstellen und drucken' "$work/de-man6-tolva-sudoku.6.txt" ||
  fail "the German page does not show its umlauts"

# ---------------------------------------------------------------- the smoke test
# debian/tests/thumbnail as autopkgtest runs it, on the unpacked thumbnailer,
# also without XDG_RUNTIME_DIR.
mkdir -p "$work/autopkgtest"
env -u XDG_RUNTIME_DIR PATH="$root/usr/games:/usr/bin:/bin" AUTOPKGTEST_TMP="$work/autopkgtest" \
  sh "$tree/debian/tests/thumbnail" >"$work/autopkgtest.log" 2>&1 ||
  fail "the autopkgtest smoke test fails:"$'\n'"$(cat "$work/autopkgtest.log")"

# ---------------------------------------------------------------- xdg-open
# The desktop's data from the package, with the caches its triggers make on
# an install; the entry's commands (full paths under /usr) taken from the
# scratch root.
data=$work/data
cp -r "$root/usr/share" "$data"
update-mime-database "$data/mime" >"$work/mime.log" 2>&1 || fail "update-mime-database rejects the package"
entry=$data/applications/tolva-sudoku.desktop
sed -i "/^\(Try\)\?Exec=/s|=/usr/|=$root/usr/|" "$entry"
grep -qx "Exec=$root/usr/libexec/tolva-sudoku/launch %f" "$entry" || fail "the entry does not run the launcher with %f"
update-desktop-database "$data/applications" >"$work/desktop.log" 2>&1 || fail "update-desktop-database rejects the entry"

step "starting an X server"
start_x_server
program_environment
folder=$XDG_CONFIG_HOME/tolva-sudoku
mkdir -p "$work/puzzles"
python3 "$support" write-puzzle "$work/puzzles/Mein Rätsel 1.sdk"
xdg_open_pid=
cleanup_more() {
  if [ -n "$xdg_open_pid" ] && kill -0 "$xdg_open_pid" 2>/dev/null; then kill "$xdg_open_pid"; fi
}

main_window() { timeout 5 xdotool search --onlyvisible --name '^Tolva Sudoku$' | head -n 1; }
board_shows_puzzle() {
  local shot
  shot=$(screenshot board) && python3 "$support" check-board "$shot" "$main_x" "$main_y" start
}

# xdg_open NAME: xdg-open NAME in the puzzles' folder, on a generic desktop (no
# desktop named, no GNOME or KDE session), the name as given, relative to the
# current folder; the packaged program shows the puzzle and ends on a close
# request, and xdg-open with it.
xdg_open() {
  step "xdg-open \"$1\" in the puzzle's folder"
  (cd "$work/puzzles" && exec env -i PATH=/usr/bin:/bin LANG=C.UTF-8 DISPLAY="$DISPLAY" HOME="$HOME" \
    XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" XDG_CONFIG_HOME="$XDG_CONFIG_HOME" XDG_DATA_HOME="$work/no-data" \
    XDG_DATA_DIRS="$data" xdg-open "$1") >"$work/xdg-open.log" 2>&1 &
  xdg_open_pid=$!
  wait_for 30 "the main window \"Tolva Sudoku\" appears"$'\n'"$(cat "$work/xdg-open.log")" main_window
  program_pid=$(timeout 5 xdotool getwindowpid "$(main_window)")
  [ -n "$program_pid" ] || fail "the main window names no process"
  [ "$(readlink "/proc/$program_pid/exe")" = "$root/usr/games/tolva-sudoku" ] ||
    fail "the program started is not the packaged one: $(readlink "/proc/$program_pid/exe")"
  [ "$(readlink "/proc/$program_pid/cwd")" = "$folder" ] ||
    fail "the program runs in $(readlink "/proc/$program_pid/cwd"), not in $folder"
  read -r main_x main_y <<<"$(position "$(main_window)")"
  timeout 5 xdotool mousemove 1000 740 || fail "cannot move the pointer"
  wait_for 10 "the board shows the puzzle opened" board_shows_puzzle

  "$send_close_request" "Tolva Sudoku" || fail "the close request could not be sent"
  wait_for 10 "xdg-open returns once the program has ended" not kill -0 "$xdg_open_pid"
  wait "$xdg_open_pid"
  local status=$?
  xdg_open_pid=
  program_pid=
  [ "$status" -eq 0 ] || fail "xdg-open ended with status $status:"$'\n'"$(cat "$work/xdg-open.log")"
  [ -s "$folder/Data.prefs" ] || fail "no Data.prefs written in $folder"
}

xdg_open "Mein Rätsel 1.sdk"
# Another program's text .sdk (header lines, CR LF, a byte order mark) of the
# same puzzle: its givens are shown.
python3 "$support" write-text-puzzle "$work/puzzles/Rätsel von anderswo.sdk" sdk
xdg_open "Rätsel von anderswo.sdk"

step "package: all checks passed"
