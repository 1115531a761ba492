#!/bin/bash
# Runs the whole ctest suite of a build folder in a throwaway Wine session.
# Usage: run-tests.sh BUILD_DIR [ctest arguments]
set -uo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
BUILD="$(cd "$1" && pwd)"; shift
# The build says which Wine runs its programs.
VORN_WINE_ARCH="$(cat "$BUILD/wine-arch.txt" 2>/dev/null)" ||
  { echo "run-tests: $BUILD has no wine-arch.txt: configure it first" >&2; exit 1; }
. "$HERE/session.sh" || exit 1

RUN_DIR="$(mktemp -d /tmp/vorn-test.XXXXXX)"
trap vorn_session_end EXIT
trap 'exit 130' INT TERM

mode=""
# Tests that need a display are listed at configure time.
if [ -s "$BUILD/display-tests.txt" ]; then mode=display; fi
vorn_session_start "$RUN_DIR" $mode || exit 1

# The stand-in WebBrowser control, when built, serves this run's prefix.
. "$HERE/standin.sh"
if [ -f "$BUILD/tools/standin_browser/StandinBrowser.dll" ]; then
  vorn_register_standin "$BUILD/tools/standin_browser/StandinBrowser.dll" || exit 1
  mkdir -p "$RUN_DIR/standin-logs"
  export VORN_STANDIN_LOG_DIR="$(vorn_winpath "$RUN_DIR/standin-logs")"
fi

# The local HTTP server for tests: one control port for the whole run.
python3 "$HERE/../httpd/test_httpd.py" --control-port-file "$RUN_DIR/httpd.port" \
  </dev/null >"$RUN_DIR/httpd.log" 2>&1 &
HTTPD_PID=$!
trap 'kill $HTTPD_PID 2>/dev/null; vorn_session_end' EXIT
for i in $(seq 1 50); do [ -s "$RUN_DIR/httpd.port" ] && break; sleep 0.1; done
[ -s "$RUN_DIR/httpd.port" ] || { echo "run-tests: test HTTP server did not start" >&2; cat "$RUN_DIR/httpd.log" >&2; exit 1; }
export VORN_HTTPD_CONTROL="$(cat "$RUN_DIR/httpd.port")"
# Tests choose their own ports above this base; parallel runs get different bases.
export VORN_TEST_PORT_BASE=$(( 20000 + (RANDOM % 400) * 100 ))

cd "$BUILD"
ctest --output-on-failure --timeout 120 "$@"
