#!/usr/bin/env bash
# Lays out a Windows directory the way the system expects it:
#   system32\wnaspi32.dll             the virtual SCSI bus (stands in for ASPI)
#   system32\vscsi.cfg                its default configuration
#   TWAIN_32\WQSCAN32\                the data source and its two companions
#   twain_64\sane.ds                  the source again, where Wine's manager looks
#   twain_64\WQSCAN32\WQSCAN32.ds     ... and where TWAINDSM looks
#   C:\KORVA\                         the utility and the command-line tools
#   twain_32.dll                      Wine's source manager, where the utility looks
#
#   install.sh [--build DIR] [--windows-dir DIR] [--prefix-only] [--no-vscsi]
# Without --windows-dir it uses (creating it if needed) the Wine prefix of
# scripts/env.sh. --no-vscsi leaves the ASPI manager of the machine alone
# (for a real Windows machine with a scanner).
set -eo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

build=$WQ_BUILD/win64
windir=""
prefix_only=0
vscsi=1
while [ $# -gt 0 ]; do
  case $1 in
    --build) build=$2; shift 2 ;;
    --windows-dir) windir=$2; shift 2 ;;
    --prefix-only) prefix_only=1; shift ;;
    --no-vscsi) vscsi=0; shift ;;
    *) echo "install.sh: unknown option $1" >&2; exit 2 ;;
  esac
done

if [ -z "$windir" ]; then
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i </dev/null >/dev/null 2>&1
    wineserver -w
    wq_unmanaged "$WINEPREFIX"
    wq_caption_font "$WINEPREFIX"
  fi
  windir=$WINEPREFIX/drive_c/windows
  # An older prefix whose server may be running gets it through Wine.
  if ! grep -q '^"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
  fi
fi
[ "$prefix_only" = 1 ] && exit 0

bin=$build/bin
# Programs and libraries are installed without their debug information, as
# they ship; the build tree keeps it. Wine maps it with the image otherwise:
# 13 MB of a scanning process's memory, and slower loading.
strip_tool=$(command -v x86_64-w64-mingw32-strip || true)
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
# Windows file names are case-blind; drop other spellings of the same name.
put_ci() {
  local dir; dir=$(dirname "$2")
  mkdir -p "$dir"
  find "$dir" -maxdepth 1 -iname "$(basename "$2")" ! -name "$(basename "$2")" -delete 2>/dev/null || true
  put "$1" "$2"
}

if [ "$vscsi" = 1 ]; then
  put_ci "$bin/WNASPI32.DLL" "$windir/system32/wnaspi32.dll"
  put "$WQ_ROOT/vscsi/default.cfg" "$windir/system32/vscsi.cfg"
fi
ds=$windir/TWAIN_32/WQSCAN32
for f in WQSCAN32.ds WQSCSI32.DLL WQTOOL32.DLL; do
  put "$bin/$f" "$ds/$f"
done
if [ -d "$WQ_ROOT/ds/res/CLRMATCH" ]; then
  mkdir -p "$ds/CLRMATCH"
  for f in "$WQ_ROOT"/ds/res/CLRMATCH/*; do put "$f" "$ds/CLRMATCH/$(basename "$f")"; done
fi
if [ -f "$bin/WQSCAN32.ds" ]; then
  put_ci "$bin/WQSCAN32.ds" "$windir/twain_64/sane.ds"
  put "$bin/WQSCAN32.ds" "$windir/twain_64/WQSCAN32/WQSCAN32.ds"
fi
# The utility loads the source manager from the Windows directory; a 64-bit
# Wine prefix keeps its manager in system32 only.
if [ -f "$windir/system32/twain_32.dll" ] && \
   [ -z "$(find "$windir" -maxdepth 1 -iname twain_32.dll -print -quit)" ]; then
  put "$windir/system32/twain_32.dll" "$windir/twain_32.dll"
fi
# Wine draws the caption buttons with Marlett and the captions and menus in
# Tahoma. Debian's fonts-wine puts them where this Wine does not look; the
# prefix's own Fonts folder it reads.
if [ -n "$WINEPREFIX" ] && [ "${windir#$WINEPREFIX}" != "$windir" ]; then
  for font in marlett.ttf tahoma.ttf tahomabd.ttf; do
    put "/usr/share/wine/fonts/$font" "$windir/Fonts/$font"  # absent: nothing
  done
fi
apps=$(dirname "$windir")/KORVA
for f in "$bin"/*.exe; do
  [ -f "$f" ] || continue
  case $(basename "$f") in *_test.exe|*_tests.exe|test_*) continue ;; esac
  put "$f" "$apps/$(basename "$f")"
done
exit 0
