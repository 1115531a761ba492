#!/bin/bash
# The publisher's tool on the build host: a key pair, a release folder
# published and signed, the manifest's entries against the files, and verify's
# verdict on the release as published and on each way it can be altered.
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
TOOL="$ROOT/tools/publish/publish.py"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
export PYTHONDONTWRITEBYTECODE=1
cd "$WORK"

failures=0
pass() { echo "PASS $1"; }
fail() { echo "FAIL $1"; failures=$((failures + 1)); }
# expect NAME STATUS COMMAND...: the command's exit status is STATUS (0 or not 0).
expect() {
  local name="$1" want="$2" status=0; shift 2
  "$@" >out.txt 2>&1 || status=$?
  if { [ "$want" = 0 ] && [ $status = 0 ]; } || { [ "$want" != 0 ] && [ $status != 0 ]; }; then pass "$name"
  else fail "$name: status $status, output:"; sed 's/^/    /' out.txt; fi
}

expect "keygen writes a key pair" 0 sh -c "'$TOOL' keygen publisher.pem >publisher.keys"
expect "keygen never replaces a key" 1 "$TOOL" keygen publisher.pem
"$TOOL" keygen stranger.pem >stranger.keys
grep -qE '^[A-Za-z0-9+/]{86}==$' publisher.keys && pass "the public key is one line of 64 bytes" || fail "public key line: $(cat publisher.keys)"
[ "$(stat -c %a publisher.pem)" = 600 ] && pass "the private key is the owner's alone" || fail "private key mode $(stat -c %a publisher.pem)"

mkdir -p site/update/files/data/maps
printf 'program v2' >site/update/files/Vorn_Login.exe
head -c 300000 /dev/urandom >"site/update/files/data/maps/north pack.dat"
printf 'component' >site/update/files/regtest.dll
expect "publish signs a release folder" 0 "$TOOL" publish site/update/files site/update/manifest.xml \
  --key publisher.pem --version 2.0.1 --serial 5 --register regtest.dll
M=site/update/manifest.xml

# Each entry: path (a folder ends with a backslash), name, size, SHA-256, address.
entry() {
  printf '  <file path="%s" name="%s" size="%s" sha256="%s" url="%s"%s/>' "$1" "$2" \
    "$(stat -c %s "site/update/files/$3")" "$(sha256sum "site/update/files/$3" | cut -d' ' -f1)" "$4" "${5:-}"
}
want="$(printf '%s\n' '<?xml version="1.0" encoding="UTF-8"?>' '<manifest>' \
  '  <release version="2.0.1" serial="5"/>' \
  "$(entry "" Vorn_Login.exe Vorn_Login.exe files/Vorn_Login.exe)" \
  "$(entry 'data\maps\' 'north pack.dat' 'data/maps/north pack.dat' 'files/data/maps/north%20pack.dat')" \
  "$(entry "" regtest.dll regtest.dll files/regtest.dll ' register="true"')" '</manifest>')"
[ "$(cat $M)" = "$want" ] && pass "the manifest lists every file" || { fail "manifest:"; diff <(echo "$want") $M; }
grep -qE '^[A-Za-z0-9+/]{86}==$' $M.sig && [ "$(wc -l <$M.sig)" = 1 ] && pass "the signature is one base64 line" || fail "signature: $(cat $M.sig)"

printf '# rotation: the old key and the new\n' >rotation.keys; cat stranger.keys publisher.keys >>rotation.keys
expect "verify accepts the release" 0 "$TOOL" verify $M --keys publisher.keys
expect "verify accepts the second key of a rotation" 0 "$TOOL" verify $M --keys rotation.keys
expect "verify refuses another publisher's key" 1 "$TOOL" verify $M --keys stranger.keys

cp $M good.xml; cp $M.sig good.xml.sig
# flip FILE OFFSET: one byte changed (its lowest bit).
flip() {
  local byte; byte=$(od -An -tu1 -j"$2" -N1 "$1" | tr -d ' ')
  printf "$(printf '\\%03o' $((byte ^ 1)))" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}
flip $M 120
expect "a changed manifest byte fails verify" 1 "$TOOL" verify $M --keys publisher.keys
cp good.xml $M; flip $M.sig 20
expect "a changed signature byte fails verify" 1 "$TOOL" verify $M --keys publisher.keys
cp good.xml.sig $M.sig; printf 'x' >>$M.sig
expect "anything after the signature fails verify" 1 "$TOOL" verify $M --keys publisher.keys
cp good.xml.sig $M.sig; rm $M.sig
expect "a missing signature fails verify" 1 "$TOOL" verify $M --keys publisher.keys
cp good.xml.sig $M.sig
expect "the restored release verifies again" 0 "$TOOL" verify $M --keys publisher.keys

expect "a serial that does not rise is refused" 1 "$TOOL" publish site/update/files $M --key publisher.pem --version 2.0.2 --serial 5
cmp -s good.xml $M && pass "a refused publish leaves the published release" || fail "the refused publish changed the manifest"
expect "without a serial the next one is taken" 0 "$TOOL" publish site/update/files $M --key publisher.pem --version 1.9
grep -q '<release version="1.9" serial="6"/>' $M && pass "serial 6, any version" || fail "next serial: $(sed -n 3p $M)"
mkdir -p bad; printf x >bad/Update.xml
expect "the updater's own manifests cannot be published" 1 "$TOOL" publish bad bad.xml --key publisher.pem --version 3 --url-prefix f/

[ $failures = 0 ] && echo "all publisher tool cases passed" || echo "$failures publisher tool case(s) failed"
exit $((failures > 0))
