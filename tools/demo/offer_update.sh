# Sourced by scripts/demo.sh for its update option: the demo site offers a
# new version, 1.0.1, in the publisher's manifest format (see the README):
# the program itself (its bytes with a marker appended, so they differ) and a
# large data file, which the site serves at a limited rate so that the
# updater's progress window can be watched.

DEMO_NEW_VERSION=1.0.1

# demo_offer_update SITE_DIR BUILD: writes the offered files and the manifest.
demo_offer_update() {
  local site="$1" build="$2" files="$1/update/files"
  mkdir -p "$files"
  { cat "$build/app/Vorn_Login.exe"; printf '\0demo version %s' "$DEMO_NEW_VERSION"; } >"$files/Vorn_Login.exe"
  # 48 MiB that compress badly, the same every run.
  python3 -c 'import random,sys; r=random.Random(1); sys.stdout.buffer.write(r.randbytes(48 << 20))' \
    >"$files/demo_pack.dat"
  {
    echo '<?xml version="1.0" encoding="UTF-8"?>'
    echo '<manifest>'
    echo "  <release version=\"$DEMO_NEW_VERSION\" notes=\"demo update\"/>"
    demo_file_entry "" Vorn_Login.exe "$files/Vorn_Login.exe" files/Vorn_Login.exe
    demo_file_entry 'data\' demo_pack.dat "$files/demo_pack.dat" files/demo_pack.dat
    echo '</manifest>'
  } >"$site/update/manifest.xml"
}

# demo_file_entry PATH NAME LOCAL_FILE URL: one file element of the manifest.
demo_file_entry() {
  printf '  <file path="%s" name="%s" size="%s" sha256="%s" url="%s"/>\n' \
    "$1" "$2" "$(stat -c %s "$3")" "$(sha256sum "$3" | cut -d' ' -f1)" "$4"
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
