# Sourced: what this machine can run. Some machines run 64-bit Linux programs
# only, and 32-bit Wine cannot start there; 64-bit Wine then runs the x86_64
# test build. Both answers are cheap and install nothing.

# True when the kernel runs a 32-bit Linux program: a 96-byte static i386 ELF
# that only exits with status 7 (nothing from a package needed to ask).
vorn_can_run_i386() {
  local probe status=0
  probe="$(mktemp /tmp/vorn-i386-probe.XXXXXX)" || return 1
  printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010\140\000\000\000\140\000\000\000\005\000\000\000\000\020\000\000\270\001\000\000\000\273\007\000\000\000\315\200' >"$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null || status=$?
  rm -f "$probe"
  [ "$status" = 7 ]
}

# True when 32-bit Wine is installed and this machine can run it.
vorn_has_wine32() {
  [ -x /usr/lib/wine/wine ] && [ -x /usr/lib/wine/wineserver32 ] && vorn_can_run_i386
}

# vorn_runnable_build ROOT: the build whose programs run here, the shipped
# 32-bit one where 32-bit Wine can run, else the x86_64 one.
vorn_runnable_build() {
  if vorn_has_wine32; then echo "$1/build"; else echo "$1/build-x64"; fi
}
