# Sourced by the update benchmarks after they set BUILD: a Wine session for
# that build and the local HTTP test server, both ended when the script exits.
BENCH_HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
VORN_WINE_ARCH="$(cat "$BUILD/wine-arch.txt")"
. "$BENCH_HERE/../wine/session.sh"

RUN_DIR="$(mktemp -d /tmp/vorn-bench.XXXXXX)"
HTTPD_PID=""
trap '[ -n "$HTTPD_PID" ] && kill $HTTPD_PID 2>/dev/null; vorn_session_end' EXIT
trap 'exit 130' INT TERM
vorn_session_start "$RUN_DIR" || exit 1

python3 "$BENCH_HERE/../httpd/test_httpd.py" --control-port-file "$RUN_DIR/httpd.port" \
  </dev/null >"$RUN_DIR/httpd.log" 2>&1 &
HTTPD_PID=$!
for i in $(seq 1 50); do [ -s "$RUN_DIR/httpd.port" ] && break; sleep 0.1; done
[ -s "$RUN_DIR/httpd.port" ] || { echo "bench: test HTTP server did not start" >&2; exit 1; }
export VORN_HTTPD_CONTROL="$(cat "$RUN_DIR/httpd.port")"
export VORN_TEST_PORT_BASE=$(( 20000 + (RANDOM % 400) * 100 ))
