# Sourced by the relay's shell tests: a scratch folder $work that goes with
# the phone session on exit, and the checks they report with.
#   check_begin NAME RUN_SECONDS
#   run VAR TOOL ARGS...   combined output in VAR_out, exit status in VAR_rc
#   expect NAME ACTUAL EXPECTED, pass NAME, fail NAME
#   check_end              prints the count and fails when any check failed
. "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/../../tools/phonesim/phone_session.sh"

check_begin() {
  work=$(mktemp -d "${TMPDIR:-/tmp}/$1.XXXXXX")
  check_run_seconds=$2
  failures=0
  trap check_finish EXIT
  trap 'exit 130' INT TERM
}

check_finish() {
  phone_session_end
  rm -rf "$work"
}

pass() { echo "ok   $1"; }
fail() { echo "FAIL $1"; failures=$((failures + 1)); }
expect() {
  if [ "$2" = "$3" ]; then pass "$1"; else fail "$1"; printf '     got:      %q\n     expected: %q\n' "$2" "$3"; fi
}

run() {
  local var=$1 out rc
  shift
  out=$(timeout "$check_run_seconds" "$@" 2>&1 </dev/null)
  rc=$?
  printf -v "${var}_out" '%s' "$out"
  printf -v "${var}_rc" '%s' "$rc"
}

check_end() {
  echo "$failures failure(s)"
  [ "$failures" -eq 0 ]
}
