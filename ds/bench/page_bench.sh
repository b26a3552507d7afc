#!/usr/bin/env bash
# A whole page against SANE: TWACQUIRE through the official TWAIN manager and
# the data source (under Wine) against `scanimage -d test` (native), each a
# whole process writing a 200 x 200 mm page to a file (SANE's colour pattern
# as its picture), in colour and grey at 300 and 600 dpi. Prints each side's
# best of RUNS runs (default 5), the ratio, and TWACQUIRE's own split of its
# time: the open (manager, source, scanner, negotiation) and the page
# (transfer to the file written). First, what every TWACQUIRE run pays
# before any page: starting a Windows program under Wine, and the manager
# finding its sources.
#   ds/bench/page_bench.sh [RUNS] [MECHANISM]   (default 5, native)
# Needs the build of WQ_ARCH (win64 unless set) installed for the official
# manager (scripts/prefixes.sh does it), sane-utils, and an X display or
# xvfb-run.
set -eo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
export WQ_MANAGER=twaindsm
source "$root/scripts/env.sh"
runs=${1:-5}
mech=${2:-native}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
source "$root/ds/bench/timing.sh"
command -v scanimage >/dev/null || { echo "page_bench.sh: scanimage (sane-utils) is missing" >&2; exit 1; }
# SANE with its test backend alone: no probing of real buses.
mkdir sane
echo test > sane/dll.conf
export SANE_CONFIG_DIR=$work/sane
warm_wine

best_whole run 'C:\KORVA\TWACQUIRE.exe' --help
start=$whole
best_whole run 'C:\KORVA\TWACQUIRE.exe' --manager twaindsm --list
listed=$whole
printf 'before any page: a Wine program %.2f s, the manager listing sources %.2f s\n' "$start" "$listed"

inches=$(echo "200 / 25.4" | bc -l)
printf '200 x 200 mm page, best of %s runs; TWACQUIRE %s transfer through TWAINDSM (%s)\n\n' "$runs" "$mech" "$WQ_ARCH"
printf '%-12s %11s %11s %7s   %s\n' "" "TWACQUIRE" "scanimage" "ratio" "inside TWACQUIRE"
for dpi in 300 600; do
  for mode in color gray; do
    sane_mode=Color
    [ $mode = gray ] && sane_mode=Gray
    best_whole scanimage -d test --test-picture "Color pattern" --mode "$sane_mode" --resolution "$dpi" -l 0 -t 0 -x 200 -y 200 \
      --format=pnm -o sane.pnm
    sane=$whole
    rm -f page.bmp PAGE.BMP
    best_whole run 'C:\KORVA\TWACQUIRE.exe' --manager twaindsm --mode $mode --dpi "$dpi" \
      --frame 0,0,$inches,$inches --xfer "$mech" -o page.bmp
    ours=$whole
    size=$(grep -o '[0-9]* x [0-9]* pixels' "$work/out.txt" || true)
    open=$(best_figure 's/^source open through [^ ]* after \([0-9.]*\) s.*/\1/p')
    page=$(best_figure 's/.* written in \([0-9.]*\) s$/\1/p')
    printf '%-12s %9.2f s %9.2f s %7.2f   open %.2f s, page %.2f s  %s (scanimage %s bytes)\n' \
      "$dpi dpi $mode" "$ours" "$sane" "$(echo "$ours / $sane" | bc -l)" "$open" "$page" "$size" \
      "$(stat -c %s sane.pnm)"
  done
done
