# Sourced after session.sh. Registers the stand-in WebBrowser control in the
# session's prefix: the class's InprocServer32 in HKCR is replaced (in Wine 8 a
# per-user registration does not override it). A program that needs Wine's own
# control in the same prefix runs with VORN_STANDIN_USE_STOCK=1, and the
# stand-in hands out ieframe.dll's class object instead.

VORN_WEBBROWSER_KEY='HKCR\CLSID\{8856F961-340A-11D0-A96B-00C04FD705A2}\InprocServer32'

# vorn_winpath UNIX_PATH: the path as Windows programs in the prefix see it.
vorn_winpath() {
  vorn_wine winepath -w "$1" </dev/null 2>/dev/null | tr -d '\r'
}

# vorn_register_standin /unix/path/StandinBrowser.dll
vorn_register_standin() {
  local dll="$1" win
  [ -f "$dll" ] || { echo "standin: $dll not found" >&2; return 1; }
  win="$(vorn_winpath "$dll")"
  [ -n "$win" ] || { echo "standin: winepath failed for $dll" >&2; return 1; }
  vorn_wine reg add "$VORN_WEBBROWSER_KEY" /ve /t REG_SZ /d "$win" /f </dev/null >/dev/null 2>&1 &&
    vorn_wine reg add "$VORN_WEBBROWSER_KEY" /v ThreadingModel /t REG_SZ /d Apartment /f </dev/null >/dev/null 2>&1 ||
    { echo "standin: registration failed" >&2; return 1; }
  vorn_wine reg query "$VORN_WEBBROWSER_KEY" /ve </dev/null 2>/dev/null | tr -d '\r' | grep -qiF "$win" ||
    { echo "standin: registration did not take" >&2; return 1; }
}

# Puts Wine's own control back for the class (for a prefix of its own).
vorn_unregister_standin() {
  vorn_wine reg add "$VORN_WEBBROWSER_KEY" /ve /t REG_SZ /d 'C:\windows\system32\ieframe.dll' /f </dev/null >/dev/null 2>&1
}
