#!/usr/bin/env bash
# adb_oracle_test.sh DROIDGATE PHONESIM
# The real adb client is the oracle: against a private adb server and
# simulated phones, droidgate must give the same outcomes (exit status,
# message, pulled bytes) for the cases the acquisition meets.
set -u
droidgate=$1
phonesim=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/check_helpers.sh"
check_begin adb-oracle 30

db=/data/data/com.android.providers.contacts/databases/contacts2.db
phone=$work/phone
mkdir -p "$phone$(dirname $db)" "$phone/sdcard"
# Several sync DATA blocks, and not a multiple of any of them.
head -c 300007 /dev/urandom >"$phone$db"
echo hello >"$phone/sdcard/hello.txt"
mkdir -p "$work/got"

phone_session_begin "$work/session" || exit 1

# --- no device attached ---
run a adb shell id; run d "$droidgate" shell id
expect "no device: shell status" "$d_rc" "$a_rc"
expect "no device: shell message" "$d_out" "$a_out"
run a adb pull $db "$work/got/x"; run d "$droidgate" pull $db "$work/got/x"
expect "no device: pull status" "$d_rc/$a_rc" "1/1"
expect "no device: pull message" "$d_out" "$a_out"

# --- a modern rooted phone ---
phone_attach "$phonesim" "$phone" --quiet || exit 1
modern=$PHONE_SERIAL

run a adb pull $db "$work/got/a.db"; run d "$droidgate" pull $db "$work/got/d.db"
expect "before chmod: pull refused (adb)" "$a_rc" 1
expect "before chmod: pull refused" "$d_rc" 1
expect "before chmod: message" "$d_out" "${a_out//a.db/d.db}"
expect "before chmod: no file" "$(ls "$work/got")" ""

run a adb shell chmod 777 $db; run d "$droidgate" shell chmod 777 $db
expect "plain chmod refused: status" "$d_rc/$a_rc" "1/1"
expect "plain chmod refused: message" "$d_out" "$a_out"

run d "$droidgate" shell su root chmod 777 $db
expect "su root chmod: status" "$d_rc" 0
run a adb pull $db "$work/got/a.db"; run d "$droidgate" pull $db "$work/got/d.db"
expect "after chmod: pull status" "$d_rc/$a_rc" "0/0"
cmp -s "$phone$db" "$work/got/d.db" && pass "after chmod: bytes identical" || fail "after chmod: bytes identical"
cmp -s "$work/got/a.db" "$work/got/d.db" && pass "after chmod: same as adb" || fail "after chmod: same as adb"

run a adb pull /nope "$work/got/n"; run d "$droidgate" pull /nope "$work/got/n"
expect "missing file: status" "$d_rc/$a_rc" "1/1"
expect "missing file: message" "$d_out" "$a_out"

run a adb shell ls /data/data; run d "$droidgate" shell ls /data/data
expect "shell error: status" "$d_rc" "$a_rc"
expect "shell error: message" "$d_out" "$a_out"
run a adb shell exit 7; run d "$droidgate" shell exit 7
expect "shell exit status" "$d_rc/$a_rc" "7/7"
run a adb shell cat /sdcard/hello.txt; run d "$droidgate" shell cat /sdcard/hello.txt
expect "shell output" "$d_out" "$a_out"

run a adb -s 127.0.0.1:1 shell id; run d env ANDROID_SERIAL=127.0.0.1:1 "$droidgate" shell id
expect "unknown serial: status" "$d_rc/$a_rc" "1/1"
expect "unknown serial: message" "$d_out" "$a_out"

# --- an old phone beside it: two devices ---
phone_attach "$phonesim" "$phone" --quiet --old || exit 1
old=$PHONE_SERIAL
run a adb shell id; run d "$droidgate" shell id
expect "two devices: status" "$d_rc/$a_rc" "1/1"
expect "two devices: message" "$d_out" "$a_out"

export ANDROID_SERIAL=$old
run a adb shell chmod 777 $db; run d "$droidgate" shell chmod 777 $db
# Shell protocol v1 carries no exit status: both report success.
expect "old phone: v1 status" "$d_rc/$a_rc" "0/0"
expect "old phone: v1 output" "$d_out" "$a_out"
run d "$droidgate" shell su root chmod 777 $db
expect "old phone: su root chmod" "$d_rc" 0
run a adb pull $db "$work/got/a-old.db"; run d "$droidgate" pull $db "$work/got/d-old.db"
expect "old phone: pull status" "$d_rc/$a_rc" "0/0"
cmp -s "$phone$db" "$work/got/d-old.db" && pass "old phone: bytes identical" || fail "old phone: bytes identical"
run a adb pull /nope "$work/got/n"; run d "$droidgate" pull /nope "$work/got/n"
expect "old phone: missing file" "$d_out" "$a_out"
unset ANDROID_SERIAL

# --- a phone without root ---
phone_attach "$phonesim" "$phone" --quiet --no-root || exit 1
export ANDROID_SERIAL=$PHONE_SERIAL
run a adb shell su root chmod 777 $db; run d "$droidgate" shell su root chmod 777 $db
expect "no root: status" "$d_rc/$a_rc" "127/127"
expect "no root: message" "$d_out" "$a_out"
run d "$droidgate" pull $db "$work/got/noroot.db"
expect "no root: pull refused" "$d_rc/$([ -e "$work/got/noroot.db" ] && echo file)" "1/"
unset ANDROID_SERIAL

# --- a pull cut off by a time limit keeps what had arrived ---
phone_attach "$phonesim" "$phone" --quiet --throttle 64 || exit 1
export ANDROID_SERIAL=$PHONE_SERIAL
"$droidgate" shell su root chmod 777 $db >/dev/null 2>&1
(timeout -s KILL 2.5 "$droidgate" pull $db "$work/got/cut.db" >/dev/null 2>&1) 2>/dev/null
expect "cut off: killed" "$?" 137
size=$(stat -c %s "$work/got/cut.db" 2>/dev/null || echo 0)
whole=$(stat -c %s "$phone$db")
if [ "$size" -gt 0 ] && [ "$size" -lt "$whole" ] && cmp -s -n "$size" "$phone$db" "$work/got/cut.db"; then
  pass "cut off: the bytes received so far are on disk ($size of $whole)"
else
  fail "cut off: the bytes received so far are on disk ($size of $whole)"
fi
unset ANDROID_SERIAL

# --- no server: droidgate starts one with the adb on the PATH ---
fresh=$(phone_session_free_port)
phone_session_track_server "$fresh"
started=$SECONDS
run d env ANDROID_ADB_SERVER_PORT=$fresh "$droidgate" shell id
expect "server start: status" "$d_rc" 1
expect "server start: messages" "$d_out" "* daemon not running; starting now at tcp:$fresh
* daemon started successfully
error: no devices/emulators found"
# The output was read to its end, so the server holds none of our pipes.
[ $((SECONDS - started)) -lt 15 ] && pass "server start: output not held" || fail "server start: output not held"
adb -P "$fresh" kill-server >/dev/null 2>&1

# --- no server and no adb to start one ---
none=$(phone_session_free_port)
run d env PATH=/nonexistent ANDROID_ADB_SERVER_PORT=$none "$droidgate" shell id
expect "no adb: status" "$d_rc" 1
case "$d_out" in
  *"no adb program beside droidgate or on the PATH"*) pass "no adb: message" ;;
  *) fail "no adb: message"; echo "     got: $d_out" ;;
esac

check_end
