#!/usr/bin/env bash
# Installs a Windows build into the main Wine prefixes of its word size, one
# laid out for each TWAIN manager (install.sh --manager wine and twaindsm).
# Where this machine cannot run 32-bit Wine, a 32-bit build says so and
# installs nothing.
#   prefixes.sh win32|win64 BUILD_DIR
set -eo pipefail
export WQ_ARCH=${1:?prefixes.sh: win32 or win64}
build=${2:?prefixes.sh: the build tree}
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
if [ "$WQ_ARCH" = win32 ] && ! { wq_runs_32bit && wq_have_wine32; }; then
  echo "prefixes.sh: this machine runs no 32-bit Wine; the 32-bit build is not installed"
  exit 0
fi
for manager in wine twaindsm; do
  WQ_MANAGER=$manager WQ_WINEPREFIX= "$WQ_ROOT/scripts/install.sh" --build "$build" --manager "$manager"
done
