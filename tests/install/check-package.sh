#!/bin/bash
# The Debian package as `make package` makes it (CPack's DEB generator): its
# contents are the installed files under /usr, its dependencies name the Qt
# libraries the binaries link and the fonts the program draws with, and the
# binaries it carries run from an unpacked copy.
#
# Usage: check-package.sh BUILD-DIR

set -u -o pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 BUILD-DIR" >&2
  exit 2
fi
build=$(realpath "$1")
here=$(realpath "$(dirname "$0")")
check_name=package
source "$here/check_lib.sh"
for tool in cpack dpkg-deb dpkg-shlibdeps readelf; do
  command -v "$tool" >/dev/null || { echo "FAILED: $tool is missing (scripts/install-deps installs it)" >&2; exit 1; }
done

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log" >&2; exit 1; }
shopt -s nullglob
packages=("$work"/tolva-sudoku_*.deb)
[ ${#packages[@]} -eq 1 ] || { echo "FAILED: no single package in $work" >&2; exit 1; }
package=${packages[0]}
echo "package: $(basename "$package")"

# ---------------------------------------------------------------- contents
dpkg-deb -c "$package" >"$work/contents.txt" || fail "dpkg-deb cannot list the package"
echo "contents:"
sed 's/^/  /' "$work/contents.txt"
awk '$1 !~ /^d/ { print $NF }' "$work/contents.txt" | sed 's|^\./usr/||' | LC_ALL=C sort >"$work/files.txt"
LC_ALL=C sort "$here/installed-files.txt" >"$work/expected.txt"
diff -u "$work/expected.txt" "$work/files.txt" || fail "the package's files differ from installed-files.txt"
grep -v '^d' "$work/contents.txt" | awk '{ print $2 }' | grep -vx 'root/root' && fail "files not owned by root"

# ---------------------------------------------------------------- control fields
field() { dpkg-deb -f "$package" "$1"; }
depends=$(field Depends)
echo "depends: $depends"
depended=$(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/ .*//')
for needed in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 fonts-liberation libc6 libstdc++6; do
  grep -qxF "$needed" <<<"$depended" || fail "Depends lacks $needed"
done
[ "$(field Package)" = "tolva-sudoku" ] || fail "the package's name"
[ "$(field Section)" = "games" ] || fail "the package's section"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "the package's architecture"

# ---------------------------------------------------------------- the binaries
dpkg-deb -x "$package" "$work/root" || fail "dpkg-deb cannot unpack the package"
for program in tolva-sudoku tolva-sudoku-thumbnailer; do
  readelf -d "$work/root/usr/bin/$program" | grep -E 'RPATH|RUNPATH' && fail "$program carries a run path"
done
head -c 4000 /dev/zero >"$work/empty.sdk"
env -i PATH=/usr/bin:/bin HOME="$work/home" "$work/root/usr/bin/tolva-sudoku-thumbnailer" -s 64 "$work/empty.sdk" \
  "$work/empty.png" 2>/dev/null && [ "$(python3 "$here/png_pixels.py" "$work/empty.png" size)" = "64 64" ] ||
  fail "the packaged thumbnailer draws no picture"

finish
