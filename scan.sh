#!/usr/bin/env bash
# The main job: sets up a fresh machine (packages, build, Wine prefix with the
# virtual SCSI bus), then runs SCSILIST.EXE through the installed scanner
# library: every device on the SCSI buses, and which are this family's
# scanners. Arguments go to SCSILIST, e.g.
#   ./scan.sh --scan 0.3 page.raw --mode color --dpi 75
set -eo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
source scripts/env.sh
scripts/build.sh win64 >/dev/null
scripts/install.sh --build "$WQ_BUILD/win64"
scripts/winrun "C:\\KORVA\\SCSILIST.exe" "$@"
