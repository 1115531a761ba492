#!/bin/bash
# Builds everything and runs the whole test suite under Wine.
# Extra arguments go to ctest (for example -R Updater).
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
"$ROOT/scripts/build.sh"
exec "$ROOT/tools/wine/run-tests.sh" "$ROOT/build" "$@"
