#!/usr/bin/env bash
# e2e_success_test.sh WINE_RUN BIN_DIR DRIVER_EXE [CONTACTS]
# The whole program under Wine against the real adb server: a generated phone
# behind the simulated phone, Cardivane.exe installed in a folder with a blank
# in its name, the scan walked to the results page, a recover, and the file it
# wrote checked against the ground truth byte for byte. Run inside
# scripts/wine-session.sh. E2E_KEEP=DIR keeps the pictures and the output there.
set -u
: "${WINEPREFIX:?run inside scripts/wine-session.sh}"
wine_run=$1
bin=$(cd "$2" && pwd)
driver_exe=$3
contacts=${4:-300}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../tools/phonesim/phone_session.sh"
. "$here/e2e_lib.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/cardivane-e2e.XXXXXX")
program="$WINEPREFIX/drive_c/Program Files/Marlowen Cardivane"
finish() {
  phone_session_end
  rm -rf "$program" "$WINEPREFIX/drive_c/marlowen"
  if [ -n "${E2E_KEEP:-}" ]; then
    mkdir -p "$E2E_KEEP/phone" && cp -r "$work/pictures" "$work/out" "$E2E_KEEP/" 2>/dev/null
    cp "$work/phone$E2E_PHONE_DB_PATH"* "$work/carved.txt" "$E2E_KEEP/phone/" 2>/dev/null
  fi
  rm -rf "$work"
}
trap finish EXIT
trap 'exit 130' INT TERM
started=$(date +%s.%N)

e2e_prepare "$wine_run" "$bin" "$program" "$work" --contacts "$contacts" --deleted-share 0.3 --seed 7 || exit 1

export PHONE_START_SECONDS=60
phone_session_begin "$work/session" || exit 1
phone_attach "$work/phonesim" "$work/phone" --quiet || exit 1

mkdir -p "$work/out" "$work/pictures"
export CARDIVANE_RECOVER_FOLDER
CARDIVANE_RECOVER_FOLDER=$(e2e_windows_path "$work/out")
"$wine_run" "$driver_exe" "$(e2e_windows_path "$program/Cardivane.exe")" "$(e2e_windows_path "$work/pictures")" \
  window:60 shot:device-page results:120 shot:results-page rows \
  "copy:$(e2e_windows_path "$work/copy.db")" \
  click:1010 box:300 shot:recover-finished box-ok close:60 </dev/null >"$work/driver.txt" 2>&1
driver_status=$?
cat "$work/driver.txt"

failures=0
fail() { echo "FAIL $1"; failures=$((failures + 1)); }
[ "$driver_status" = 0 ] || fail "the driver ended with $driver_status"
grep -q '^close:60 exit code 1000 ' "$work/driver.txt" || fail "the close button did not end the program with 1000"
cmp -s "$E2E_PHONE_DB" "$work/copy.db" || fail "the working copy is not the phone's file byte for byte"
rows=$(sed -n 's/^rows \([0-9]*\) .*/\1/p' "$work/driver.txt")
python3 "$here/check_export.py" "$E2E_PHONE_DB" "$work/carved.txt" "$work/out" ${rows:+"$rows"} \
  || fail "the recovered file against the ground truth"
[ -d "$WINEPREFIX/drive_c/marlowen" ] && [ ! -e "$WINEPREFIX/drive_c/marlowen/contacts2.db" ] \
  || fail "the working copy was not removed at close"
for shot in device-page results-page recover-finished; do
  [ -s "$work/pictures/$shot.png" ] || fail "no picture $shot.png"
done
awk -v a="$started" -v b="$(date +%s.%N)" 'BEGIN { printf "run time %.1f s\n", b - a }'
echo "$failures failure(s)"
[ "$failures" -eq 0 ]
