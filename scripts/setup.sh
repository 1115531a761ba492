#!/bin/bash
# Installs what the build and the tests need, then unpacks TinyXML's Debian
# source into .deps/. Safe to run again: it only does what is missing.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi

PACKAGES=(
  g++-mingw-w64-i686 cmake ninja-build dpkg-dev googletest
  wine wine32:i386 fonts-wine
  libxrender1:i386 libxrandr2:i386 libxcursor1:i386 libxi6:i386
  libxcomposite1:i386 libxfixes3:i386 libxinerama1:i386 libxxf86vm1:i386
  libgnutls30:i386 libdbus-1-3:i386
  xvfb xauth x11-utils xdotool xcompmgr imagemagick fonts-wqy-microhei
  python3 python3-xlib
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

updated=0
apt_update() { if [ $updated = 0 ]; then $SUDO apt-get update -q; updated=1; fi; }

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  # 32-bit Wine needs the i386 architecture.
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  apt_update
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# TinyXML 2.6 has no MinGW build in the archive: build it from its Debian source.
# A deb-src entry mirrors the machine's own Debian entries, so no host is named here.
TINYXML="$ROOT/.deps/tinyxml"
if [ ! -f "$TINYXML/tinyxml.cpp" ]; then
  SRC_LIST=/etc/apt/sources.list.d/vorn-deb-src.sources
  if ! apt-get source --print-uris tinyxml >/dev/null 2>&1; then
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
      sed -e 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources | $SUDO tee "$SRC_LIST" >/dev/null
    else
      grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' | $SUDO tee /etc/apt/sources.list.d/vorn-deb-src.list >/dev/null
    fi
    updated=0; apt_update
  fi
  work="$(mktemp -d)"
  (cd "$work" && apt-get source -q tinyxml >/dev/null)
  dir="$(find "$work" -maxdepth 1 -type d -name 'tinyxml-*' | head -1)"
  [ -f "$dir/tinyxml.cpp" ] || { echo "setup: TinyXML source not found" >&2; exit 1; }
  mkdir -p "$ROOT/.deps"
  rm -rf "$TINYXML"
  cp -r "$dir" "$TINYXML"
  rm -rf "$work"
  echo "setup: TinyXML source in $TINYXML"
fi
