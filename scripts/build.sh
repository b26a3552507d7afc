#!/usr/bin/env bash
# Configures (once) and builds one of the build trees.
#   build.sh native|win32|win64|bench [cmake --build args...]
set -eo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
kind=$1; shift
dir=$WQ_BUILD/$kind
case $kind in
  native) args=(-DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang) ;;
  bench)  args=(-DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DCMAKE_BUILD_TYPE=Release
                -DWQ_SANITIZE=OFF -DWQ_FUZZ=OFF -DWQ_TESTS=OFF -DWQ_BENCH=ON) ;;
  win32)  args=(--toolchain "$WQ_ROOT/cmake/toolchain-mingw32.cmake") ;;
  win64)  args=(--toolchain "$WQ_ROOT/cmake/toolchain-mingw64.cmake") ;;
  *) echo "build.sh: native, win32, win64 or bench" >&2; exit 2 ;;
esac
if [ ! -f "$dir/build.ninja" ]; then
  cmake -S "$WQ_ROOT" -B "$dir" -G Ninja "${args[@]}" >/dev/null
fi
cmake --build "$dir" "$@"
