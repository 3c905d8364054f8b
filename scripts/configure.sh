#!/usr/bin/env bash
# configure.sh linux|linux-release|win64|win32 BUILD_DIR [extra cmake args]
set -eu
kind=$1; dir=$2; shift 2
src=$(cd "$(dirname "$0")/.." && pwd)
case "$kind" in
  linux)         args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCARDIVANE_SANITIZE=ON) ;;
  linux-release) args=(-DCMAKE_BUILD_TYPE=Release) ;;
  win64|win32)   args=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$src/cmake/toolchain-$kind.cmake") ;;
  *) echo "configure.sh: unknown kind $kind" >&2; exit 2 ;;
esac
cmake -G Ninja -S "$src" -B "$dir" "${args[@]}" "$@" >/dev/null
