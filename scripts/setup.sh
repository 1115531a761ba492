#!/bin/bash
# Installs what the build and the tests need, then unpacks TinyXML's Debian
# source into .deps/. Safe to run again: it only does what is missing.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
. "$ROOT/scripts/apt.sh"
. "$ROOT/scripts/platform.sh"

# Both builds (the shipped 32-bit one and the x86_64 test build), 64-bit Wine
# for the tests, the virtual display and the tools the tests use (locales: the
# sources Wine's zh_CN.UTF-8 locale is compiled from).
PACKAGES=(
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 cmake ninja-build dpkg-dev googletest clang libclang-rt-14-dev
  wine wine64 fonts-wine
  xvfb xauth x11-utils xdotool xcompmgr imagemagick fonts-wqy-microhei
  python3 python3-xlib python3-cryptography
  locales
)
# 32-bit Wine only where this machine can run it: elsewhere it installs but
# every start fails with "Exec format error".
if vorn_can_run_i386; then
  PACKAGES+=(
    wine32:i386
    libxrender1:i386 libxrandr2:i386 libxcursor1:i386 libxi6:i386
    libxcomposite1:i386 libxfixes3:i386 libxinerama1:i386 libxxf86vm1:i386
    libgnutls30:i386 libdbus-1-3:i386
  )
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $VORN_SUDO dpkg --add-architecture i386
  fi
fi
vorn_install_missing "${PACKAGES[@]}"

# TinyXML 2.6 has no MinGW build in the archive: build it from its Debian source.
# A deb-src entry mirrors the machine's own Debian entries, so no host is named here.
TINYXML="$ROOT/.deps/tinyxml"
if [ ! -f "$TINYXML/tinyxml.cpp" ]; then
  if ! apt-get source --print-uris tinyxml >/dev/null 2>&1; then
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
      sed -e 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
        $VORN_SUDO tee /etc/apt/sources.list.d/vorn-deb-src.sources >/dev/null
    else
      grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
        $VORN_SUDO tee /etc/apt/sources.list.d/vorn-deb-src.list >/dev/null
    fi
    vorn_apt_update
  fi
  work="$(mktemp -d)"
  trap 'rm -rf "$work"' EXIT
  vorn_fetch_source tinyxml "$work"
  dir="$(find "$work" -maxdepth 1 -type d -name 'tinyxml-*' | head -1)"
  [ -n "$dir" ] && [ -f "$dir/tinyxml.cpp" ] || { echo "setup: TinyXML source not found in what apt-get fetched" >&2; exit 1; }
  mkdir -p "$ROOT/.deps"
  rm -rf "$TINYXML"
  cp -r "$dir" "$TINYXML"
  echo "setup: TinyXML source in $TINYXML"
fi

# The locale Wine needs for files with Chinese names, compiled for this user
# alone (tools/wine/locale.sh); the test runner would make it on first use.
. "$ROOT/tools/wine/locale.sh"
vorn_wine_locale && echo "setup: Wine's $VORN_WINE_LOCALE locale in $VORN_LOCALE_DIR"
