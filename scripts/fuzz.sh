#!/bin/bash
# Builds the fuzz targets (tests/fuzz) for this Linux host with clang and
# libFuzzer, replays every kept regression input, then fuzzes each target for
# a fixed time from its seeds. A crash, a leak or undefined behaviour fails
# the run; the input that caused it is saved and its path printed, to be kept
# under tests/fuzz/regressions/NAME/ once fixed.
#   scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]   (default 30 s, every target)
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
SECONDS_EACH="${1:-${VORN_FUZZ_SECONDS:-30}}"
shift $(( $# > 0 ? 1 : 0 ))
BUILD="$ROOT/build-fuzz"

CC=clang CXX=clang++ cmake -S "$ROOT/tests/fuzz" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null ||
  { echo "fuzz: configuring the targets failed"; exit 1; }
cmake --build "$BUILD" >/dev/null || { cmake --build "$BUILD"; echo "fuzz: building the targets failed"; exit 1; }

read -r -a targets < "$BUILD/fuzz-targets.txt"
IFS=';' read -r -a targets <<< "${targets[*]}"
[ $# -gt 0 ] && targets=("$@")

passed=0 failed=0
for name in "${targets[@]}"; do
  exe="$BUILD/${name}_fuzz"
  seeds="$ROOT/tests/fuzz/corpus/$name"
  kept="$ROOT/tests/fuzz/regressions/$name"
  findings="$BUILD/findings/$name"
  work="$(mktemp -d)"
  mkdir -p "$findings"
  log="$BUILD/$name.log"
  ok=1
  # Every input found before must pass as it is.
  if [ -d "$kept" ] && [ -n "$(ls -A "$kept")" ]; then
    if ! "$exe" -runs=0 "$kept"/* >"$log" 2>&1; then
      echo "fuzz: $name: a kept regression input fails again:"; tail -n 30 "$log"; ok=0
    fi
  fi
  if [ $ok = 1 ]; then
    # The seeds are copied: what the run adds to its corpus stays out of the tree.
    [ -d "$seeds" ] && cp "$seeds"/* "$work"/ 2>/dev/null
    if "$exe" -max_total_time="$SECONDS_EACH" -print_final_stats=1 -timeout=10 -rss_limit_mb=2048 \
        -max_len=65536 -artifact_prefix="$findings/" "$work" >"$log" 2>&1; then
      runs="$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$')"
      cov="$(grep -E '^#[0-9]+' "$log" | tail -n 1 | grep -o 'cov: [0-9]*' | grep -o '[0-9]*$')"
      echo "fuzz: $name: ${runs:-?} executions in ${SECONDS_EACH} s, coverage ${cov:-?} edges, no finding"
    else
      echo "fuzz: $name: FINDING (input saved in $findings):"; grep -E 'ERROR|runtime error|SUMMARY|Test unit written' "$log" | head -n 20
      ok=0
    fi
  fi
  rm -rf "$work"
  if [ $ok = 1 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
done
echo "fuzz: $passed passed, $failed failed"
[ $failed = 0 ]
