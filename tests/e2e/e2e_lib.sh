# Sourceable helpers for running the shipped program under Wine against the
# real adb server and a simulated phone (tools/phonesim/phone_session.sh).
# Used inside a Wine session (scripts/wine-session.sh): WINEPREFIX is set.
#
#   e2e_install BIN_DIR FOLDER       the program with everything it loads or starts
#   e2e_make_phone ROOT ARGS...      a generated contacts2.db (and its truth) on the phone ROOT;
#                                    sets E2E_PHONE_DB
#   e2e_wrap WINE_RUN EXE NAME DIR   DIR/NAME runs EXE under Wine as a plain command
#   e2e_windows_path PATH            Z:\... for a Linux path, C:\... for one inside drive_c
#   e2e_prepare WINE_RUN BIN_DIR FOLDER WORK ARGS...
#                                    installs the program in FOLDER, generates the phone
#                                    WORK/phone (ARGS for the generator), wraps phonesim and
#                                    cardivane-cli in WORK and carves the phone's database into
#                                    WORK/carved.txt; says what failed

E2E_PHONE_DB_PATH=/data/data/com.android.providers.contacts/databases/contacts2.db
E2E_HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
E2E_ROOT=$(cd "$E2E_HERE/../.." && pwd)

e2e_install() {
  local bin=$1 folder=$2 f
  mkdir -p "$folder" || return 1
  for f in Cardivane.exe droidgate.exe Uprovia.exe; do
    cp "$bin/$f" "$folder/" || return 1
  done
  cp "$bin"/*.dll "$folder/" 2>/dev/null
  cp -r "$bin/image" "$folder/" || return 1
}

e2e_make_phone() {
  local root=$1
  shift
  E2E_PHONE_DB=$root$E2E_PHONE_DB_PATH
  python3 "$E2E_ROOT/tools/contactsgen/gen_contacts.py" --out "$E2E_PHONE_DB" "$@" >/dev/null
}

e2e_wrap() {
  printf '#!/bin/sh\nexec "%s" "%s" "$@"\n' "$1" "$2" >"$4/$3"
  chmod +x "$4/$3"
}

e2e_windows_path() {
  local p
  p=$(realpath -m "$1")
  local drive_c
  drive_c=$(realpath -m "$WINEPREFIX/drive_c")
  case "$p" in
    "$drive_c"/*) p="C:${p#"$drive_c"}" ;;
    *) p="Z:$p" ;;
  esac
  echo "${p//\//\\}"
}

e2e_prepare() {
  local wine_run=$1 bin=$2 program=$3 work=$4
  shift 4
  e2e_install "$bin" "$program" || { echo "FAIL cannot install the program from $bin"; return 1; }
  e2e_make_phone "$work/phone" "$@" || { echo "FAIL the generator did not write the phone"; return 1; }
  e2e_wrap "$wine_run" "$bin/phonesim.exe" phonesim "$work"
  e2e_wrap "$wine_run" "$bin/cardivane-cli.exe" cardivane-cli "$work"
  "$work/cardivane-cli" carve "$(e2e_windows_path "$E2E_PHONE_DB")" >"$work/carved.txt" \
    || { echo "FAIL cardivane-cli carve"; return 1; }
}
