# Sourced by the scripts: where the build trees and the Wine prefixes live.
#   WQ_ARCH     win64 (default) or win32: the word size of the Windows programs
#   WQ_MANAGER  wine (default) or twaindsm: the TWAIN manager the prefix is laid
#               out for (Wine's TWAIN_32.DLL, or the TWAIN Working Group's)
# The prefix is build/wine, build/wine32, build/wine-dsm or build/wine32-dsm
# unless WQ_WINEPREFIX names another.
WQ_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
WQ_BUILD=${WQ_BUILD:-$WQ_ROOT/build}
WQ_ARCH=${WQ_ARCH:-win64}
WQ_MANAGER=${WQ_MANAGER:-wine}
case $WQ_ARCH in
  win32) wq_base=$WQ_BUILD/wine32 ;;
  win64) wq_base=$WQ_BUILD/wine ;;
  *) echo "env.sh: WQ_ARCH is win32 or win64, not $WQ_ARCH" >&2; return 2 2>/dev/null || exit 2 ;;
esac
case $WQ_MANAGER in
  wine) ;;
  twaindsm) wq_base=$wq_base-dsm ;;
  *) echo "env.sh: WQ_MANAGER is wine or twaindsm, not $WQ_MANAGER" >&2; return 2 2>/dev/null || exit 2 ;;
esac
export WQ_ARCH WQ_MANAGER
export WINEPREFIX=${WQ_WINEPREFIX:-$wq_base}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=$WQ_ARCH
# The virtual SCSI bus stands in for Wine's own ASPI manager, and Wine's
# TWAIN manager loads this system's source under the name it knows. Wine's
# camera source is left out: the manager would load it (0.4 s) at every
# source search.
export WINEDLLOVERRIDES="wnaspi32=n;sane.ds=n;gphoto2.ds=d;mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"

# The official TWAIN manager of this word size, and the folder of a prefix
# where Windows keeps the sources of this word size.
wq_twaindsm() { echo "$WQ_ROOT/third_party/twain-dsm/$WQ_ARCH/TWAINDSM.dll"; }
wq_source_folder() { [ "$WQ_ARCH" = win32 ] && echo twain_32 || echo twain_64; }

# Whether this machine runs 32-bit code: a 96-byte static i386 program that
# exits with 42 (some kernels of this kind refuse them: "Exec format error").
wq_runs_32bit() {
  local probe rc
  probe=$(mktemp) || return 1
  printf '\177ELF\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\124\200\4\010\064\0\0\0\0\0\0\0\0\0\0\0\064\0\040\0\1\0\0\0\0\0\0\0\1\0\0\0\0\0\0\0\0\200\4\010\0\200\4\010\140\0\0\0\140\0\0\0\5\0\0\0\0\020\0\0\270\1\0\0\0\273\052\0\0\0\315\200' >"$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null
  rc=$?
  rm -f "$probe"
  [ "$rc" = 42 ]
}

# Whether the prefix's desktop is up (its explorer.exe is running); with
# "here", only if it shows on this X display.
wq_desktop_up() {  # wq_desktop_up [here]
  local pid env
  for pid in $(pgrep -f 'explorer.exe /desktop'); do
    env=$(tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null) || continue
    grep -qx "WINEPREFIX=$WINEPREFIX" <<<"$env" || continue
    [ "${1:-}" != here ] || grep -qx "DISPLAY=${DISPLAY:-}" <<<"$env" || continue
    return 0
  done
  return 1
}

# Whether Wine here can start 32-bit programs (Debian's wine32:i386).
wq_have_wine32() { [ -d /usr/lib/i386-linux-gnu/wine/i386-windows ]; }

# Hiding a window under Xvfb (no window manager) makes Wine wait two seconds
# for one to withdraw it; the project's prefixes leave window placement to
# Wine. Writes the setting into a prefix whose server is not running.
wq_unmanaged() {
  local reg=$1/user.reg
  [ -f "$reg" ] || return 0
  grep -q '^"Managed"="N"' "$reg" && return 0
  cp -p "$reg" "$reg.copy" &&
    printf '\n[Software\\\\Wine\\\\X11 Driver] 1796641264\n"Managed"="N"\n' >>"$reg.copy" &&
    mv -f "$reg.copy" "$reg"
}

# Wine draws window captions in Tahoma, whose fallbacks for Japanese are
# Windows fonts this machine lacks; IPA Gothic (fonts-ipafont-gothic) is
# linked in first so that Japanese captions show (Tahoma itself is put in
# the prefix by install.sh). Edits the registry file of
# a prefix whose server is not running.
wq_caption_font() {
  local reg=$1/system.reg
  [ -f "$reg" ] || return 0
  grep -q '^"Tahoma"=str(7):"ipag.ttf,IPAGothic' "$reg" && return 0
  cp -p "$reg" "$reg.copy" &&
    sed -i 's/^"Tahoma"=str(7):"/&ipag.ttf,IPAGothic\\0/' "$reg.copy" &&
    mv -f "$reg.copy" "$reg"
}

# A prefix that cannot serve this Wine: a 64-bit one made before wine32 was
# installed has no syswow64, and then no program starts in it ("could not
# load kernel32.dll"); a 32-bit one needs wine32.
wq_prefix_stale() {
  local p=$1
  [ -f "$p/system.reg" ] || return 1
  if [ "$WQ_ARCH" = win64 ]; then
    wq_have_wine32 && [ ! -f "$p/drive_c/windows/syswow64/kernel32.dll" ] && return 0
    grep -q '^#arch=win32' "$p/system.reg" && return 0
  else
    grep -q '^#arch=win32' "$p/system.reg" || return 0
  fi
  return 1
}

# A prefix made from another (hard-linked, see ds-prefix) is out of date
# once the other has been made anew: each prefix carries the stamp of the
# one it came from.
wq_prefix_from() {  # wq_prefix_from DERIVED MAIN
  [ -f "$1/system.reg" ] && cmp -s "$1/.wq-stamp" "$2/.wq-stamp"
}

# Makes DERIVED anew as a hard-linked copy of MAIN (no copy of its 700 MB),
# without the files that describe MAIN's running server and desktop keeper.
# Tests running meanwhile create and delete their own files in the main
# prefix; one vanishing mid-copy is theirs and not needed here.
wq_prefix_link() {  # wq_prefix_link DERIVED MAIN
  WINEPREFIX=$1 wineserver -k 2>/dev/null || true
  rm -rf "$1"
  cp -al "$2" "$1" 2>/dev/null || true
  [ -f "$1/system.reg" ] || { echo "wq_prefix_link: copying $2 failed" >&2; return 1; }
  rm -f "$1/.wineup.lock" "$1/.desktopkeeper.pid"
}
