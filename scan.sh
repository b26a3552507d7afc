#!/usr/bin/env bash
# The main job: sets up a fresh machine (packages, build, Wine prefix with the
# virtual SCSI bus and the data source installed), then acquires one
# full-colour page at 150 dpi from the virtual scanner through TWACQUIRE.EXE,
# the TWAIN manager and the data source into scan001.bmp in the current
# directory. It runs the shipped 32-bit build where this machine runs 32-bit
# Wine (else the 64-bit build; WQ_ARCH=win64 chooses it), through Wine's
# TWAIN_32.DLL, or with --manager twaindsm through the official TWAINDSM.DLL.
# Arguments go to TWACQUIRE, e.g.
#   ./scan.sh --mode gray --dpi 100 --frame 0,0,4,4 -o page.tif --xfer memory
# With --list it shows the SCSI buses instead (SCSILIST; later arguments go
# to it, e.g. ./scan.sh --list --scan 0.3 page.raw --mode color --dpi 75).
set -eo pipefail
here=$PWD
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/setup.sh"
if [ -z "$WQ_ARCH" ]; then
  WQ_ARCH=$(bash -c 'source "$1/scripts/env.sh"; wq_runs_32bit && wq_have_wine32 && echo win32 || echo win64' _ "$root")
fi
# The prefix is laid out for the manager TWACQUIRE is to use.
WQ_MANAGER=wine
args=("$@")
for ((i = 0; i < ${#args[@]}; ++i)); do
  if [ "${args[i]}" = --manager ]; then
    case ${args[i + 1],,} in
      twaindsm|twaindsm.dll) WQ_MANAGER=twaindsm ;;
    esac
  fi
done
export WQ_ARCH WQ_MANAGER
source "$root/scripts/env.sh"
# The programs and libraries, installed into the prefixes of their word size.
"$root/scripts/build.sh" "$WQ_ARCH" --target wineprefix >/dev/null
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
