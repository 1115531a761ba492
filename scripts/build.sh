#!/bin/bash
# Installs what is missing, then configures and builds everything into build/.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
"$ROOT/scripts/setup.sh"
cmake -S "$ROOT" -B "$ROOT/build" -G Ninja \
  --toolchain "$ROOT/cmake/toolchain-mingw-i686.cmake" >/dev/null
cmake --build "$ROOT/build"
