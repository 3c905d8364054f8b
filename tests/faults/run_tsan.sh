#!/usr/bin/env bash
# run_tsan.sh BUILD_DIR [ROUNDS]
# Builds race_hammer with ThreadSanitizer into BUILD_DIR, generates a phone with
# deleted contacts, and runs the hammer; any race report fails the run.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$1
rounds=${2:-12}
mkdir -p "$build"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j2 >/dev/null
db=$build/phone/contacts2.db
if [ ! -f "$db" ]; then
  python3 "$root/tools/contactsgen/gen_contacts.py" --out "$db" --contacts 1500 --deleted-share 0.4 --seed 11 >/dev/null
fi
scratch=$build/exports
rm -rf "$scratch"
mkdir -p "$scratch"
export TSAN_OPTIONS="halt_on_error=1 exitcode=66 second_deadlock_stack=1"
"$build/race_hammer" "$db" "$scratch" "$rounds"
