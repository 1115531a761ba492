#!/bin/bash
# Benchmark of the update cycle's heavy parts, a script and not a test: the
# updater's download of a large file from the loopback server next to a bare
# WinINet download of the same file (ratio, target under 1.1), the time of
# finish for many small staged files, and the size of Brisvane.exe.
# Usage: tools/bench/bench_update.sh [BUILD_DIR] [megabytes] [rounds] [files]
set -uo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
. "$HERE/../../scripts/platform.sh"
BUILD="$(cd "${1:-$(vorn_runnable_build "$HERE/../..")}" && pwd)"
DLL="$BUILD/updater/Zarnel.dll"
EXE="$BUILD/brisvane/Brisvane.exe"
BENCH="$BUILD/tools/bench/bench_update.exe"
[ -f "$DLL" ] && [ -f "$EXE" ] && [ -f "$BENCH" ] || { echo "bench: build first (bash scripts/build.sh)" >&2; exit 1; }
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

vorn_wine "$BENCH" "Z:$DLL" "${2:-50}" "${3:-5}" "${4:-100}" </dev/null 2>&1 | tr -d '\r'
status=${PIPESTATUS[0]}
size=$(stat -c %s "$EXE")
echo "Brisvane.exe: $size bytes ($(( (size + 1023) / 1024 )) KB)"
exit "$status"
