#!/bin/bash
# `cmake --install` into a staging folder: the files it puts there, the desktop
# entry and the metainfo as the desktop's own tools judge them, the ".sdk" file
# type as the desktop's MIME database and GIO see it, the icons' sizes, the
# thumbnailer entry, and binaries free of the build tree's run paths.
#
# Usage: check-install.sh BUILD-DIR

set -u -o pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 BUILD-DIR" >&2
  exit 2
fi
build=$(realpath "$1")
here=$(realpath "$(dirname "$0")")
check_name=install
source "$here/check_lib.sh"
for tool in desktop-file-validate appstreamcli update-mime-database update-desktop-database gio readelf xmllint; do
  command -v "$tool" >/dev/null || { echo "FAILED: $tool is missing (scripts/install-deps installs it)" >&2; exit 1; }
done

stage=$work/stage/usr
cmake --install "$build" --prefix "$stage" >"$work/install.log" 2>&1 || { cat "$work/install.log" >&2; exit 1; }

# ---------------------------------------------------------------- the files
(cd "$stage" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort) >"$work/installed.txt"
LC_ALL=C sort "$here/installed-files.txt" >"$work/expected.txt"
diff -u "$work/expected.txt" "$work/installed.txt" || fail "the installed files differ from installed-files.txt"
echo "installed under the prefix:"
sed 's/^/  /' "$work/installed.txt"
for program in tolva-sudoku tolva-sudoku-thumbnailer tolva-sudoku-explain; do
  [ -x "$stage/games/$program" ] || fail "games/$program is not executable"
  readelf -d "$stage/games/$program" | grep -E 'RPATH|RUNPATH' && fail "games/$program carries a run path"
done
launcher=$stage/libexec/tolva-sudoku/launch
[ -x "$launcher" ] || fail "the launcher is not executable"

# ---------------------------------------------------------------- the desktop entry
entry=$stage/share/applications/tolva-sudoku.desktop
output=$(desktop-file-validate "$entry" 2>&1) && [ -z "$output" ] || fail "desktop-file-validate: $output"
key() { sed -n "s/^$1=//p" "$2"; }
[ "$(key Categories "$entry")" = "Game;LogicGame;" ] || fail "Categories is not Game;LogicGame;"
[ "$(key 'Name\[de\]' "$entry")" = "Tolva Sudoku" ] || fail "no German name"
[ -n "$(key 'Comment\[de\]' "$entry")" ] || fail "no German comment"
# A plain command line that every launcher parses: the launcher's full path
# (a session's PATH need not hold it) and the file.
[ "$(key Exec "$entry")" = "$launcher %f" ] || fail "Exec is not \"$launcher %f\": $(key Exec "$entry")"
[ "$(key TryExec "$entry")" = "$launcher" ] || fail "TryExec is not the launcher"
[ "$(key MimeType "$entry")" = "application/x-tolva-sudoku;" ] || fail "the entry does not open .sdk files"
[ -e "$stage/share/icons/hicolor/48x48/apps/$(key Icon "$entry").png" ] || fail "the entry's icon is not installed"

# ---------------------------------------------------------------- the metainfo
metainfo=$stage/share/metainfo/de.tolva.sudoku.metainfo.xml
output=$(appstreamcli validate --no-net "$metainfo" 2>&1)
status=$?
[ "$status" -eq 0 ] || fail "appstreamcli validate: status $status"$'\n'"$output"
grep -Eq '^(W|E):' <<<"$output" && fail "appstreamcli validate warns:"$'\n'"$output"
for element in 'summary xml:lang="de"' 'summary' 'p xml:lang="de"' 'screenshot type="default"' \
  'content_rating type="oars-1.1"' 'launchable type="desktop-id">tolva-sudoku.desktop'; do
  grep -q "<$element" "$metainfo" || fail "the metainfo has no <$element"
done

# ---------------------------------------------------------------- the file type
mime_package=$stage/share/mime/packages/tolva-sudoku.xml
xmllint --noout "$mime_package" || fail "the MIME package is no well-formed XML"
cp -r "$stage/share" "$work/data"
update-mime-database "$work/data/mime" >"$work/mime.log" 2>&1 || fail "update-mime-database rejects the package"
grep -qx '50:application/x-tolva-sudoku:\*\.sdk:cs' "$work/data/mime/globs2" || fail "no case-sensitive glob *.sdk"
update-desktop-database "$work/data/applications" >"$work/desktop.log" 2>&1 || fail "update-desktop-database rejects the entry"
head -c 4000 /dev/zero >"$work/puzzle.sdk"
cp "$work/puzzle.sdk" "$work/PUZZLE.SDK"
desktop_env() {
  env -i PATH="/usr/bin:/bin" HOME="$work/home" XDG_DATA_HOME="$work/no-data" XDG_CONFIG_HOME="$work/no-config" \
    XDG_DATA_DIRS="$work/data:/usr/share" "$@"
}
type_of() { desktop_env gio info -a standard::content-type "$1" | sed -n 's/^ *standard::content-type: //p'; }
[ "$(type_of "$work/puzzle.sdk")" = "application/x-tolva-sudoku" ] || fail "GIO does not see a .sdk file as a puzzle"
# The program opens only names ending exactly in ".sdk".
[ "$(type_of "$work/PUZZLE.SDK")" != "application/x-tolva-sudoku" ] || fail "a .SDK file is taken for a puzzle"
handlers=$(desktop_env gio mime application/x-tolva-sudoku 2>&1)
grep -q 'tolva-sudoku\.desktop' <<<"$handlers" || fail "GIO does not offer the program for .sdk files:"$'\n'"$handlers"

# ---------------------------------------------------------------- the icons
for size in 16 22 24 32 48 64 128 256; do
  icon=$stage/share/icons/hicolor/${size}x$size/apps/tolva-sudoku.png
  [ "$(python3 "$here/png_pixels.py" "$icon" size 2>/dev/null)" = "$size $size" ] ||
    fail "the ${size}x$size icon is not a $size x $size PNG"
done

# ---------------------------------------------------------------- the thumbnailer entry
thumbnailer=$stage/share/thumbnailers/tolva-sudoku.thumbnailer
[ "$(key TryExec "$thumbnailer")" = "$stage/games/tolva-sudoku-thumbnailer" ] || fail "the thumbnailer's TryExec"
[ "$(key Exec "$thumbnailer")" = "$stage/games/tolva-sudoku-thumbnailer -s %s %i %o" ] || fail "the thumbnailer's Exec"
[ "$(key MimeType "$thumbnailer")" = "application/x-tolva-sudoku;" ] || fail "the thumbnailer's MimeType"
# As a file manager calls it, from the installed copy.
"$stage/games/tolva-sudoku-thumbnailer" -s 128 "$work/puzzle.sdk" "$work/thumbnail.png" 2>/dev/null &&
  [ "$(python3 "$here/png_pixels.py" "$work/thumbnail.png" size)" = "128 128" ] || fail "the installed thumbnailer"

# ---------------------------------------------------------------- the explainer
# The installed copy explains a puzzle to its end.
summary=$(echo "...6.1...1...3...4...254.....8...5...4.....9.36..2..188.1.9.2.763.5.7.41....1...." |
  "$stage/games/tolva-sudoku-explain" --summary) || fail "the installed explainer"
[ "$(cut -d' ' -f3,4 <<<"$summary")" = "1 1" ] || fail "the installed explainer did not solve: $summary"

finish
