#!/usr/bin/env bash
# tolva-sudoku-explain as a person runs it: the summary of a few puzzles,
# exactly but for the time taken; a line that is no puzzle, told on standard
# error while the others are still done; a puzzle of nine lines in a file;
# and the numbered sentences.
#   explain-tool.sh TOOL
set -euo pipefail
tool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "explain-tool: $*" >&2; exit 1; }

unique=...6.1...1...3...4...254.....8...5...4.....9.36..2..188.1.9.2.763.5.7.41....1....
several=...6.....1...3...4...254.....8...5...........36..2..188.1.9.2.763.5.7.41.........
none=.4..2...73.4.9.1....8....5.2.....6...7.3.8.9...5.....1.6....8....9.7...31...5..4.
# A collection line: the puzzle, then its rating.
printf '%s 5.0\n%s\nkein Rätsel\n\n%s\n' "$unique" "$several" "$none" >"$work/lines"

status=0
"$tool" --summary <"$work/lines" >"$work/summary" 2>"$work/errors" || status=$?
[[ $status -eq 1 ]] || fail "exit status $status for a line that is no puzzle, not 1"
[[ $(cat "$work/errors") == "tolva-sudoku-explain: Standardeingabe, Zeile 3: kein Rätsel erkannt" ]] ||
  fail "unexpected errors: $(cat "$work/errors")"
awk 'NF != 7 || $7 !~ /^[0-9]+$/ { exit 1 }' "$work/summary" || fail "not seven fields ending in microseconds"
cut -d' ' -f1-6 "$work/summary" >"$work/fields"
cat >"$work/expected" <<LINES
$unique 495671823126839754783254169218943576547168392369725418851496237632587941974312685 1 1 55 5.0
$several ...6.....1...3...4...2541....8...5...........36..2..188.1.9.2.7632587941.....2... 2 0 6 6.0
$none $none 0 0 0 0.0
LINES
diff -u "$work/expected" "$work/fields" || fail "summary differs"

# A first line that is no puzzle is told like any other; the puzzle after it
# is still done.
printf 'Rätsel aus der Zeitung\n%s\n' "$unique" >"$work/headed"
status=0
"$tool" --summary "$work/headed" >"$work/headed-summary" 2>"$work/errors" || status=$?
[[ $status -eq 1 ]] || fail "exit status $status for a first line that is no puzzle, not 1"
[[ $(cat "$work/errors") == "tolva-sudoku-explain: $work/headed, Zeile 1: kein Rätsel erkannt" ]] ||
  fail "first line not told: $(cat "$work/errors")"
[[ $(cut -d' ' -f1-6 "$work/headed-summary") == "$(head -n 1 "$work/expected")" ]] ||
  fail "the puzzle after a first line that is no puzzle not done"

# The same puzzle as nine lines of a file gives the same line.
fold -w 9 <<<"$unique" >"$work/grid.txt"
"$tool" --summary "$work/grid.txt" | cut -d' ' -f1-6 >"$work/grid-fields"
[[ $(cat "$work/grid-fields") == "$(head -n 1 "$work/expected")" ]] || fail "nine lines read otherwise"

# Two grids, the second after an empty line, and a broken grid after a
# title: both puzzles, and the broken grid's lines told as one stretch.
{ fold -w 9 <<<"$unique"; echo; fold -w 9 <<<"$several"; echo "# kaputt"; fold -w 9 <<<"${none:0:72}"; } >"$work/grids.txt"
status=0
"$tool" --summary "$work/grids.txt" 2>"$work/errors" | cut -d' ' -f1-6 >"$work/grids-fields" || status=$?
[[ $(cat "$work/errors") == "tolva-sudoku-explain: $work/grids.txt, Zeilen 21 bis 28: kein Rätsel erkannt" ]] ||
  fail "broken grid not told as one stretch: $(cat "$work/errors")"
[[ $status -eq 1 ]] || fail "exit status $status for a broken grid, not 1"
diff -u <(head -n 2 "$work/expected") "$work/grids-fields" || fail "two grids read otherwise"

# The sentences, numbered, in UTF-8, then the rating.
"$tool" "$work/grid.txt" >"$work/sentences"
grep -qx "Das Rätsel hat genau eine Lösung." "$work/sentences" || fail "no solution count"
[[ $(sed -n 3p "$work/sentences") == "1. Nackter Einer: In B7 ist nur noch die 5 möglich." ]] || fail "another first step"
[[ $(grep -c '^[0-9]*\. ' "$work/sentences") -eq 55 ]] || fail "not 55 numbered steps"
grep -qx "Gelöst." "$work/sentences" || fail "not said to be solved"
grep -qx "Schwierigkeit 5,0: Nackter Vierling." "$work/sentences" || fail "no rating line"

# A file that cannot be read.
"$tool" "$work/missing" 2>"$work/errors" && fail "a missing file read"
grep -q "nicht lesbar" "$work/errors" || fail "a missing file not said"
echo "explain-tool: all checks passed"
