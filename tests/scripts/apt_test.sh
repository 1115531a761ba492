#!/bin/bash
# Set-up's way through a package archive that fails: stand-in apt-get and
# dpkg-query first on PATH, driven by STUB_FAIL (which calls fail), logging
# every call. Runs scripts/apt.sh's functions as setup.sh does.
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
mkdir -p "$WORK/bin"

cat >"$WORK/bin/apt-get" <<'STUB'
#!/bin/bash
# The call's kind: its subcommand, with "-t" when a target release is given.
kind="$1"; for a in "$@"; do [ "$a" = -t ] && kind="$1-t"; done
echo "apt-get $*" >>"$STUB_LOG"
case " $STUB_FAIL " in *" $kind "*) echo "E: stand-in failure of $kind" >&2; exit 100;; esac
[ "$1" = source ] && mkdir -p tinyxml-2.6.2 && touch tinyxml-2.6.2/tinyxml.cpp
exit 0
STUB
cat >"$WORK/bin/dpkg-query" <<'STUB'
#!/bin/bash
# Nothing is installed but what STUB_INSTALLED names.
case " ${STUB_INSTALLED:-} " in *" ${@: -1} "*) echo "install ok installed";; esac
exit 0
STUB
printf '#!/bin/bash\nexec "$@"\n' >"$WORK/bin/sudo"
chmod +x "$WORK/bin/"*
printf 'ID=debian\nVERSION_CODENAME=bookworm\n' >"$WORK/os-release"

export PATH="$WORK/bin:$PATH" STUB_LOG="$WORK/calls" VORN_OS_RELEASE="$WORK/os-release" VORN_APT_LOG="$WORK/apt.log"
. "$ROOT/scripts/apt.sh"

failures=0
# check NAME FAILING-CALLS EXPECTED-STATUS EXPECTED-CALLS EXPECTED-MESSAGE COMMAND...
check() {
  local name="$1" fail="$2" want_status="$3" want_calls="$4" want_message="$5" status=0; shift 5
  : >"$STUB_LOG"
  STUB_FAIL="$fail" "$@" >"$WORK/out" 2>&1 || status=$?
  local calls; calls="$(sed 's/^apt-get //' "$STUB_LOG" | tr '\n' '|')"
  local ok=1
  [ "$status" = "$want_status" ] || ok=0
  [ "$calls" = "$want_calls" ] || ok=0
  [ -z "$want_message" ] || grep -qF -- "$want_message" "$WORK/out" || ok=0
  if [ $ok = 1 ]; then echo "PASS $name"; else
    echo "FAIL $name: status $status (want $want_status), calls '$calls' (want '$want_calls'), output:"
    sed 's/^/    /' "$WORK/out"; failures=$((failures + 1)); fi
}

INSTALL="install -y -q --no-install-recommends"
check "a failed list update is a warning and the install goes on" "update" 0 \
  "update -q|$INSTALL wine cmake|" "some package lists could not be downloaded" \
  vorn_install_missing wine cmake
check "a failed install is retried once with the release as target" "update install" 0 \
  "update -q|$INSTALL wine cmake|install -t bookworm -y -q --no-install-recommends wine cmake|" "trying once more with every package from the bookworm release" \
  vorn_install_missing wine cmake
check "set-up fails with one message when the retry fails too" "update install install-t" 1 \
  "update -q|$INSTALL wine|install -t bookworm -y -q --no-install-recommends wine|" "setup: could not install wine" \
  vorn_install_missing wine
export STUB_INSTALLED="wine cmake"
check "installed packages are left alone and nothing is fetched" "update install install-t" 0 \
  "" "" vorn_install_missing wine cmake
STUB_INSTALLED="wine"
check "only the missing packages are installed" "" 0 \
  "update -q|$INSTALL cmake|" "installing cmake" vorn_install_missing wine cmake
unset STUB_INSTALLED
mkdir -p "$WORK/src"
check "a failed source fetch is retried with the release as target" "source" 0 \
  "source -q tinyxml|source -t bookworm -q tinyxml|" "trying once more" vorn_fetch_source tinyxml "$WORK/src"
[ -f "$WORK/src/tinyxml-2.6.2/tinyxml.cpp" ] || { echo "FAIL the retried fetch left no source"; failures=$((failures + 1)); }
check "a source fetch that fails twice fails set-up" "source source-t" 1 \
  "source -q tinyxml|source -t bookworm -q tinyxml|" "setup: could not fetch the source of tinyxml" vorn_fetch_source tinyxml "$WORK/src"

[ $failures = 0 ] && echo "all set-up cases passed" || echo "$failures set-up case(s) failed"
exit $((failures > 0))
