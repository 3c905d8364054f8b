#!/usr/bin/env bash
# demo_interactive.sh WINE_RUN BIN_DIR DEMO_DIR [CONTACTS]
# Cardivane.exe under Wine on the user's display, reading a generated sample
# phone behind the simulated phone and a private adb server, until the user
# closes it. Run inside scripts/wine-session.sh.
set -u
: "${WINEPREFIX:?run inside scripts/wine-session.sh}"
wine_run=$1
bin=$(cd "$2" && pwd)
demo=$3
contacts=${4:-300}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../tools/phonesim/phone_session.sh"
. "$here/e2e_lib.sh"

program="$WINEPREFIX/drive_c/Program Files/Marlowen Cardivane"
mkdir -p "$demo"
finish() {
  phone_session_end
  rm -rf "$program"
}
trap finish EXIT
trap 'exit 130' INT TERM

e2e_install "$bin" "$program" || exit 1
e2e_make_phone "$demo/phone" --contacts "$contacts" --deleted-share 0.3 --seed 7 || exit 1
e2e_wrap "$wine_run" "$bin/phonesim.exe" phonesim "$demo"
export PHONE_START_SECONDS=60
phone_session_begin "$demo/session" || exit 1
phone_attach "$demo/phonesim" "$demo/phone" --quiet || exit 1

echo "Sample phone: $E2E_PHONE_DB ($contacts contacts; ground truth beside it)"
echo "Simulated phone $PHONE_SERIAL on the adb server at port $ADB_PORT"
echo "Cardivane is opening on $DISPLAY: it reads the phone after 5 seconds; Recover asks for a folder"
echo "(Wine's Z: drive is the Linux file system). Close the window to end the demo."
"$wine_run" "$program/Cardivane.exe" </dev/null >"$demo/program.log" 2>&1
echo "Recovered files are where you saved them: <folder>\\Cardivane<time stamp>\\Contacts (N)\\contacts.txt"
