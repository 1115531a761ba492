#!/bin/bash
# Benchmark of Zarnel's check against a bare WinINet GET of the same document
# from the local test server, and the DLL's size. A script, not a test.
# Usage: tools/bench/bench_updater.sh [BUILD_DIR] [rounds] [file entries in the manifest]
set -uo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
. "$HERE/../../scripts/platform.sh"
BUILD="$(cd "${1:-$(vorn_runnable_build "$HERE/../..")}" && pwd)"
ROUNDS="${2:-300}"
ENTRIES="${3:-10}"
DLL="$BUILD/updater/Zarnel.dll"
BENCH="$BUILD/tools/bench/bench_updater.exe"
[ -f "$DLL" ] && [ -f "$BENCH" ] || { echo "bench: build first (bash scripts/build.sh)" >&2; exit 1; }
VORN_WINE_ARCH="$(cat "$BUILD/wine-arch.txt")"
. "$HERE/../wine/session.sh"

RUN_DIR="$(mktemp -d /tmp/vorn-bench.XXXXXX)"
HTTPD_PID=""
trap '[ -n "$HTTPD_PID" ] && kill $HTTPD_PID 2>/dev/null; vorn_session_end' EXIT
trap 'exit 130' INT TERM
vorn_session_start "$RUN_DIR" || exit 1

python3 "$HERE/../httpd/test_httpd.py" --control-port-file "$RUN_DIR/httpd.port" \
  </dev/null >"$RUN_DIR/httpd.log" 2>&1 &
HTTPD_PID=$!
for i in $(seq 1 50); do [ -s "$RUN_DIR/httpd.port" ] && break; sleep 0.1; done
[ -s "$RUN_DIR/httpd.port" ] || { echo "bench: test HTTP server did not start" >&2; exit 1; }
export VORN_HTTPD_CONTROL="$(cat "$RUN_DIR/httpd.port")"
export VORN_TEST_PORT_BASE=$(( 20000 + (RANDOM % 400) * 100 ))

vorn_wine "$BENCH" "Z:$DLL" "$ROUNDS" "$ENTRIES" </dev/null 2>&1 | tr -d '\r'
status=${PIPESTATUS[0]}
size=$(stat -c %s "$DLL")
echo "Zarnel.dll: $size bytes ($(( (size + 1023) / 1024 )) KB; aim < 512 KB)"
exit "$status"
