#!/bin/bash
# The thumbnailer on a puzzle of known cells (their pixels), on files that are
# no puzzles (each gives a picture or a clean failure, never a crash or a
# hang), on wrong arguments, and in a bare environment as a file manager's
# sandbox runs it: no display, nothing written to the home folder.
#
# Usage: check-thumbnailer.sh THUMBNAILER

set -u -o pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 THUMBNAILER" >&2
  exit 2
fi
thumbnailer=$(realpath "$1")
here=$(realpath "$(dirname "$0")")
pixels() { python3 "$here/png_pixels.py" "$@"; }
check_name=thumbnailer
source "$here/check_lib.sh"

# Sanitizer reports (of the sanitizer build) must not pass for a clean failure;
# a leak's report names the library it comes from (full unwinding).
export ASAN_OPTIONS="exitcode=86:fast_unwind_on_malloc=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export UBSAN_OPTIONS="exitcode=86${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"

# run NAME ARGS...: the thumbnailer with a time limit; its exit code in $rc,
# its messages in $work/NAME.err.
run() {
  local name=$1
  shift
  timeout "$(scaled 30)" "$thumbnailer" "$@" >"$work/$name.out" 2>"$work/$name.err"
  rc=$?
  if grep -q -e 'Sanitizer' -e 'runtime error:' "$work/$name.err"; then
    fail "$name: a sanitizer report"
    cat "$work/$name.err" >&2
  fi
}

# size_of PNG: "W H", or nothing when it is no readable PNG.
size_of() { pixels "$1" size 2>/dev/null; }

# ---------------------------------------------------------------- a puzzle
# A1 a given 5 (black), B1 an entered 7 (green), C1 the candidates 1 2 4 5 7
# (small, green), everything else empty.
python3 - "$work/puzzle.sdk" <<'PY'
import struct, sys
cells = [[[0] * 10 for _ in range(10)] for _ in range(10)]
cells[1][1][4] = cells[1][1][9] = 1
cells[2][1][6] = 1
for digit in (1, 2, 4, 5, 7):
    cells[3][1][digit - 1] = 1
with open(sys.argv[1], 'wb') as f:
    f.write(b''.join(struct.pack('<10i', *cells[c][r]) for c in range(10) for r in range(10)))
PY

start=$(date +%s%N)
run puzzle -s 300 "$work/puzzle.sdk" "$work/puzzle.png"
elapsed_ms=$(( ($(date +%s%N) - start) / 1000000 ))
[ "$rc" -eq 0 ] || fail "a puzzle: exit code $rc"
[ "$(size_of "$work/puzzle.png")" = "300 300" ] || fail "a puzzle at 300: not a 300 x 300 PNG"
echo "one puzzle drawn in ${elapsed_ms} ms"

# count X0 Y0 X1 Y1 R G B: pixels of that colour inside the cell's rectangle.
count() { pixels "$work/puzzle.png" count "$@"; }
black=(0 0 0) green=(0 153 0) cyan=(0 255 255) yellow=(255 255 0)
# The insides of the cells (grid lines excluded): A1 x 1 to 32, B1 34 to 65,
# C1 67 to 98, D1 102 to 132 (yellow box), E5 134 to 165 in both directions.
[ "$(count 1 1 32 32 "${black[@]}")" -gt 40 ] || fail "A1: no black digit"
[ "$(count 1 1 32 32 "${green[@]}")" -eq 0 ] || fail "A1: a given is drawn green"
[ "$(count 34 1 65 32 "${green[@]}")" -gt 40 ] || fail "B1: no green digit"
[ "$(count 34 1 65 32 "${black[@]}")" -eq 0 ] || fail "B1: an entered digit is drawn black"
small=$(count 67 1 98 32 "${green[@]}")
[ "$small" -gt 10 ] && [ "$small" -lt "$(count 34 1 65 32 "${green[@]}")" ] ||
  fail "C1: the candidates are not drawn small ($small green pixels)"
[ "$(count 67 24 98 32 "${green[@]}")" -eq 0 ] || fail "C1: a third line of candidates where two are due"
[ "$(count 102 1 132 32 "${yellow[@]}")" -eq $((31 * 32)) ] || fail "D1: the empty cell is not plain yellow"
[ "$(count 134 134 165 165 "${cyan[@]}")" -eq $((32 * 32)) ] || fail "E5: the empty cell is not plain cyan"

# Sizes: as asked up to the board's own 300, never larger than asked.
for size in 16 128 256; do
  run size$size -s $size "$work/puzzle.sdk" "$work/size$size.png"
  [ "$rc" -eq 0 ] && [ "$(size_of "$work/size$size.png")" = "$size $size" ] || fail "-s $size: not a $size x $size PNG"
done
run default "$work/puzzle.sdk" "$work/default.png"
[ "$rc" -eq 0 ] && [ "$(size_of "$work/default.png")" = "128 128" ] || fail "no size: not the usual 128 x 128"
run large -s 1024 "$work/puzzle.sdk" "$work/large.png"
[ "$rc" -eq 0 ] && [ "$(size_of "$work/large.png")" = "300 300" ] || fail "-s 1024: not the board's own 300 x 300"

# ---------------------------------------------------------------- text puzzles
# Another program's puzzle as text (a .sdk with header lines, a framed .ss
# grid, one line, a file of Debian's game "sudoku", UTF-16 text) is drawn as
# the same puzzle saved by this program: the same picture, pixel for pixel,
# of a board of 72 locked givens.
e2e_support=$(realpath "$here/../e2e/e2e_support.py")
python3 "$e2e_support" write-puzzle "$work/dump.sdk"
run dump -s 300 "$work/dump.sdk" "$work/dump.png"
[ "$rc" -eq 0 ] && [ "$(pixels "$work/dump.png" count 1 1 32 32 0 0 0)" -eq 0 ] &&
  [ "$(pixels "$work/dump.png" count 34 1 65 32 0 0 0)" -gt 40 ] || fail "the saved puzzle: not A1 empty and B1 a given"
for form in sdk ss line debian utf16; do
  python3 "$e2e_support" write-text-puzzle "$work/text-$form.sdk" "$form"
  run "text-$form" -s 300 "$work/text-$form.sdk" "$work/text-$form.png"
  [ "$rc" -eq 0 ] || fail "a text puzzle ($form): exit code $rc"
  cmp -s "$work/text-$form.png" "$work/dump.png" || fail "a text puzzle ($form) is not drawn as the same puzzle saved"
done

# ---------------------------------------------------------------- no puzzles
: >"$work/empty.sdk"
printf 'abc' >"$work/three.sdk"
head -c 5000 /dev/urandom >"$work/long.sdk"
python3 - "$work" <<'PY'
import random, struct, sys
folder = sys.argv[1]
rng = random.Random(9)
for n in range(4):
    with open('%s/random%d.sdk' % (folder, n), 'wb') as f:
        f.write(bytes(rng.randrange(256) for _ in range(rng.choice((4000, 3999, 17, 100000)))))
# Every field 1: every cell undecided with all nine candidates, and locked.
with open(folder + '/all-ones.sdk', 'wb') as f:
    f.write(struct.pack('<i', 1) * 1000)
# The extremes of the fields.
with open(folder + '/extremes.sdk', 'wb') as f:
    f.write(struct.pack('<2i', -2**31, 2**31 - 1) * 500)
PY
# refused NAME WORDS: NAME.sdk makes a clean failure, exit code 1 and no
# picture, and a message with WORDS.
refused() {
  run "$1" -s 128 "$work/$1.sdk" "$work/$1.png"
  [ "$rc" -eq 1 ] || fail "$1: exit code $rc, not 1"
  [ -e "$work/$1.png" ] && fail "$1: a picture was written"
  grep -q "$2" "$work/$1.err" || fail "$1: no message"
}
# Neither a board dump nor a puzzle: the file manager's plain icon.
printf 'Einkaufsliste\nBrot\n' >"$work/list.sdk"
for name in empty three list; do refused "$name" 'no puzzle'; done
for name in long random0 random1 random2 random3 all-ones extremes; do
  run "$name" -s 128 "$work/$name.sdk" "$work/$name.png"
  case $rc in
    0) [ "$(size_of "$work/$name.png")" = "128 128" ] || fail "$name: exit code 0 without a 128 x 128 PNG" ;;
    1) [ -s "$work/$name.err" ] || fail "$name: failed without a message" ;;
    *) fail "$name: exit code $rc" ;;
  esac
done

# Not a file to read: a clean failure, no picture, no hang.
mkdir "$work/folder.sdk"
mkfifo "$work/pipe.sdk"
for name in folder pipe missing; do refused "$name" 'cannot read'; done
chmod 000 "$work/puzzle.sdk"
if ! [ -r "$work/puzzle.sdk" ]; then  # root reads it anyway
  run unreadable "$work/puzzle.sdk" "$work/unreadable.png"
  [ "$rc" -eq 1 ] || fail "an unreadable file: exit code $rc, not 1"
fi
chmod 644 "$work/puzzle.sdk"
run unwritable "$work/puzzle.sdk" "$work/no-such-folder/out.png"
[ "$rc" -eq 1 ] || fail "a picture that cannot be written: exit code $rc, not 1"

# Wrong arguments: exit code 2 and a usage line.
for arguments in "" "$work/puzzle.sdk" "-s" "-s 0 a b" "-s 4097 a b" "-s 12x a b" "-s -5 a b" "a b c"; do
  # shellcheck disable=SC2086  # the arguments are split on purpose
  run usage $arguments
  [ "$rc" -eq 2 ] && grep -q usage "$work/usage.err" || fail "arguments '$arguments': exit code $rc, not 2"
done

# ---------------------------------------------------------------- a sandbox
# A bare environment: no display (a named one must be ignored), an empty home
# folder that stays empty, the temporary folder of the run; without a runtime
# folder, as file managers' sandboxes run it, and with one. Not a word on
# stderr either way, and nothing left in the temporary folder.
mkdir -p "$work/home" "$work/tmp" "$work/runtime"
chmod 700 "$work/runtime"
for runtime in "" "$work/runtime"; do
  env -i PATH=/usr/bin:/bin HOME="$work/home" TMPDIR="$work/tmp" DISPLAY=:99 WAYLAND_DISPLAY=wayland-99 \
    QT_QPA_PLATFORM=xcb ${runtime:+XDG_RUNTIME_DIR="$runtime"} ${ASAN_OPTIONS:+ASAN_OPTIONS="$ASAN_OPTIONS"} \
    ${UBSAN_OPTIONS:+UBSAN_OPTIONS="$UBSAN_OPTIONS"} ${LSAN_OPTIONS:+LSAN_OPTIONS="$LSAN_OPTIONS"} \
    timeout "$(scaled 30)" "$thumbnailer" -s 256 "$work/puzzle.sdk" "$work/sandbox.png" 2>"$work/sandbox.err"
  rc=$?
  where="a bare environment${runtime:+ with a runtime folder}"
  [ "$rc" -eq 0 ] && [ "$(size_of "$work/sandbox.png")" = "256 256" ] || fail "$where: exit code $rc"
  [ -s "$work/sandbox.err" ] && fail "$where: messages on stderr:"$'\n'"$(cat "$work/sandbox.err")"
  [ -z "$(ls -A "$work/home")" ] || fail "$where: the home folder was written: $(cd "$work/home" && find . | head)"
  [ -z "$(ls -A "$work/tmp")" ] || fail "$where: left in the temporary folder: $(ls -A "$work/tmp")"
  rm -rf "$work/sandbox.png" "$work/tmp" && mkdir "$work/tmp"
done

finish
