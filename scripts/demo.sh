#!/bin/bash
# Builds everything and shows what was built. (The launcher demo comes with
# the program itself.)
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
"$ROOT/scripts/build.sh"
echo
echo "Built (32-bit Windows, in $ROOT/build):"
find "$ROOT/build" \( -name '*.exe' -o -name '*.dll' \) -not -path '*/CMakeFiles/*' -printf '  %P  (%s bytes)\n' | sort
