# The start of a test that runs on a session bus of its own: it checks the
# arguments PROGRAM ARTIFACT-DIR, runs the test again under dbus-run-session,
# and there sets program, artifacts and here and loads e2e_lib.sh.
#   source "$(dirname "$0")/e2e_own_bus.sh"   (first thing, with "$@" unchanged)

if [ $# -ne 2 ]; then
  echo "usage: $0 PROGRAM ARTIFACT-DIR" >&2
  exit 2
fi
if [ -z "${E2E_OWN_SESSION_BUS:-}" ]; then
  command -v dbus-run-session >/dev/null || { echo "FAILED: dbus-run-session is missing" >&2; exit 1; }
  E2E_OWN_SESSION_BUS=1 exec dbus-run-session -- bash "$0" "$@"
fi
program=$(realpath "$1")
artifacts=$(realpath -m "$2")
here=$(realpath "$(dirname "$0")")

source "$here/e2e_lib.sh"
