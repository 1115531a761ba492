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
env LC_ALL="${VORN_WINE_LOCALE:-zh_CN.UTF-8}" LOCPATH="${VORN_WINE_LOCPATH:-}" "$WINELOADER" "$@" 2>&1 </dev/null | tr -d '\r'
