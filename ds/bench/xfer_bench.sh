#!/usr/bin/env bash
# The transfers end to end against the virtual scanner alone, under Wine.
#   ds/bench/xfer_bench.sh [DPI [RUNS]]     (default 300 dpi, 5 runs)
# 1. An A4 colour page (206 x 292 units of 1/25 inch) at DPI: SCSILIST reads
#    the same bytes straight from the scanner library (the device's own
#    time), then TWACQUIRE takes the page through the TWAIN manager and the
#    data source by each mechanism. Each time is the whole process under
#    Wine, so both sides carry the same start-up; the ratio is the target
#    (at most 2). Beside it, the times inside the processes: the device's
#    from its search to the raw file closed, the source's split into opening
#    (manager, source, scanner, negotiation) and the page (transfer to file
#    written). Each figure is the best of RUNS runs (default 5), with Wine's
#    desktop kept up as on Windows.
# 2. The peak working set of the process (application and source together;
#    the source is a DLL in it) for A4 at 150 and 600 dpi by each mechanism.
#    Memory and file transfers must not grow with the page; the native
#    transfer hands the application the whole bitmap in one block, so it
#    grows by the image's size there.
# Needs the build of WQ_ARCH (win64 unless set) installed (scripts/build.sh
# $WQ_ARCH lays out its prefixes) and an
# X display or xvfb-run.
set -eo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/env.sh"
dpi=${1:-300}
runs=${2:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
source "$root/ds/bench/timing.sh"
# The source takes the first scanner of the default bus, the WQ140 at 0:2.
address=0.2
warm_wine

best_whole run 'C:\KORVA\SCSILIST.exe' --scan $address raw.bin --mode color --dpi "$dpi" --area 0,0,206,292
device=$whole
device_in=$(best_figure 's/.* in \([0-9.]*\) s$/\1/p')
bytes=$(stat -c %s raw.bin)
printf 'A4 colour at %s dpi: %s bytes from the device; best of %s runs\n\n' "$dpi" "$bytes" "$runs"
printf '%-26s %9s %7s   %s\n' "" "process" "ratio" "inside the process"
printf '%-26s %7.2f s %7s   scan %.3f s\n' "device alone (SCSILIST)" "$device" "" "$device_in"
# What any source costs before it opens: a windowed program, the manager
# and its search for sources.
best_whole run 'C:\KORVA\TWACQUIRE.exe' --list
printf '%-26s %7.2f s %7.2f\n' "manager alone (--list)" "$whole" "$(echo "$whole / $device" | bc -l)"
for mech in native memory file; do
  rm -f page.bmp PAGE.BMP
  best_whole run 'C:\KORVA\TWACQUIRE.exe' --dpi "$dpi" --frame 0,0,8.24,11.68 --xfer $mech -o page.bmp
  size=$(grep -o '[0-9]* x [0-9]* pixels' "$work/out.txt")
  open=$(best_figure 's/^source open through [^ ]* after \([0-9.]*\) s.*/\1/p')
  page=$(best_figure 's/.* written in \([0-9.]*\) s$/\1/p')
  printf '%-26s %7.2f s %7.2f   open %.2f s, page %.2f s (page ratio %.2f)  %s\n' "TWACQUIRE $mech" "$whole" \
    "$(echo "$whole / $device" | bc -l)" "$open" "$page" "$(echo "$page / $device_in" | bc -l)" "$size"
done

echo
echo "peak working set of the process (application and source), A4 colour:"
for d in 150 600; do
  for mech in native memory file; do
    rm -f page.bmp PAGE.BMP
    timed t run 'C:\KORVA\TWACQUIRE.exe' --dpi "$d" --frame 0,0,8.24,11.68 --xfer $mech -o page.bmp
    peak=$(grep -o 'peak working set [0-9]* KB' "$work/out.txt" | grep -o '[0-9]*')
    printf '%4s dpi %-7s %8s KB\n' "$d" "$mech" "$peak"
  done
done
