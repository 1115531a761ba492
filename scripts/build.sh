#!/bin/bash
# Installs what is missing, then configures and builds both builds of the one
# tree: build/, the shipped 32-bit Windows build, and build-x64/, the same
# sources for x86_64, which the tests run under 64-bit Wine on machines that
# cannot run 32-bit programs.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
"$ROOT/scripts/setup.sh"
cmake -S "$ROOT" -B "$ROOT/build" -G Ninja \
  --toolchain "$ROOT/cmake/toolchain-mingw-i686.cmake" >/dev/null
cmake --build "$ROOT/build"
cmake -S "$ROOT" -B "$ROOT/build-x64" -G Ninja \
  --toolchain "$ROOT/cmake/toolchain-mingw-x86_64.cmake" -DVORN_SHIPPED_DIR="$ROOT/build" >/dev/null
cmake --build "$ROOT/build-x64"
