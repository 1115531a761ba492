#!/bin/bash
# Benchmark of the game window's skin: caption repaints against a plain
# BitBlt, CreateRegion per pixel at two sizes, object counts around many
# window cycles. A script, not a test.
# Usage: tools/bench/bench_skin.sh [BUILD_DIR] [cycles]
set -uo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
. "$HERE/../../scripts/platform.sh"
BUILD="$(cd "${1:-$(vorn_runnable_build "$HERE/../..")}" && pwd)"
CYCLES="${2:-1000}"
BENCH="$BUILD/tools/bench/bench_skin.exe"
[ -f "$BENCH" ] || { echo "bench: build first (bash scripts/build.sh)" >&2; exit 1; }
VORN_WINE_ARCH="$(cat "$BUILD/wine-arch.txt")"
. "$HERE/../wine/session.sh"

RUN_DIR="$(mktemp -d /tmp/vorn-bench.XXXXXX)"
trap vorn_session_end EXIT
trap 'exit 130' INT TERM
vorn_session_start "$RUN_DIR" display || exit 1

vorn_wine "$BENCH" "$CYCLES" </dev/null 2>&1 | tr -d '\r'
exit "${PIPESTATUS[0]}"
