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
. "$HERE/bench_session.sh"

vorn_wine "$BENCH" "Z:$DLL" "$ROUNDS" "$ENTRIES" </dev/null 2>&1 | tr -d '\r'
status=${PIPESTATUS[0]}
size=$(stat -c %s "$DLL")
echo "Zarnel.dll: $size bytes ($(( (size + 1023) / 1024 )) KB; aim < 512 KB)"
exit "$status"
