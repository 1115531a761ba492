# Sourced by setup.sh (and its test): installing from Debian's archive so that
# one package list that fails to download does not stop a newcomer's set-up.
# The archive is sometimes caught mid-sync: `apt-get update` then fetches
# every list but one and exits 100. That is a warning; the install goes on,
# and if it fails (with one architecture's list missing, multi-arch twins can
# come from different suites and "held broken packages" follows), it is tried
# once more with the release's codename as target release, which takes every
# candidate from the release itself.

VORN_SUDO=""
if [ "$(id -u)" != 0 ]; then VORN_SUDO="sudo"; fi
VORN_OS_RELEASE="${VORN_OS_RELEASE:-/etc/os-release}"
VORN_APT_LOG="${VORN_APT_LOG:-/tmp/vorn-apt.log}"

vorn_apt() { $VORN_SUDO env DEBIAN_FRONTEND=noninteractive apt-get "$@"; }
# Fetching sources needs no root: the files stay the caller's.
vorn_apt_user() { env DEBIAN_FRONTEND=noninteractive apt-get "$@"; }

vorn_codename() {
  (. "$VORN_OS_RELEASE" 2>/dev/null && echo "${VERSION_CODENAME:-}")
}

# Refreshes the package lists; a list that fails to arrive is a warning.
vorn_apt_update() {
  if ! vorn_apt update -q >"$VORN_APT_LOG" 2>&1; then
    echo "setup: warning: some package lists could not be downloaded (the archive may be updating right now); going on with the lists that arrived. Details: $VORN_APT_LOG" >&2
  fi
  return 0
}

# vorn_apt_retry WHAT RUNNER SUBCOMMAND ARGS...: runs an apt-get command, and
# once more with the release's codename as target release when it fails.
vorn_apt_retry() {
  local what="$1" runner="$2" sub="$3" codename; shift 3
  "$runner" "$sub" "$@" && return 0
  codename="$(vorn_codename)"
  if [ -n "$codename" ]; then
    echo "setup: $what failed; trying once more with every package from the $codename release" >&2
    "$runner" "$sub" -t "$codename" "$@" && return 0
  fi
  echo "setup: could not $what. apt-get's messages above say why; check the machine's network and package sources, then run this command again." >&2
  return 1
}

# vorn_install_missing PACKAGE...: installs those not installed yet.
vorn_install_missing() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -gt 0 ] || return 0
  echo "setup: installing ${missing[*]}"
  vorn_apt_update
  vorn_apt_retry "install ${missing[*]}" vorn_apt install -y -q --no-install-recommends "${missing[@]}"
}

# vorn_fetch_source PACKAGE DIR: unpacks PACKAGE's Debian source into DIR.
vorn_fetch_source() {
  local package="$1" dir="$2"
  (cd "$dir" && vorn_apt_retry "fetch the source of $package" vorn_apt_user source -q "$package" >/dev/null)
}
