#!/usr/bin/env bash
# run_fuzzers.sh [--smoke | --seconds N] BUILD_DIR [TARGET...]
# Builds the libFuzzer programs with clang into BUILD_DIR, then fuzzes each
# target over a copy of its corpus (one job, lowest priority). --smoke runs
# each for 15 s; --seconds N for N seconds. New inputs land in
# BUILD_DIR/corpus/<target>; crashes in BUILD_DIR/findings/<target>.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
seconds=60
case "${1:-}" in
  --smoke) seconds=15; shift ;;
  --seconds) seconds=$2; shift 2 ;;
esac
build=$1; shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(engine reader carvedtext updatemanifest relay)

cxx=$(command -v clang++ || command -v clang++-14)
cc=$(command -v clang || command -v clang-14)
mkdir -p "$build"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_C_COMPILER="$cc" >/dev/null
fi
cmake --build "$build" -j2 >/dev/null

export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
for t in "${targets[@]}"; do
  corpus=$build/corpus/$t findings=$build/findings/$t
  mkdir -p "$corpus" "$findings"
  cp -n "$here/corpus/$t"/* "$corpus"/ 2>/dev/null || true
  regressions=()
  [ -d "$here/regressions/$t" ] && regressions=("$here/regressions/$t")
  maxlen=4096 dict=()
  case $t in
    engine|reader) maxlen=131072 dict=(-dict="$here/sqlite.dict") ;;
    relay) maxlen=16384 dict=(-dict="$here/adb.dict") ;;
  esac
  echo "== $t: ${seconds}s"
  if ! nice -n 19 "$build/fuzz_$t" -max_total_time="$seconds" -max_len=$maxlen -timeout=30 -rss_limit_mb=1536 \
      "${dict[@]}" -artifact_prefix="$findings/" -print_final_stats=1 \
      "$corpus" "${regressions[@]}" 2>"$build/$t.log"; then
    status=1
    tail -n 60 "$build/$t.log"
  fi
  grep -E '^(#[0-9]+.*(DONE|pulse)|stat::number_of_executed_units|stat::new_units_added)' "$build/$t.log" | tail -n 3 || true
done
exit $status
