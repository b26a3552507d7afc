# Sourced by the scripts: where the build trees and the Wine prefix live.
WQ_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
WQ_BUILD=${WQ_BUILD:-$WQ_ROOT/build}
export WINEPREFIX=${WQ_WINEPREFIX:-$WQ_BUILD/wine}
export WINEDEBUG=${WINEDEBUG:--all}
# The virtual SCSI bus stands in for Wine's own ASPI manager, and Wine's
# TWAIN manager loads this system's source under the name it knows. Wine's
# camera source is left out: the manager would load it (0.4 s) at every
# source search.
export WINEDLLOVERRIDES="wnaspi32=n;sane.ds=n;gphoto2.ds=d;mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
export WINEARCH=win64

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
