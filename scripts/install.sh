#!/usr/bin/env bash
# Lays out a Windows directory the way the system expects it:
#   system32\wnaspi32.dll             the virtual SCSI bus (stands in for ASPI)
#   system32\vscsi.cfg                its default configuration
#   TWAIN_32\WQSCAN32\                the data source and its two companions
#   C:\KORVA\                         the utility and the command-line tools
# and, for the TWAIN manager the prefix is for (--manager, default
# $WQ_MANAGER or wine), where that manager finds the source, so that it
# lists the source once:
#   wine:      twain_32\sane.ds (twain_64\ for 64-bit), the one name Wine's
#              TWAIN_32.DLL loads, and twain_32.dll in the Windows directory;
#   twaindsm:  system32\TWAINDSM.DLL, the TWAIN Working Group's manager, which
#              finds the 32-bit source in TWAIN_32\WQSCAN32\ itself (the 64-bit
#              one gets twain_64\WQSCAN32\WQSCAN32.ds).
# A real Windows machine needs only the documented folders (--windows-dir DIR
# --no-vscsi --manager twaindsm): its own managers find the source there.
#
#   install.sh [--build DIR] [--windows-dir DIR] [--manager wine|twaindsm]
#              [--prefix-only] [--no-vscsi]
# Without --windows-dir it uses (creating it if needed) the Wine prefix of
# scripts/env.sh, for the word size of $WQ_ARCH (win64 unless set).
# --no-vscsi leaves the ASPI manager of the machine alone (for a real
# Windows machine with a scanner).
set -eo pipefail
manager=${WQ_MANAGER:-wine}
args=("$@")
for ((i = 0; i < ${#args[@]}; ++i)); do
  [ "${args[i]}" = --manager ] && manager=${args[i + 1]}
done
WQ_MANAGER=$manager
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

build=$WQ_BUILD/$WQ_ARCH
windir=""
prefix_only=0
vscsi=1
while [ $# -gt 0 ]; do
  case $1 in
    --build) build=$2; shift 2 ;;
    --windows-dir) windir=$2; shift 2 ;;
    --manager) shift 2 ;;
    --prefix-only) prefix_only=1; shift ;;
    --no-vscsi) vscsi=0; shift ;;
    *) echo "install.sh: unknown option $1" >&2; exit 2 ;;
  esac
done

if [ -z "$windir" ]; then
  if [ "$WQ_ARCH" = win32 ] && ! wq_have_wine32; then
    echo "install.sh: a 32-bit prefix needs Wine's 32-bit half (wine32:i386, scripts/setup.sh)" >&2
    exit 1
  fi
  if wq_prefix_stale "$WINEPREFIX"; then
    echo "install.sh: $WINEPREFIX was made for another Wine; making it anew" >&2
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i </dev/null >/dev/null 2>&1
    wineserver -w
    wq_unmanaged "$WINEPREFIX"
    wq_caption_font "$WINEPREFIX"
  fi
  # The stamp that prefixes made from this one carry (wq_prefix_from).
  [ -f "$WINEPREFIX/.wq-stamp" ] || date +%s.%N >"$WINEPREFIX/.wq-stamp"
  windir=$WINEPREFIX/drive_c/windows
  # An older prefix whose server may be running gets it through Wine.
  if ! grep -q '^"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
  fi
fi
[ "$prefix_only" = 1 ] && exit 0

# Windows names are case-blind and Wine keeps them as first written: a
# folder of the layout goes into the one already there in whatever case
# (Wine makes twain_32 itself; two spellings would be two folders here, and
# a manager would search only one of them).
folder() {  # folder PARENT NAME: prints the path, creating it if needed
  local found
  found=$(find "$1" -maxdepth 1 -mindepth 1 -type d -iname "$2" -print 2>/dev/null | sort | head -n 1)
  if [ -z "$found" ]; then
    mkdir -p "$1/$2"
    found=$1/$2
  fi
  # Another spelling left by an older layout is merged in.
  find "$1" -maxdepth 1 -mindepth 1 -type d -iname "$2" ! -path "$found" -print 2>/dev/null |
    while read -r other; do
      cp -a "$other/." "$found/" && rm -rf "$other"
    done
  echo "$found"
}

bin=$build/bin
# Programs and libraries are installed without their debug information, as
# they ship; the build tree keeps it. Wine maps it with the image otherwise:
# 13 MB of a scanning process's memory, and slower loading.
case $WQ_ARCH in
  win32) strip_tool=$(command -v i686-w64-mingw32-strip || true) ;;
  *) strip_tool=$(command -v x86_64-w64-mingw32-strip || true) ;;
esac
# Replace by rename so a program still mapping the old file is not disturbed.
put() {  # put SRC DESTFILE
  [ -f "$1" ] || return 0
  mkdir -p "$(dirname "$2")"
  local new=$2.new
  case ${1,,} in
    *.ds|*.dll|*.exe)
      if [ -n "$strip_tool" ] && "$strip_tool" --strip-debug -o "$new" "$1" 2>/dev/null; then
        if cmp -s "$new" "$2"; then rm -f "$new"; else mv -f "$new" "$2"; fi
        return 0
      fi
      rm -f "$new" ;;
  esac
  if ! cmp -s "$1" "$2"; then
    cp "$1" "$new" && mv -f "$new" "$2"
  fi
}
# ... dropping other spellings of the same name.
put_ci() {
  local dir; dir=$(dirname "$2")
  mkdir -p "$dir"
  find "$dir" -maxdepth 1 -iname "$(basename "$2")" ! -name "$(basename "$2")" -delete 2>/dev/null || true
  put "$1" "$2"
}
drop_ci() {  # drop_ci DIR NAME
  [ -d "$1" ] && find "$1" -maxdepth 1 -iname "$2" -exec rm -rf {} + 2>/dev/null
  return 0
}

system=$(folder "$windir" system32)
if [ "$vscsi" = 1 ]; then
  put_ci "$bin/WNASPI32.DLL" "$system/wnaspi32.dll"
  put "$WQ_ROOT/vscsi/default.cfg" "$system/vscsi.cfg"
fi
ds=$(folder "$(folder "$windir" TWAIN_32)" WQSCAN32)
for f in WQSCAN32.ds WQSCSI32.DLL WQTOOL32.DLL; do
  put "$bin/$f" "$ds/$f"
done
if [ -d "$WQ_ROOT/ds/res/CLRMATCH" ]; then
  clr=$(folder "$ds" CLRMATCH)
  for f in "$WQ_ROOT"/ds/res/CLRMATCH/*; do put "$f" "$clr/$(basename "$f")"; done
fi

sources=$(folder "$windir" "$(wq_source_folder)")
in_prefix=0
[ -n "$WINEPREFIX" ] && [ "${windir#$WINEPREFIX}" != "$windir" ] && in_prefix=1
case $manager in
  wine)
    put_ci "$bin/WQSCAN32.ds" "$sources/sane.ds"
    [ "$WQ_ARCH" = win64 ] && drop_ci "$sources" WQSCAN32
    drop_ci "$system" TWAINDSM.dll
    # The utility loads the manager from the Windows directory; a 64-bit
    # prefix without a 32-bit half keeps Wine's manager in system32 only.
    if [ "$WQ_ARCH" = win32 ] || [ ! -d "$windir/syswow64" ]; then
      if [ -f "$system/twain_32.dll" ] && [ -z "$(find "$windir" -maxdepth 1 -iname twain_32.dll -print -quit)" ]; then
        put "$system/twain_32.dll" "$windir/twain_32.dll"
      fi
    fi
    ;;
  twaindsm)
    # Wine's manager keeps its own name; only the official one lists sources
    # here, and only the source's own copy.
    drop_ci "$sources" sane.ds
    [ "$WQ_ARCH" = win64 ] && put "$bin/WQSCAN32.ds" "$(folder "$sources" WQSCAN32)/WQSCAN32.ds"
    if [ "$in_prefix" = 1 ]; then
      [ -f "$(wq_twaindsm)" ] || { echo "install.sh: no $(wq_twaindsm)" >&2; exit 1; }
      put_ci "$(wq_twaindsm)" "$system/TWAINDSM.dll"
    fi
    ;;
  *) echo "install.sh: --manager wine or twaindsm, not $manager" >&2; exit 2 ;;
esac
# Wine draws the caption buttons with Marlett and the captions and menus in
# Tahoma. Debian's fonts-wine puts them where this Wine does not look; the
# prefix's own Fonts folder it reads.
if [ "$in_prefix" = 1 ]; then
  fonts=$(folder "$windir" Fonts)
  for font in marlett.ttf tahoma.ttf tahomabd.ttf; do
    put "/usr/share/wine/fonts/$font" "$fonts/$font"  # absent: nothing
  done
fi
apps=$(folder "$(dirname "$windir")" KORVA)
for f in "$bin"/*.exe; do
  [ -f "$f" ] || continue
  case $(basename "$f") in *_test.exe|*_tests.exe|test_*) continue ;; esac
  put "$f" "$apps/$(basename "$f")"
done
exit 0
