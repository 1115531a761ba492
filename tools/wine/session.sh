# Sourced by the test runner and the demo: one throwaway Wine prefix with a
# persistent wineserver, and an Xvfb display when asked for. vorn_session_end
# ends everything started here; callers run it from an EXIT trap.
#
# VORN_WINE_ARCH picks the Wine: win64 (the default; x86_64 programs under
# 64-bit Wine, which every machine here can run) or win32 (32-bit programs,
# where the machine can run 32-bit Wine). The loader and server are called
# directly: /usr/bin/wine picks the 32-bit loader whenever it is installed,
# even where it cannot run.

VORN_SESSION_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
case "${VORN_WINE_ARCH:-win64}" in
  win64) export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64 ;;
  win32) export WINEARCH=win32 WINELOADER=/usr/lib/wine/wine WINESERVER=/usr/lib/wine/wineserver32 ;;
  *) echo "session: VORN_WINE_ARCH must be win64 or win32, not ${VORN_WINE_ARCH}" >&2; return 1 ;;
esac
export VORN_WINE_ARCH="$WINEARCH"
export WINEDEBUG=${WINEDEBUG:--all}
# The ANSI code page follows LC_ALL, not LANG: zh_CN gives code page 936.
# Given to Wine processes only (through env), with the locale compiled for
# them (locale.sh), so that files with Chinese names can be made.
. "$VORN_SESSION_DIR/locale.sh"
export VORN_WINE_LOCALE
export VORN_WINE_LOCPATH=""
if vorn_wine_locale; then
  VORN_WINE_LOCPATH="$VORN_LOCALE_DIR"
else
  echo "session: warning: without the $VORN_WINE_LOCALE locale Wine cannot create files with Chinese names" >&2
fi
vorn_wine() { env LC_ALL="$VORN_WINE_LOCALE" LOCPATH="$VORN_WINE_LOCPATH" "$WINELOADER" "$@"; }
# No menu entries or file associations for the throwaway prefix.
export WINEDLLOVERRIDES="winemenubuilder.exe=d${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"

VORN_XVFB_PID=""
VORN_XCOMPMGR_PID=""
VORN_KEEPER_PID=""

# vorn_session_start DIR [display]
vorn_session_start() {
  export VORN_RUN_DIR="$1"
  export WINEPREFIX="$VORN_RUN_DIR/prefix"
  mkdir -p "$VORN_RUN_DIR"
  if [ "${2:-}" = display ]; then vorn_start_display; fi

  local log="$VORN_RUN_DIR/wineboot.log"
  if ! "$WINELOADER" wineboot -i >"$log" 2>&1 </dev/null || ! "$WINESERVER" -w >>"$log" 2>&1; then
    vorn_session_failed "Wine ($WINEARCH, $WINELOADER) could not make its prefix" "$log"
    return 1
  fi
  # The first Wine process starts services that keep its output open: start the
  # server for good and warm it with output going nowhere.
  if ! "$WINESERVER" -p >>"$log" 2>&1 || ! vorn_wine wineboot </dev/null >>"$log" 2>&1; then
    vorn_session_failed "the Wine server ($WINESERVER) did not start" "$log"
    return 1
  fi
  # A crash must fail the test, not wait on winedbg's dialog.
  vorn_reg 'HKCU\Software\Wine\WineDbg' ShowCrashDialog REG_DWORD 0
  # Wine draws the non-client area itself, so window rectangles match Windows.
  vorn_reg 'HKCU\Software\Wine\X11 Driver' Decorated REG_SZ N
}

# vorn_session_failed WHAT LOG: says so on the terminal with the log's tail,
# before the exit clean-up deletes the log.
vorn_session_failed() {
  echo "session: $1. The end of its log ($2):" >&2
  tail -n 15 "$2" 2>/dev/null | sed 's/^/    /' >&2
}

vorn_reg() {
  vorn_wine reg add "$1" /v "$2" /t "$3" /d "$4" /f </dev/null >/dev/null 2>&1
}

vorn_start_display() {
  local n i
  # Several runs may start at once: take the first display whose server comes up.
  for n in $(seq $((77 + RANDOM % 100)) 250); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    # setsid and no inherited output: a test runner must not wait on the server.
    setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp \
      </dev/null >"$VORN_RUN_DIR/xvfb.log" 2>&1 &
    VORN_XVFB_PID=$!
    for i in $(seq 1 100); do
      kill -0 "$VORN_XVFB_PID" 2>/dev/null || break
      DISPLAY=":$n" xdpyinfo >/dev/null 2>&1 && break
      sleep 0.1
    done
    if DISPLAY=":$n" xdpyinfo >/dev/null 2>&1 && kill -0 "$VORN_XVFB_PID" 2>/dev/null; then
      export DISPLAY=":$n"
      break
    fi
    kill "$VORN_XVFB_PID" 2>/dev/null; VORN_XVFB_PID=""
  done
  [ -n "$VORN_XVFB_PID" ] || { vorn_session_failed "no Xvfb display could be started" "$VORN_RUN_DIR/xvfb.log"; return 1; }
  # No window manager here: the keeper answers Wine's hide/close handshake so it
  # does not wait about 2 s per top-level window.
  setsid /usr/bin/python3 "$VORN_SESSION_DIR/wm_state_keeper.py" \
    </dev/null >"$VORN_RUN_DIR/wm_state_keeper.log" 2>&1 &
  VORN_KEEPER_PID=$!
  # A compositor, so half-transparent layered pixels blend as on Windows.
  if command -v xcompmgr >/dev/null; then
    setsid xcompmgr </dev/null >"$VORN_RUN_DIR/xcompmgr.log" 2>&1 &
    VORN_XCOMPMGR_PID=$!
  fi
}

vorn_session_end() {
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    "$WINESERVER" -k >/dev/null 2>&1 || true
    "$WINESERVER" -w >/dev/null 2>&1 || true
  fi
  [ -n "$VORN_KEEPER_PID" ] && kill "$VORN_KEEPER_PID" 2>/dev/null
  [ -n "$VORN_XCOMPMGR_PID" ] && kill "$VORN_XCOMPMGR_PID" 2>/dev/null
  [ -n "$VORN_XVFB_PID" ] && kill "$VORN_XVFB_PID" 2>/dev/null
  VORN_XVFB_PID=""; VORN_XCOMPMGR_PID=""; VORN_KEEPER_PID=""
  if [ -n "${VORN_RUN_DIR:-}" ] && [ "${VORN_KEEP_RUN_DIR:-0}" != 1 ]; then
    rm -rf "$VORN_RUN_DIR"
  fi
  return 0
}
