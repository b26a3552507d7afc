#!/usr/bin/env bash
# The desktop keeper under Wine, in a prefix and on a display of its own:
# while it runs, the desktop outlives the last windowed program (Wine closes
# it a second after otherwise); a second keeper leaves at once; the keeper
# leaves after its idle time, and then the desktop closes as usual.
#   keeper_test.sh KEEPER.EXE WINDOWED-PROGRAM.EXE [ARGS...]
set -uo pipefail
# Its windows stay off the display the other tests click on.
if [ -z "${WQ_KEEPER_TEST_DISPLAY:-}" ]; then
  WQ_KEEPER_TEST_DISPLAY=1 exec xvfb-run -a -s "-screen 0 640x480x24" "$0" "$@"
fi
source "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/env.sh"
keeper=$1; shift
main=$WINEPREFIX
own=$main-keeper
failures=0
check() {  # check DESCRIPTION COMMAND...
  if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}
desktop_up() { wq_desktop_up; }
desktop_down() { ! wq_desktop_up; }
alive() { kill -0 "$1" 2>/dev/null; }
dead() { ! alive "$1"; }
# Waits up to $1 seconds for COMMAND to hold.
within() {
  local limit=$1 i; shift
  for ((i = 0; i < limit * 10; i++)); do "$@" && return 0; sleep 0.1; done
  return 1
}

"$WQ_ROOT/scripts/install.sh" --prefix-only
wq_prefix_link "$own" "$main" || exit 1
for f in "$own"/*.reg; do cp -p "$f" "$f.copy" && mv -f "$f.copy" "$f"; done
export WINEPREFIX=$own
trap 'wineserver -k 2>/dev/null; rm -rf "$own"' EXIT
wineserver -p 30

run_windowed() { wine "$@" </dev/null >/dev/null 2>&1; }

# Without a keeper the desktop closes soon after the program.
check "the windowed program runs" run_windowed "$@"
check "the desktop closes after the last program when nothing keeps it" within 10 desktop_down

wine "$keeper" 4 </dev/null >/dev/null 2>&1 &
first=$!
sleep 1
wine "$keeper" 4 </dev/null >/dev/null 2>&1 &
second=$!
check "a second keeper leaves at once" within 3 dead "$second"
check "the first keeper stays" alive "$first"
check "the windowed program runs beside the keeper" run_windowed "$@"
sleep 3
check "the desktop outlives the program while the keeper runs" desktop_up
check "the keeper leaves after its idle time" within 10 dead "$first"
wait "$first"
check "the keeper ends with success" test $? -eq 0
check "then the desktop closes" within 10 desktop_down
[ $failures -eq 0 ]
