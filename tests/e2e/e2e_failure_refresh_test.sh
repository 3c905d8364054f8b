#!/usr/bin/env bash
# e2e_failure_refresh_test.sh WINE_RUN BIN_DIR DRIVER_EXE
# One run of Cardivane.exe under Wine against the real adb server: no phone,
# then a phone without root, each ending on the failure page in time; then a
# rooted phone attached, Refresh, the results page and a recover checked
# against the ground truth. Run inside scripts/wine-session.sh. E2E_KEEP=DIR
# keeps the pictures there.
set -u
: "${WINEPREFIX:?run inside scripts/wine-session.sh}"
wine_run=$1
bin=$(cd "$2" && pwd)
driver_exe=$3
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../tools/phonesim/phone_session.sh"
. "$here/e2e_lib.sh"

# An acquisition is a 5 s pause and three relay commands of at most 3 s each.
limit_ms=${E2E_FAILURE_LIMIT_MS:-20000}

work=$(mktemp -d "${TMPDIR:-/tmp}/cardivane-e2e.XXXXXX")
program="$WINEPREFIX/drive_c/Program Files/Marlowen Cardivane"
driver_pid=""
finish() {
  [ -n "$driver_pid" ] && kill "$driver_pid" 2>/dev/null && wait "$driver_pid" 2>/dev/null
  phone_session_end
  [ -n "${E2E_KEEP:-}" ] && mkdir -p "$E2E_KEEP" && cp -r "$work/pictures" "$E2E_KEEP/" 2>/dev/null
  rm -rf "$program" "$WINEPREFIX/drive_c/marlowen" "$work"
}
trap finish EXIT
trap 'exit 130' INT TERM

failures=0
fail() { echo "FAIL $1"; failures=$((failures + 1)); }

e2e_prepare "$wine_run" "$bin" "$program" "$work" --contacts 120 --deleted-share 0.3 --seed 5 --flagged 1 || exit 1

export PHONE_START_SECONDS=60
phone_session_begin "$work/session" || exit 1

w() { e2e_windows_path "$work/$1"; }
mkdir -p "$work/out" "$work/pictures"
export CARDIVANE_RECOVER_FOLDER
CARDIVANE_RECOVER_FOLDER=$(w out)
"$wine_run" "$driver_exe" "$(e2e_windows_path "$program/Cardivane.exe")" "$(w pictures)" \
  window:60 failure:60 shot:no-phone "signal:$(w no-phone)" "await:$(w rootless-attached):120" \
  press:1033 failure:60 shot:no-root "signal:$(w no-root)" "await:$(w phone-attached):120" \
  press:1033 results:120 rows click:1010 box:300 box-ok close:60 </dev/null >"$work/driver.txt" 2>&1 &
driver_pid=$!

# Waits for the driver's signal file; false when the driver ended first.
await_driver() {
  while [ ! -e "$work/$1" ]; do
    kill -0 "$driver_pid" 2>/dev/null || return 1
    sleep 0.2
  done
}

if await_driver no-phone; then
  phone_attach "$work/phonesim" "$work/phone" --quiet --no-root || exit 1
  rootless=$PHONE_SERIAL
  touch "$work/rootless-attached"
fi
if await_driver no-root; then
  adb -P "$ADB_PORT" disconnect "$rootless" >/dev/null 2>&1
  phone_attach "$work/phonesim" "$work/phone" --quiet || exit 1
  touch "$work/phone-attached"
fi
wait "$driver_pid"
driver_status=$?
driver_pid=""
cat "$work/driver.txt"
[ "$driver_status" = 0 ] || fail "the driver ended with $driver_status"

at() { sed -n "s/^$1 [^0-9]*\\([0-9]*\\)\$/\\1/p" "$work/driver.txt" | head -n "${2:-1}" | tail -n 1; }
no_phone_ms=$(( $(at 'failure:60') - $(at 'window:60') ))
no_root_ms=$(( $(at 'failure:60' 2) - $(at 'press:1033') ))
echo "failure page: no phone after ${no_phone_ms} ms, no root after ${no_root_ms} ms (limit ${limit_ms} ms)"
[ "$no_phone_ms" -gt 0 ] && [ "$no_phone_ms" -le "$limit_ms" ] || fail "no phone: failure page in time"
[ "$no_root_ms" -ge 5000 ] && [ "$no_root_ms" -le "$limit_ms" ] || fail "no root: failure page after the pause and in time"
grep -q '^close:60 exit code 1000 ' "$work/driver.txt" || fail "the close button did not end the program with 1000"
rows=$(sed -n 's/^rows \([0-9]*\) .*/\1/p' "$work/driver.txt")
python3 "$here/check_export.py" "$E2E_PHONE_DB" "$work/carved.txt" "$work/out" ${rows:+"$rows"} \
  || fail "the recovered file after Refresh against the ground truth"
echo "$failures failure(s)"
[ "$failures" -eq 0 ]
