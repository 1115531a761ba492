#!/bin/bash
# Builds everything and runs Vorn_Login.exe under Wine on the bundled demo site
# (tools/demo/: launcher page with news and server logins, game page, update
# manifest), served on 127.0.0.1, with the stand-in browser control registered
# in the demo's own Wine prefix. On your own display (DISPLAY set) you log in
# yourself and close the window to end. Without a display it runs on a virtual
# one: a driver clicks the first login button, screenshots of the launcher and
# of the game window are saved and their paths printed, then the program is
# closed and must end cleanly.
#
# With --update the demo site offers a new version (tools/demo/offer_update.sh):
# the launcher hands over to the updater Brisvane.exe, whose window shows the
# download, and the program comes back on the new version. Without a display
# screenshots of the progress window and of the launcher afterwards are saved.
set -euo pipefail
UPDATE=0
case "${1:-}" in
  --update) UPDATE=1 ;;
  "") ;;
  *) echo "usage: scripts/demo.sh [--update]" >&2; exit 2 ;;
esac
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
cp "$BUILD/app/Vorn_Login.exe" "$BUILD/updater/Zarnel.dll" "$BUILD/brisvane/Brisvane.exe" "$INSTALL/"
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
if [ "$UPDATE" = 1 ]; then
  . "$ROOT/tools/demo/offer_update.sh"
  cp -r "$ROOT/tools/demo/site" "$RUN_DIR/site"
  demo_offer_update "$RUN_DIR/site" "$BUILD" || exit 1
  site_command "FILES $PORT $RUN_DIR/site"
  demo_verify_update "$SITE/update/manifest.xml" || exit 1
  # About 6 MB a second: the download takes a few seconds to watch.
  demo_route_slowly "$(cat "$RUN_DIR/httpd.port")" "$PORT" "/$DEMO_RELEASE/$DEMO_PACK" \
    "$RUN_DIR/site/$DEMO_RELEASE/$DEMO_PACK" 6000000
else
  site_command "FILES $PORT $ROOT/tools/demo/site"
fi

start_session() {
  vorn_session_start "$RUN_DIR" "$@" || exit 1
  vorn_register_standin "$BUILD/tools/standin_browser/StandinBrowser.dll"
  VORN_STANDIN_LOG="$(vorn_winpath "$RUN_DIR/standin.log")"
  export VORN_STANDIN_LOG
}

# updated: true once the install holds the new version and its files.
updated() {
  grep -q "version=\"$DEMO_NEW_VERSION\"" "$INSTALL/Update.xml" 2>/dev/null &&
    cmp -s "$INSTALL/Vorn_Login.exe" "$RUN_DIR/site/$DEMO_RELEASE/Vorn_Login.exe" &&
    cmp -s "$INSTALL/$DEMO_PACK" "$RUN_DIR/site/$DEMO_RELEASE/$DEMO_PACK"
}
# wait_until SECONDS COMMAND...: polls the command every 0.2 s.
wait_until() {
  local limit=$(( $1 * 5 )); shift
  for _ in $(seq 1 "$limit"); do "$@" && return 0; sleep 0.2; done
  "$@"
}
program_running() { pgrep -f 'Vorn_Login\.exe' >/dev/null; }

if [ "$UPDATE" = 1 ]; then
  USER_DISPLAY="${DISPLAY:-}"
  if [ -n "$USER_DISPLAY" ]; then
    start_session
    echo "demo: the launcher on $DISPLAY finds version $DEMO_NEW_VERSION and hands over to the updater."
  else
    start_session display
  fi
  (cd "$INSTALL" && vorn_wine ./Vorn_Login.exe </dev/null >"$RUN_DIR/program.txt" 2>&1) &
  if [ -z "$USER_DISPLAY" ]; then
    PROGRESS_SHOT="$(mktemp --suffix=.png /tmp/vorn-update-progress.XXXXXX)"
    AFTER_SHOT="$(mktemp --suffix=.png /tmp/vorn-update-after.XXXXXX)"
    wait_until 60 test -e "$INSTALL/data/demo_pack.dat.tmp" || { echo "demo: the updater did not start downloading" >&2; exit 1; }
    sleep 2
    import -window root "$PROGRESS_SHOT"
    wait_until 180 updated || { echo "demo: the update did not complete" >&2; exit 1; }
    sleep 3
    import -window root "$AFTER_SHOT"
    echo "demo: screenshot of the updater's progress window: $PROGRESS_SHOT"
    echo "demo: screenshot of the launcher on the new version: $AFTER_SHOT"
  else
    wait_until 600 updated || { echo "demo: the update did not complete" >&2; exit 1; }
    echo "demo: updated; close the program to end."
    while program_running; do sleep 1; done
  fi
  echo "demo: the install is on version $DEMO_NEW_VERSION: Vorn_Login.exe and data\\demo_pack.dat in place"
  exit 0
fi

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
