#!/bin/bash
# Benchmark of the update cycle's heavy parts, a script and not a test: the
# updater's download of a large file from the loopback server next to a bare
# WinINet download of the same file (ratio, target under 1.1), the time of
# finish for many small staged files, what checking the publisher's signature
# adds for a manifest of many entries (target under 5 ms), and the size of
# Brisvane.exe.
# Usage: tools/bench/bench_update.sh [BUILD_DIR] [megabytes] [rounds] [files] [entries]
set -uo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
. "$HERE/../../scripts/platform.sh"
BUILD="$(cd "${1:-$(vorn_runnable_build "$HERE/../..")}" && pwd)"
DLL="$BUILD/updater/Zarnel.dll"
EXE="$BUILD/brisvane/Brisvane.exe"
BENCH="$BUILD/tools/bench/bench_update.exe"
VERIFY="$BUILD/tools/bench/bench_verify.exe"
[ -f "$DLL" ] && [ -f "$EXE" ] && [ -f "$BENCH" ] && [ -f "$VERIFY" ] || { echo "bench: build first (bash scripts/build.sh)" >&2; exit 1; }
. "$HERE/bench_session.sh"

vorn_wine "$BENCH" "Z:$DLL" "${2:-50}" "${3:-5}" "${4:-100}" </dev/null 2>&1 | tr -d '\r'
status=${PIPESTATUS[0]}
vorn_wine "$VERIFY" "${5:-1000}" </dev/null 2>&1 | tr -d '\r'
[ "${PIPESTATUS[0]}" = 0 ] || status=1
size=$(stat -c %s "$EXE")
echo "Brisvane.exe: $size bytes ($(( (size + 1023) / 1024 )) KB)"
exit "$status"
