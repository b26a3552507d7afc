#!/usr/bin/env bash
# Runs every test: installs what is missing, builds the three trees (the
# win32 one is compiled and linked only), then runs the native tests
# (sanitizers, fuzz smoke runs) and the win64 tests under Wine.
#   ./test.sh [ctest args...]     e.g. ./test.sh -R scanlib
set -eo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
source scripts/env.sh

scripts/build.sh native
scripts/build.sh win32
scripts/build.sh win64

jobs=$(nproc)
scripts/wineup
trap 'wineserver -k 2>/dev/null || true' EXIT
status=0
ctest --test-dir build/native -j"$jobs" --output-on-failure --no-tests=ignore "$@" || status=1
# The Windows tests get one X display for the whole run.
xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --test-dir build/win64 -j"$jobs" --output-on-failure --no-tests=ignore "$@" || status=1
if [ $status -ne 0 ]; then echo "test.sh: FAILED"; else echo "test.sh: all tests passed"; fi
exit $status
