#!/usr/bin/env bash
# wine-session.sh BUILD_DIR COMMAND...
# Runs COMMAND inside one Wine session for the tree BUILD_DIR: a private Xvfb
# display (unless CARDIVANE_USE_DISPLAY=1 and DISPLAY is set), the tree's prefix,
# a persistent wineserver started first so Wine's background processes do not
# hold the test runner's pipes, and everything stopped afterwards.
set -u
build_dir=$(cd "$1" && pwd) || exit 2
shift
export WINEPREFIX="${CARDIVANE_WINEPREFIX:-$build_dir/wineprefix}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
here=$(cd "$(dirname "$0")" && pwd)

xvfb_pid=""
if [ "${CARDIVANE_USE_DISPLAY:-0}" != 1 ] || [ -z "${DISPLAY:-}" ]; then
  for n in $(seq $((90 + RANDOM % 300)) 500); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    if kill -0 "$xvfb_pid" 2>/dev/null; then export DISPLAY=":$n"; break; fi
    xvfb_pid=""
  done
  [ -n "$xvfb_pid" ] || { echo "wine-session: no Xvfb display could be started" >&2; exit 2; }
fi

cleanup() {
  /usr/lib/wine/wineserver -k >/dev/null 2>&1
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT
trap 'exit 130' INT TERM

"$here/wine-prefix.sh" "$WINEPREFIX" || exit 2
/usr/lib/wine/wineserver -p
/usr/lib/wine/wine64 cmd /c exit >/dev/null 2>&1 </dev/null
"$@"
