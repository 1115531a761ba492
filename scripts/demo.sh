#!/bin/bash
# Builds everything and runs Vorn_Login.exe under Wine from a temporary
# install folder holding a WebCfg.ini. On your own display (DISPLAY set) the
# program stays up until you close it. Without a display it runs on a virtual
# one with a compositor: once its window shows, a screenshot is saved and its
# path printed, then the program is closed and must end cleanly.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="$ROOT/build"
"$ROOT/scripts/build.sh"

RUN_DIR="$(mktemp -d /tmp/vorn-demo.XXXXXX)"
INSTALL="$RUN_DIR/install"
mkdir -p "$INSTALL"
cp "$BUILD/app/Vorn_Login.exe" "$INSTALL/"
# The addresses the launcher opens; the game site is not part of this demo.
printf '[platform]\r\nclientAddr=http://127.0.0.1:8080/launcher/\r\nbbsAddr=http://127.0.0.1:8080/bbs/\r\nserviceAddr=http://127.0.0.1:8080/service/\r\nhomeAddr=http://127.0.0.1:8080/\r\nrechargeAddr=http://127.0.0.1:8080/pay?server=[server]&user=[user]\r\n' \
  >"$INSTALL/WebCfg.ini"

. "$ROOT/tools/wine/session.sh"
trap vorn_session_end EXIT

if [ -n "${DISPLAY:-}" ]; then
  vorn_session_start "$RUN_DIR"
  echo "demo: Vorn_Login.exe on $DISPLAY; close its window to end."
  status=0
  (cd "$INSTALL" && vorn_wine ./Vorn_Login.exe </dev/null) || status=$?
  echo "demo: Vorn_Login.exe ended with exit code $status"
  exit "$status"
fi

vorn_session_start "$RUN_DIR" display
# Outside the run folder, which goes with the session.
SHOT="$(mktemp --suffix=.png /tmp/vorn-launcher.XXXXXX)"
CLOSE_FLAG="$RUN_DIR/close-now"
PROBE_OUT="$RUN_DIR/probe.txt"
probe="$(winepath -w "$BUILD/tools/probe/vorn_probe.exe" 2>/dev/null)"
flag="$(winepath -w "$CLOSE_FLAG" 2>/dev/null)"
(cd "$INSTALL" && vorn_wine "$probe" 'Vorn_Login.exe' --until "$flag" </dev/null >"$PROBE_OUT" 2>&1) &
PROBE_PID=$!

# The probe reports the window once it is visible; give the compositor a moment.
for _ in $(seq 1 300); do
  grep -q '^shown_ms' "$PROBE_OUT" 2>/dev/null && break
  kill -0 "$PROBE_PID" 2>/dev/null || break
  sleep 0.1
done
if ! grep -q '^shown_ms' "$PROBE_OUT"; then
  echo "demo: Vorn_Login.exe showed no window" >&2
  tr -d '\r' <"$PROBE_OUT" >&2
  exit 1
fi
sleep 1.5
import -window root "$SHOT"
touch "$CLOSE_FLAG"
status=0
wait "$PROBE_PID" || status=$?

tr -d '\r' <"$PROBE_OUT" | sed 's/^/demo: /'
echo "demo: screenshot: $SHOT"
if [ "$status" != 0 ]; then
  echo "demo: Vorn_Login.exe did not end cleanly after WM_CLOSE" >&2
  exit 1
fi
echo "demo: Vorn_Login.exe ended cleanly (exit code 0)"
