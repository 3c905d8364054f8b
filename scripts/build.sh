#!/usr/bin/env bash
# build.sh [KIND...]: configures (once) and builds the trees build/<kind>.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
kinds=("$@"); [ ${#kinds[@]} -gt 0 ] || kinds=(linux win64 win32)
for kind in "${kinds[@]}"; do
  dir="$root/build/$kind"
  [ -f "$dir/build.ninja" ] || "$root/scripts/configure.sh" "$kind" "$dir"
  echo "== building $kind"
  cmake --build "$dir" -j"$(nproc)"
done
