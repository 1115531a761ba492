#!/bin/bash
# Builds everything and runs the whole test suite under Wine: the x86_64 build
# under 64-bit Wine always, and the shipped 32-bit build under 32-bit Wine
# where this machine can run it. Elsewhere the 32-bit files are still checked,
# without running them, by the x86_64 suite's Shipped.* tests.
# Extra arguments go to ctest (for example -R Updater).
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
"$ROOT/scripts/build.sh" || exit 1
. "$ROOT/scripts/platform.sh"

status=0
summaries=()
# run_suite NAME BUILD [ctest arguments]
run_suite() {
  local name="$1" build="$2" log rc line; shift 2
  log="$(mktemp /tmp/vorn-suite.XXXXXX)"
  echo "test: $name"
  "$ROOT/tools/wine/run-tests.sh" "$build" "$@" 2>&1 | tee "$log"
  rc=${PIPESTATUS[0]}
  [ "$rc" = 0 ] || status=1
  line="$(grep -E '^[0-9]+% tests passed' "$log" | tail -n 1)"
  summaries+=("test: $name:" "${line:-the suite ended before its tests ran (exit code $rc): see above}")
  rm -f "$log"
}

# The parsers of outside bytes, fuzzed on this host for a fixed time each; with
# a ctest filter only the filtered Wine tests run.
if [ $# = 0 ]; then
  log="$(mktemp /tmp/vorn-fuzz.XXXXXX)"
  echo "test: fuzz targets (host, clang, libFuzzer with address and undefined-behaviour checks)"
  "$ROOT/scripts/fuzz.sh" 2>&1 | tee "$log"
  [ "${PIPESTATUS[0]}" = 0 ] || status=1
  summaries+=("test: fuzz targets:" "$(grep -E '^fuzz: [0-9]+ passed' "$log" | tail -n 1 | sed 's/^fuzz: //')")
  rm -f "$log"
fi

run_suite "x86_64 build (build-x64/) under 64-bit Wine" "$ROOT/build-x64" "$@"
if vorn_has_wine32; then
  run_suite "shipped 32-bit build (build/) under 32-bit Wine" "$ROOT/build" "$@"
elif vorn_can_run_i386; then
  summaries+=("test: the 32-bit build was not run: 32-bit Wine is not installed (scripts/setup.sh installs it)")
else
  summaries+=("test: the 32-bit build was not run: this machine runs 64-bit Linux programs only, so 32-bit Wine cannot start; its files were checked without running them (Shipped.*)")
fi

echo
printf '%s\n' "${summaries[@]}"
exit $status
