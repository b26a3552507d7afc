#!/usr/bin/env bash
# Photographs every control of WQTOOL32.DLL in each of its states, in both
# face looks, under Xvfb:
#   scripts/screenshot-controls.sh [OUTDIR]      (default: build/screenshots)
# writes OUTDIR/controls-flat.png (Windows 95 and later, in the prefix's
# colours) and OUTDIR/controls-classic.png (Wine set to report Windows NT
# 3.51, in the grey colours of that time).
set -eo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

if [ "$1" != "--inner" ]; then
  out=$(realpath -m "${1:-$WQ_BUILD/screenshots}")
  mkdir -p "$out"
  "$WQ_ROOT/scripts/build.sh" win64 --target controls_gallery wqtool32 >/dev/null
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" --inner "$out"
fi
out=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$WQ_BUILD/win64/bin/WQTOOL32.DLL" "$work/"
# The look is chosen from the Windows version the process sees; Wine can be
# told per program which version to report.
for look in flat classic; do
  cp "$WQ_BUILD/win64/gallery/controls_gallery.exe" "$work/gallery_$look.exe"
done
"$WQ_ROOT/scripts/wineup"
wine reg add 'HKCU\Software\Wine\AppDefaults\gallery_classic.exe' /v Version /d nt351 /f \
  >/dev/null 2>&1

cd "$work"
for look in flat classic; do
  rm -f ready.txt
  extra=()
  [ "$look" = classic ] && extra=(--classic-colours)
  wine "gallery_$look.exe" --ready ready.txt --seconds 3 "${extra[@]}" &
  pid=$!
  for _ in $(seq 1 300); do
    [ -s ready.txt ] && break
    sleep 0.1
  done
  if [ ! -s ready.txt ]; then
    echo "screenshot-controls: the $look gallery did not come up" >&2
    wait $pid || true
    exit 1
  fi
  sleep 0.5
  read -r w h < ready.txt
  xwd -root -silent | convert xwd:- -crop "${w}x${h}+0+0" +repage "$out/controls-$look.png"
  wait $pid || true
  echo "$out/controls-$look.png"
done
