#!/bin/bash
# ctest's emulator: runs one Windows program in the current run's prefix.
# Wine's console output uses CRLF; strip it so ctest and GoogleTest parse it.
if [ -z "${VORN_RUN_DIR:-}" ] || [ -z "${WINEPREFIX:-}" ] || [ -z "${WINELOADER:-}" ]; then
  echo "wine-exec: run the tests through scripts/test.sh (no Wine session)" >&2
  exit 2
fi
if [ "${VORN_NEEDS_DISPLAY:-0}" = 1 ] && [ -z "${DISPLAY:-}" ]; then
  echo "wine-exec: this test needs a display and the session has none" >&2
  exit 2
fi
set -o pipefail
run() {
  env LC_ALL="${VORN_WINE_LOCALE:-zh_CN.UTF-8}" LOCPATH="${VORN_WINE_LOCPATH:-}" "$WINELOADER" "$@" 2>&1 </dev/null |
    tr -d '\r' | tee "$out"
}
out="$(mktemp)"
trap 'rm -f "$out"' EXIT
started=$(date +%s%N)
run "$@"
status=$?
# Now and then the loader ends within a few milliseconds, before any program
# could have run (seen once in a whole suite: status 1, no output, 0.02 s):
# that start is made again, once, and said so. A program that ran is never
# run again, whatever its end.
if [ $status != 0 ] && [ ! -s "$out" ] && [ $(( ($(date +%s%N) - started) / 1000000 )) -lt 200 ]; then
  echo "wine-exec: Wine ended at once with status $status and no output; starting the program again"
  run "$@"
  status=$?
fi
exit $status
