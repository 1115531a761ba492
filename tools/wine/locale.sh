# Sourced by session.sh and scripts/setup.sh: the glibc locale Wine needs for
# file names. The programs run with LC_ALL=zh_CN.UTF-8 (ANSI code page 936),
# and Wine turns their file names into the host's in that locale's character
# set: without a compiled zh_CN.UTF-8 (a fresh machine has only C, C.utf8 and
# POSIX) creating a file with a Chinese name fails. The locale is compiled
# once from Debian's locale sources (package locales) into a folder of this
# user's and given to Wine processes alone through LOCPATH, so nothing
# system-wide changes.

VORN_WINE_LOCALE=zh_CN.UTF-8
VORN_LOCALE_DIR="${VORN_LOCALE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/vorn/locale}"

# vorn_wine_locale: compiles the locale into VORN_LOCALE_DIR unless it is there.
# Fails, saying why on stderr, when it cannot be made.
vorn_wine_locale() {
  local target="$VORN_LOCALE_DIR/$VORN_WINE_LOCALE" work
  [ -s "$target/LC_CTYPE" ] && return 0
  if ! command -v localedef >/dev/null || [ ! -f /usr/share/i18n/locales/zh_CN ]; then
    echo "locale: no locale sources to compile $VORN_WINE_LOCALE from: Debian's package locales is missing (scripts/setup.sh installs it)" >&2
    return 1
  fi
  mkdir -p "$VORN_LOCALE_DIR" && work="$(mktemp -d "$VORN_LOCALE_DIR/.making.XXXXXX")" || return 1
  # Several runs may start at once: each compiles its own copy and the first
  # to finish puts it in place. Warnings (status 1) still give the locale.
  localedef -i zh_CN -f UTF-8 "$work/$VORN_WINE_LOCALE" >"$work/log" 2>&1
  if [ -s "$work/$VORN_WINE_LOCALE/LC_CTYPE" ]; then
    mv -T "$work/$VORN_WINE_LOCALE" "$target" 2>/dev/null
  else
    echo "locale: localedef could not compile $VORN_WINE_LOCALE:" >&2
    tail -n 5 "$work/log" >&2
  fi
  rm -rf "$work"
  [ -s "$target/LC_CTYPE" ]
}
