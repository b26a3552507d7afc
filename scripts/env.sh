# Sourced by the scripts: where the build trees and the Wine prefix live.
WQ_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
WQ_BUILD=${WQ_BUILD:-$WQ_ROOT/build}
export WINEPREFIX=${WQ_WINEPREFIX:-$WQ_BUILD/wine}
export WINEDEBUG=${WINEDEBUG:--all}
# The virtual SCSI bus stands in for Wine's own ASPI manager, and Wine's
# TWAIN manager loads this system's source under the name it knows.
export WINEDLLOVERRIDES="wnaspi32=n;sane.ds=n;mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
export WINEARCH=win64
