# Shared by the install checks: a scratch folder removed at exit, failures
# counted rather than ending the check, and the summary at the end. Source it
# with `check_name` set to what the check is called. Time limits are scaled
# by TEST_TIME_FACTOR as in the end-to-end runs (see tests/e2e/e2e_lib.sh).

time_factor=${TEST_TIME_FACTOR:-1}
[[ "$time_factor" =~ ^[1-9][0-9]*$ ]] || { echo "TEST_TIME_FACTOR is no whole number: $time_factor" >&2; exit 2; }
# scaled N: N times the time factor.
scaled() { echo $(($1 * time_factor)); }

work=$(mktemp -d -t "tolva-$check_name.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}

# The last line of a check: its exit status.
finish() {
  if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
  fi
  echo "$check_name: all checks passed"
}
