# Shared by the install checks: a scratch folder removed at exit, failures
# counted rather than ending the check, and the summary at the end. Source it
# with `check_name` set to what the check is called.

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
