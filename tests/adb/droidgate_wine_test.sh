#!/usr/bin/env bash
# droidgate_wine_test.sh WINE_RUN DROIDGATE_EXE PHONESIM_EXE
# droidgate.exe under Wine against the real (native) adb server, with the
# Windows build of the simulated phone: the same outcomes as the adb client,
# Windows paths with blanks and non-ASCII names, and bytes passed unchanged.
set -u
wine_run=$1
droidgate_exe=$2
phonesim_exe=$3
here=$(cd "$(dirname "$0")" && pwd)
. "$here/check_helpers.sh"
check_begin droidgate-wine 60
windows_path() { local p=${1//\//\\}; echo "Z:$p"; }

# Programs under Wine as plain commands, so that timeout and the session helper can run them.
for program in droidgate phonesim; do
  exe_var=${program}_exe
  printf '#!/bin/sh\nexec "%s" "%s" "$@"\n' "$wine_run" "${!exe_var}" >"$work/$program"
  chmod +x "$work/$program"
done
droidgate=$work/droidgate
export PHONE_START_SECONDS=60

db=/data/data/com.android.providers.contacts/databases/contacts2.db
phone=$work/phone
mkdir -p "$phone$(dirname $db)" "$phone/sdcard" "$work/got" "$work/Program Files"
head -c 200003 /dev/urandom >"$phone$db"
printf 'a\nb\r\nc' >"$phone/sdcard/lines.txt"

phone_session_begin "$work/session" || exit 1

run a adb shell id; run d "$droidgate" shell id
expect "no device: status and message" "$d_rc $d_out" "$a_rc $a_out"

phone_attach "$work/phonesim" "$phone" --quiet || exit 1

run a adb pull $db "$work/got/x.db"; run d "$droidgate" pull $db "$work/got/x.db"
expect "before chmod: status" "$d_rc/$a_rc" "1/1"
expect "before chmod: message" "$d_out" "$a_out"
expect "before chmod: no file" "$(ls "$work/got")" ""

run d "$droidgate" shell su root chmod 777 $db
expect "su root chmod" "$d_rc" 0
run d "$droidgate" shell exit 7
expect "exit status through Wine" "$d_rc" 7
expect "shell bytes unchanged" "$("$droidgate" shell cat /sdcard/lines.txt 2>/dev/null | od -An -tx1)" \
  "$(adb shell cat /sdcard/lines.txt | od -An -tx1)"

run d "$droidgate" pull $db "$work/got/d.db"
expect "pull status" "$d_rc" 0
cmp -s "$phone$db" "$work/got/d.db" && pass "pull bytes identical" || fail "pull bytes identical"

target="$work/Program Files/контакты 2.db"
run d "$droidgate" pull $db "$(windows_path "$target")"
expect "Windows path with blank and Cyrillic: status" "$d_rc" 0
pulled=$(ls "$work/Program Files")
[ "$(echo "$pulled" | wc -l)" = 1 ] && cmp -s "$phone$db" "$work/Program Files/$pulled" \
  && pass "Windows path: bytes identical" || fail "Windows path: bytes identical"

phone_attach "$work/phonesim" "$phone" --quiet --old || exit 1
export ANDROID_SERIAL=$PHONE_SERIAL
run d "$droidgate" shell su root chmod 777 $db
expect "old phone: su root chmod" "$d_rc" 0
run d "$droidgate" pull $db "$work/got/old.db"
expect "old phone: pull status" "$d_rc" 0
cmp -s "$phone$db" "$work/got/old.db" && pass "old phone: bytes identical" || fail "old phone: bytes identical"
unset ANDROID_SERIAL

none=$(phone_session_free_port)
run d env ANDROID_ADB_SERVER_PORT=$none "$droidgate" shell id
expect "no server: status" "$d_rc" 1
case "$d_out" in
  *"cannot connect to daemon at tcp:$none"*) pass "no server: message" ;;
  *) fail "no server: message"; echo "     got: $d_out" ;;
esac

check_end
