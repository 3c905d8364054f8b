#!/usr/bin/env bash
# Runs every test: sets the machine up, builds the three trees once, runs the
# native tests (with AddressSanitizer and UndefinedBehaviorSanitizer) and the
# Windows tests under Wine, and prints each runner's summary.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/setup.sh || exit 1
scripts/build.sh linux win64 win32 || { echo "test.sh: build failed" >&2; exit 1; }

jobs=$(nproc)
status=0
echo "== native tests"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/linux -j"$jobs" --output-on-failure || status=1
echo "== Windows tests under Wine"
scripts/wine-session.sh build/win64 ctest --test-dir build/win64 -j"$jobs" --output-on-failure || status=1
if [ "$status" = 0 ]; then echo "test.sh: all tests passed"; else echo "test.sh: some tests FAILED"; fi
exit "$status"
