#!/usr/bin/env bash
# The main job: sets up a fresh machine (packages, build, Wine prefix with the
# virtual SCSI bus and the data source installed for Wine's TWAIN manager),
# then acquires one full-colour page at 150 dpi from the virtual scanner
# through TWACQUIRE.EXE, the manager and the data source into scan001.bmp in
# the current directory. Arguments go to TWACQUIRE, e.g.
#   ./scan.sh --mode gray --dpi 100 --frame 0,0,4,4 -o page.tif --xfer memory
# With --list it shows the SCSI buses instead (SCSILIST; later arguments go
# to it, e.g. ./scan.sh --list --scan 0.3 page.raw --mode color --dpi 75).
set -eo pipefail
here=$PWD
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/setup.sh"
source "$root/scripts/env.sh"
"$root/scripts/build.sh" win64 >/dev/null
"$root/scripts/install.sh" --build "$WQ_BUILD/win64"
cd "$here"
if [ "$1" = "--list" ]; then
  shift
  exec "$root/scripts/winrun" "C:\\KORVA\\SCSILIST.exe" "$@"
fi
# The source shows its progress window while it scans: it needs a display.
if [ -z "$DISPLAY" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$root/scripts/winrun" "C:\\KORVA\\TWACQUIRE.exe" "$@"
fi
exec "$root/scripts/winrun" "C:\\KORVA\\TWACQUIRE.exe" "$@"
