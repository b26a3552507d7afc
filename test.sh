#!/usr/bin/env bash
# Runs every test: installs what is missing, builds the three trees, then
# runs the native tests (sanitizers, fuzz smoke runs), the win64 tests under
# 64-bit Wine and the shipped win32 build's tests under 32-bit Wine (where
# this machine runs 32-bit code). Each Wine suite runs against both TWAIN
# managers: Wine's and the official TWAINDSM.DLL.
#   ./test.sh [ctest args...]     e.g. ./test.sh -R scanlib
set -eo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
source scripts/env.sh

run32=1
if ! wq_runs_32bit; then
  run32=0
  why="this machine runs no 32-bit code"
elif ! wq_have_wine32; then
  run32=0
  why="Wine's 32-bit half (wine32:i386) is not installed"
fi

scripts/build.sh native
scripts/build.sh win32
scripts/build.sh win64

jobs=$(nproc)
stop_servers() {
  local p
  for p in "$WQ_BUILD"/wine*/; do [ -f "$p/system.reg" ] && WINEPREFIX=$p wineserver -k 2>/dev/null; done
  return 0
}
trap stop_servers EXIT
status=0
suites=()
suite() {  # suite NAME CTEST-ARGS...
  local name=$1; shift
  echo "test.sh: $name"
  if "$@"; then suites+=("$name: passed"); else suites+=("$name: FAILED"); status=1; fi
}
suite "native tests" ctest --test-dir build/native -j"$jobs" --output-on-failure --no-tests=ignore "$@"
# The Windows tests get one X display for each suite.
WQ_ARCH=win64 scripts/wineup
suite "64-bit Wine suite (win64 build)" xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --test-dir build/win64 -j"$jobs" --output-on-failure --no-tests=ignore "$@"
if [ $run32 = 1 ]; then
  WQ_ARCH=win32 scripts/wineup
  suite "32-bit Wine suite (win32 build, as shipped)" xvfb-run -a -s "-screen 0 1280x1024x24" \
    ctest --test-dir build/win32 -j"$jobs" --output-on-failure --no-tests=ignore "$@"
else
  echo "test.sh: the 32-bit Wine suite does not run: $why"
  suites+=("32-bit Wine suite: not run ($why)")
fi
printf 'test.sh: %s\n' "${suites[@]}"
if [ $status -ne 0 ]; then echo "test.sh: FAILED"; else echo "test.sh: all tests passed"; fi
exit $status
