#!/usr/bin/env bash
# Screenshots of the project's windows under Xvfb, as PNG files:
#   scripts/screenshot.sh app [OUTDIR]       (default: build/screenshots)
#     OUTDIR/app-en.png and OUTDIR/app-ja.png: the utility's frame with a
#     scan from the test source and an opened TIFF, in English and Japanese;
#     OUTDIR/app-POSE-LANG.png: the ADF question (adf-question), the ADF
#     Setting dialog (adf-setting), a feeder batch saving (batch), a cut
#     tool's selection with the tool box shown (tools) and the Edit menu
#     open after a turn (edit-menu)
#   WQ_SHOTS="tools-en tools-ja" takes only the named shots (en and ja alone
#   are the frame shots).
#   scripts/screenshot.sh controls [OUTDIR]  (scripts/screenshot-controls.sh)
#   scripts/screenshot.sh ds [OUTDIR]
#     OUTDIR/ds-POSE-en.png and OUTDIR/ds-POSE-ja.png: the data source's
#     scanning window (main, preview-colour, selection, zoom-window,
#     preview-halftone, preview-grey), its tool windows (zoom, resolution,
#     preferences, info, rulers, area), the threshold and lightness
#     windows (threshold, lightness), the gamma editor with a drawn curve
#     (gamma), the image-adjust window's two pages (adjust-brightness,
#     adjust-levels), the film window on a WQ215's film unit (film) and
#     "SCSI Information" (scsi,
#     scsi-board1, scsi-busscan), enabled through Wine's TWAIN manager on
#     the virtual bus (build/wine-ds)
# The utility runs in its test prefix (build/wine-app, scripts/app-prefix)
# inside a Wine desktop window, so that Wine draws the window frames.
set -eo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

mode=${1:-app}
if [ "$mode" = controls ]; then
  shift
  exec "$WQ_ROOT/scripts/screenshot-controls.sh" "$@"
fi
if [ "$mode" = ds ]; then
  if [ "$2" != "--inner" ]; then
    out=$(realpath -m "${2:-$WQ_BUILD/screenshots}")
    mkdir -p "$out"
    "$WQ_ROOT/scripts/build.sh" win64 >/dev/null
    "$WQ_ROOT/scripts/ds-prefix"
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" ds --inner "$out"
  fi
  out=$3
  export WINEPREFIX=$WQ_BUILD/wine-ds WQ_SOURCE_DIR=$WQ_ROOT
  "$WQ_ROOT/scripts/wineup"
  shot=$WQ_BUILD/win64/shots/ds_ui_shot.exe
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  for name in en ja; do
    rm -f "$work/ready.txt"
    wine explorer /desktop=korva,1000x740 "$shot" --lang $name --ready "$(winepath -w "$work/ready.txt")" \
      </dev/null >/dev/null 2>&1 &
    pid=$!
    while :; do
      for _ in $(seq 1 600); do
        [ -s "$work/ready.txt" ] && break
        sleep 0.1
      done
      pose=$(tr -d "\r\n" <"$work/ready.txt" 2>/dev/null || true)
      if [ -z "$pose" ]; then
        echo "screenshot: the $name poses did not come up" >&2
        kill $pid 2>/dev/null || true
        exit 1
      fi
      [ "$pose" = done ] && break
      sleep 0.3
      xwd -root -silent | convert xwd:- -crop "1000x740+0+0" +repage "$out/ds-$pose.png"
      echo "$out/ds-$pose.png"
      rm -f "$work/ready.txt"
    done
    wait $pid || true
  done
  exit 0
fi
[ "$mode" = app ] || { echo "screenshot.sh: app, ds or controls" >&2; exit 2; }

if [ "$2" != "--inner" ]; then
  out=$(realpath -m "${2:-$WQ_BUILD/screenshots}")
  mkdir -p "$out"
  "$WQ_ROOT/scripts/build.sh" win64 >/dev/null
  "$WQ_ROOT/scripts/app-prefix" "$WQ_BUILD/win64/fakeds/FAKEDS.ds"
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" app --inner "$out"
fi
out=$3
export WINEPREFIX=$WQ_BUILD/wine-app
"$WQ_ROOT/scripts/wineup"
shot=$WQ_BUILD/win64/shots/app_shot.exe
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for shotname in ${WQ_SHOTS:-en ja adf-question-en adf-question-ja adf-setting-en adf-setting-ja batch-en batch-ja tools-en tools-ja edit-menu-en edit-menu-ja}; do
  name=${shotname##*-}
  pose=${shotname%-*}
  [ "$pose" = "$shotname" ] && pose=frame
  rm -f "$work/ready.txt"
  wine explorer /desktop=korva,1000x740 "$shot" --lang $name --pose $pose --ready "$(winepath -w "$work/ready.txt")" \
    --seconds 3 </dev/null >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 1 600); do
    [ -s "$work/ready.txt" ] && break
    sleep 0.1
  done
  if [ ! -s "$work/ready.txt" ]; then
    echo "screenshot: the $shotname set-up did not come up" >&2
    wait $pid || true
    exit 1
  fi
  sleep 0.5
  # import reads the dialogs' own X windows, which xwd shows black.
  import -window root -crop "1000x740+0+0" +repage "$out/app-$shotname.png"
  wait $pid || true
  echo "$out/app-$shotname.png"
done
