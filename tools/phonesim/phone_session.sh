# Sourceable helpers: a private adb server on a free port and simulated phones
# attached to it. Every process started here is stopped by phone_session_end,
# which callers install as an EXIT trap.
#
#   . tools/phonesim/phone_session.sh
#   phone_session_begin WORKDIR            # sets ADB_PORT, HOME, ANDROID_ADB_SERVER_PORT
#   trap phone_session_end EXIT
#   phone_attach PHONESIM ROOT [phonesim options...]   # sets PHONE_SERIAL="127.0.0.1:PORT"
#
# Results come back in variables, never through $(...): a subshell would lose
# track of the processes it starts.
# Needs: adb (Debian's package), python3 (to find free ports).

phone_session_free_port() {
  python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

phone_session_begin() {
  PHONE_SESSION_DIR=$1
  mkdir -p "$PHONE_SESSION_DIR/home" "$PHONE_SESSION_DIR/tmp"
  PHONE_SESSION_PIDS=""
  PHONE_SESSION_PORTS=""
  # The server reads these when it starts: a private key store, no USB,
  # emulator or mDNS scans, its log in our folder.
  export HOME="$PHONE_SESSION_DIR/home" TMPDIR="$PHONE_SESSION_DIR/tmp"
  export ADB_USB=0 ADB_EMU=0 ADB_MDNS=0
  ADB_PORT=$(phone_session_free_port) || return 1
  export ANDROID_ADB_SERVER_PORT=$ADB_PORT
  phone_session_track_server "$ADB_PORT"
  adb -P "$ADB_PORT" start-server </dev/null >/dev/null 2>&1 || {
    echo "phone_session: adb server did not start on port $ADB_PORT" >&2
    return 1
  }
}

# A server some other program may have started on PORT; stopped at the end.
phone_session_track_server() {
  PHONE_SESSION_PORTS="$PHONE_SESSION_PORTS $1"
}

phone_session_end() {
  local port pid
  for port in $PHONE_SESSION_PORTS; do
    adb -P "$port" kill-server </dev/null >/dev/null 2>&1
  done
  for pid in $PHONE_SESSION_PIDS; do
    kill "$pid" 2>/dev/null
  done
  for pid in $PHONE_SESSION_PIDS; do
    wait "$pid" 2>/dev/null
  done
  PHONE_SESSION_PIDS=""
  PHONE_SESSION_PORTS=""
}

# phone_start PHONESIM ROOT [options...]: starts a phone; sets PHONE_PORT.
phone_start() {
  local phonesim=$1 root=$2 out pid port
  PHONE_PORT=""
  shift 2
  out=$(mktemp "$PHONE_SESSION_DIR/phone.XXXXXX")
  "$phonesim" --root "$root" "$@" >"$out" 2>"$out.log" </dev/null &
  pid=$!
  PHONE_SESSION_PIDS="$PHONE_SESSION_PIDS $pid"
  # Wait for its "listening" line rather than a fixed sleep (under Wine a
  # first start takes seconds).
  for _ in $(seq $((${PHONE_START_SECONDS:-5} * 20))); do
    port=$(sed -n 's/^phonesim listening on 127\.0\.0\.1:\([0-9]*\)\r\{0,1\}$/\1/p' "$out")
    [ -n "$port" ] && { PHONE_PORT=$port; return 0; }
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  echo "phone_session: the simulated phone did not start" >&2
  cat "$out.log" >&2
  return 1
}

# phone_connect PORT: attaches a started phone; sets PHONE_SERIAL once it is online.
phone_connect() {
  local serial="127.0.0.1:$1" reply
  PHONE_SERIAL=""
  reply=$(adb -P "$ADB_PORT" connect "$serial" 2>&1)
  case "$reply" in
    "connected to $serial"*|"already connected to $serial"*) ;;
    *) echo "phone_session: adb connect $serial: $reply" >&2; return 1 ;;
  esac
  for _ in $(seq 100); do
    if adb -P "$ADB_PORT" devices 2>/dev/null | grep -q "^$serial[[:space:]]device\$"; then
      PHONE_SERIAL=$serial
      return 0
    fi
    sleep 0.05
  done
  echo "phone_session: $serial did not come online" >&2
  return 1
}

# phone_attach PHONESIM ROOT [options...]: start and connect; sets PHONE_SERIAL.
phone_attach() {
  phone_start "$@" || return 1
  phone_connect "$PHONE_PORT"
}
