#!/bin/bash
# Builds everything and runs Vorn_Login.exe under Wine on the bundled demo site
# (tools/demo/: launcher page with news and server logins, game page, update
# manifest), served on 127.0.0.1, with the stand-in browser control registered
# in the demo's own Wine prefix. On your own display (DISPLAY set) you log in
# yourself and close the window to end. Without a display it runs on a virtual
# one: a driver clicks the first login button, screenshots of the launcher and
# of the game window are saved and their paths printed, then the program is
# closed and must end cleanly.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
"$ROOT/scripts/build.sh"
. "$ROOT/scripts/platform.sh"
# The shipped 32-bit program where this machine can run it, else the x86_64 one.
BUILD="$(vorn_runnable_build "$ROOT")"
VORN_WINE_ARCH="$(cat "$BUILD/wine-arch.txt")"
if [ "$VORN_WINE_ARCH" = win32 ]; then
  echo "demo: running the shipped 32-bit program under 32-bit Wine"
else
  echo "demo: this machine cannot run 32-bit Wine: running the x86_64 build of the program under 64-bit Wine"
fi

RUN_DIR="$(mktemp -d /tmp/vorn-demo.XXXXXX)"
INSTALL="$RUN_DIR/install"
FLAGS="$RUN_DIR/flags"
mkdir -p "$INSTALL" "$FLAGS"
PORT=$((18000 + RANDOM % 2000))
SITE="http://127.0.0.1:$PORT"

# The installation: program, update library, its manifest matching the site's
# version (so the update step finds nothing to do) and the addresses.
cp "$BUILD/app/Vorn_Login.exe" "$BUILD/updater/Zarnel.dll" "$INSTALL/"
sed "s/@PORT@/$PORT/" "$ROOT/tools/demo/Update.xml.in" >"$INSTALL/Update.xml"
printf '[platform]\r\nclientAddr=%s/index.html\r\nbbsAddr=%s/forum.html\r\nserviceAddr=%s/forum.html\r\nhomeAddr=%s/news.html\r\nrechargeAddr=%s/pay.html?sid=[server]&name=[user]\r\n' \
  "$SITE" "$SITE" "$SITE" "$SITE" "$SITE" >"$INSTALL/WebCfg.ini"

. "$ROOT/tools/wine/session.sh"
. "$ROOT/tools/wine/standin.sh"
HTTPD_PID=""
trap '[ -n "$HTTPD_PID" ] && kill "$HTTPD_PID" 2>/dev/null; vorn_session_end' EXIT

# The demo site: the test server's file mode, one listener on PORT.
python3 "$ROOT/tools/httpd/test_httpd.py" --control-port-file "$RUN_DIR/httpd.port" \
  </dev/null >"$RUN_DIR/httpd.log" 2>&1 &
HTTPD_PID=$!
for _ in $(seq 1 50); do [ -s "$RUN_DIR/httpd.port" ] && break; sleep 0.1; done
site_command() {
  local reply
  exec 3<>"/dev/tcp/127.0.0.1/$(cat "$RUN_DIR/httpd.port")"
  printf '%s\n' "$1" >&3
  read -r reply <&3 || true
  exec 3>&-
  [ "${reply%% *}" = OK ] || { echo "demo: site server: $1: $reply" >&2; return 1; }
}
site_command "LISTEN $PORT"
site_command "FILES $PORT $ROOT/tools/demo/site"

start_session() {
  vorn_session_start "$RUN_DIR" "$@" || exit 1
  vorn_register_standin "$BUILD/tools/standin_browser/StandinBrowser.dll"
  VORN_STANDIN_LOG="$(vorn_winpath "$RUN_DIR/standin.log")"
  export VORN_STANDIN_LOG
}

if [ -n "${DISPLAY:-}" ]; then
  start_session
  echo "demo: the launcher on $DISPLAY, site $SITE; log in, close the window to end."
  status=0
  (cd "$INSTALL" && vorn_wine ./Vorn_Login.exe /b_user demo </dev/null) || status=$?
  echo "demo: Vorn_Login.exe ended with exit code $status"
  exit "$status"
fi

start_session display
LAUNCHER_SHOT="$(mktemp --suffix=.png /tmp/vorn-launcher.XXXXXX)"
GAME_SHOT="$(mktemp --suffix=.png /tmp/vorn-game.XXXXXX)"
(cd "$INSTALL" && vorn_wine ./Vorn_Login.exe /b_user demo </dev/null >"$RUN_DIR/program.txt" 2>&1) &
PROGRAM_PID=$!
DRIVER_OUT="$RUN_DIR/driver.txt"
driver="$(vorn_winpath "$BUILD/tools/demo/demo_login.exe")"
vorn_wine "$driver" "$VORN_STANDIN_LOG" "$(vorn_winpath "$FLAGS")" </dev/null >"$DRIVER_OUT" 2>&1 &
DRIVER_PID=$!

# wait_for LINE: until the driver printed it (or ended).
wait_for() {
  for _ in $(seq 1 600); do
    grep -q "^$1" "$DRIVER_OUT" 2>/dev/null && return 0
    kill -0 "$DRIVER_PID" 2>/dev/null || break
    sleep 0.1
  done
  grep -q "^$1" "$DRIVER_OUT" 2>/dev/null
}
fail() {
  echo "demo: $1" >&2
  tr -d '\r' <"$DRIVER_OUT" | sed 's/^/demo: driver: /' >&2
  exit 1
}

wait_for launcher-shown || fail "the launcher page did not show"
import -window root "$LAUNCHER_SHOT"
touch "$FLAGS/click"
wait_for game-shown || fail "logging in did not reach the game window"
import -window root "$GAME_SHOT"
touch "$FLAGS/close"

status=0
wait "$DRIVER_PID" || status=$?
[ "$status" = 0 ] || fail "the driver failed"
program_status=0
wait "$PROGRAM_PID" || program_status=$?
tr -d '\r' <"$DRIVER_OUT" | iconv -f GBK -t UTF-8 | sed 's/^/demo: /'
echo "demo: screenshot of the launcher: $LAUNCHER_SHOT"
echo "demo: screenshot of the game window: $GAME_SHOT"
if [ "$program_status" != 0 ]; then
  echo "demo: Vorn_Login.exe did not end cleanly (exit code $program_status)" >&2
  exit 1
fi
echo "demo: Vorn_Login.exe ended cleanly (exit code 0)"
