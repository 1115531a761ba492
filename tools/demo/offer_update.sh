# Sourced by scripts/demo.sh for its update option: the demo site offers a
# new version, 1.0.1, published with the publisher's tool (tools/publish/) and
# signed with the demo key: the program itself (its bytes with a marker
# appended, so they differ) and a large data file, which the site serves at a
# limited rate so that the updater's progress window can be watched.

DEMO_NEW_VERSION=1.0.1
DEMO_KEYS_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")/keys" && pwd)"
DEMO_PUBLISH="$(cd "$(dirname "${BASH_SOURCE[0]}")/../publish" && pwd)/publish.py"
# Where the release lies below the site, laid out as the install folder.
DEMO_RELEASE=update/files
DEMO_PACK=data/demo_pack.dat

# demo_offer_update SITE_DIR BUILD: writes the release and its signed manifest.
demo_offer_update() {
  local site="$1" build="$2" release="$1/$DEMO_RELEASE"
  mkdir -p "$release/data"
  { cat "$build/app/Vorn_Login.exe"; printf '\0demo version %s' "$DEMO_NEW_VERSION"; } >"$release/Vorn_Login.exe"
  # 48 MiB that compress badly, the same every run.
  python3 -c 'import random,sys; r=random.Random(1); sys.stdout.buffer.write(r.randbytes(48 << 20))' \
    >"$release/$DEMO_PACK"
  "$DEMO_PUBLISH" publish "$release" "$site/update/manifest.xml" --version "$DEMO_NEW_VERSION" \
    --key "$DEMO_KEYS_DIR/demo-private-key.DEMO-AND-TESTS-ONLY.pem"
}

# demo_verify_update MANIFEST_URL: the served release, as a publisher checks it.
demo_verify_update() {
  "$DEMO_PUBLISH" verify "$1" --keys "$DEMO_KEYS_DIR/demo-update-keys.txt"
}

# demo_route_slowly CONTROL_PORT PORT URL_PATH FILE BYTES_PER_SECOND
demo_route_slowly() {
  python3 - "$@" <<'PY'
import socket, sys
control, port, path, name, rate = sys.argv[1:]
body = open(name, "rb").read()
s = socket.create_connection(("127.0.0.1", int(control)))
s.sendall(("ROUTE %s %s 200 rate=%s %d\n\n" % (port, path, rate, len(body))).encode() + body)
s.shutdown(socket.SHUT_WR)
sys.exit(0 if s.recv(64).startswith(b"OK") else 1)
PY
}
