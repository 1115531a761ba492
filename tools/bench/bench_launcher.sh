#!/bin/bash
# One benchmark run of Vorn_Login.exe under Wine on a virtual display:
#   - time from process start to the launcher-phase window being shown, next
#     to a minimal Win32 program built the same way (RUNS interleaved starts each;
#     medians, best times and their ratios; the target is under 1.3), and to a
#     program that makes only the platform calls the launcher phase needs
#     (platform_window.cpp: GDI+, the background picture, a layered window, two
#     hosted browsers), which shows how much of the time is the platform's,
#   - the program's peak working set,
#   - the size of Vorn_Login.exe with and without its resources.
# Usage: tools/bench/bench_launcher.sh [RUNS] [BUILD]   (default 7; without a
# build folder, both builds are made first and the one this machine runs is used)
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
RUNS="${1:-7}"
. "$ROOT/scripts/platform.sh"
if [ -n "${2:-}" ]; then
  BUILD="$(cd "$2" && pwd)"
else
  "$ROOT/scripts/build.sh" >/dev/null
  BUILD="$(vorn_runnable_build "$ROOT")"
fi
VORN_WINE_ARCH="$(cat "$BUILD/wine-arch.txt")"

RUN_DIR="$(mktemp -d /tmp/vorn-bench.XXXXXX)"
. "$ROOT/tools/wine/session.sh"
trap vorn_session_end EXIT
# Always a virtual display: the figures must not depend on the desktop in use.
unset DISPLAY
vorn_session_start "$RUN_DIR" display || exit 1

INSTALL="$RUN_DIR/install"
mkdir -p "$INSTALL"
PROGRAMS=(bench_minimal_window.exe bench_platform_window.exe Vorn_Login.exe)
cp "$BUILD/app/Vorn_Login.exe" "$BUILD/tools/bench/bench_minimal_window.exe" \
  "$BUILD/tools/bench/bench_platform_window.exe" "$INSTALL/"
printf '[platform]\r\nclientAddr=http://127.0.0.1:9/\r\n' >"$INSTALL/WebCfg.ini"
probe="$(vorn_wine winepath -w "$BUILD/tools/probe/vorn_probe.exe" 2>/dev/null | tr -d '\r')"

# probe_once EXE -> prints the probe's report
probe_once() {
  (cd "$INSTALL" && vorn_wine "$probe" "$1" --hold 300 </dev/null 2>&1 | tr -d '\r')
}

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR == 0) { print "nan"; exit } if (NR % 2) print v[(NR + 1) / 2]; else printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One start of each first, so the prefix's own first-use costs are not counted.
for exe in "${PROGRAMS[@]}"; do probe_once "$exe" >/dev/null; done
# Interleaved, so a burst of load on the shared machine hits all alike.
for exe in "${PROGRAMS[@]}"; do : >"$RUN_DIR/$exe.shown"; : >"$RUN_DIR/$exe.peak"; done
for i in $(seq 1 "$RUNS"); do
  for exe in "${PROGRAMS[@]}"; do
    out="$(probe_once "$exe")" || { echo "bench: $exe did not start and end cleanly:" >&2; echo "$out" >&2; exit 1; }
    echo "$out" | awk '/^shown_ms/ { print $2 }' >>"$RUN_DIR/$exe.shown"
    echo "$out" | awk '/^peak_working_set/ { print $2 }' >>"$RUN_DIR/$exe.peak"
  done
done
if [ "${VORN_BENCH_RAW:-0}" = 1 ]; then
  for exe in "${PROGRAMS[@]}"; do echo "$exe: $(tr '\n' ' ' <"$RUN_DIR/$exe.shown")"; done
fi

vorn_ms="$(median <"$RUN_DIR/Vorn_Login.exe.shown")"
minimal_ms="$(median <"$RUN_DIR/bench_minimal_window.exe.shown")"
platform_ms="$(median <"$RUN_DIR/bench_platform_window.exe.shown")"
vorn_best="$(sort -n "$RUN_DIR/Vorn_Login.exe.shown" | head -1)"
minimal_best="$(sort -n "$RUN_DIR/bench_minimal_window.exe.shown" | head -1)"
platform_best="$(sort -n "$RUN_DIR/bench_platform_window.exe.shown" | head -1)"
vorn_peak="$(sort -n "$RUN_DIR/Vorn_Login.exe.peak" | tail -1)"
minimal_peak="$(sort -n "$RUN_DIR/bench_minimal_window.exe.peak" | tail -1)"

# Raw size of the resource section (.rsrc) in the PE file.
rsrc_bytes() {
  python3 - "$1" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
pe = struct.unpack_from("<I", data, 0x3C)[0]
sections = struct.unpack_from("<H", data, pe + 6)[0]
optional = struct.unpack_from("<H", data, pe + 20)[0]
table = pe + 24 + optional
size = 0
for i in range(sections):
    name, _, _, raw_size = struct.unpack_from("<8sIII", data, table + 40 * i)
    if name.rstrip(b"\0") == b".rsrc":
        size += raw_size
print(size)
PY
}
exe="$BUILD/app/Vorn_Login.exe"
exe_bytes="$(stat -c %s "$exe")"
res_bytes="$(rsrc_bytes "$exe")"

echo "Vorn_Login benchmark ($RUNS interleaved starts each, Wine $("$WINELOADER" --version 2>/dev/null | sed 's/wine-//'), $VORN_WINE_ARCH)"
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
printf '  start to window shown, median: Vorn_Login %s ms, minimal Win32 program %s ms, ratio %s (target < 1.3)\n' \
  "$vorn_ms" "$minimal_ms" "$(ratio "$vorn_ms" "$minimal_ms")"
printf '  start to window shown, best:   Vorn_Login %s ms, minimal Win32 program %s ms, ratio %s\n' \
  "$vorn_best" "$minimal_best" "$(ratio "$vorn_best" "$minimal_best")"
printf '  platform calls only (median, best): %s ms, %s ms; Vorn_Login against them: %s, %s\n' \
  "$platform_ms" "$platform_best" "$(ratio "$vorn_ms" "$platform_ms")" "$(ratio "$vorn_best" "$platform_best")"
printf '  peak working set: Vorn_Login %s KiB (minimal program %s KiB)\n' \
  "$((vorn_peak / 1024))" "$((minimal_peak / 1024))"
printf '  Vorn_Login.exe: %s bytes with resources, %s bytes without (resources %s bytes)\n' \
  "$exe_bytes" "$((exe_bytes - res_bytes))" "$res_bytes"
