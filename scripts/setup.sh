#!/usr/bin/env bash
# Installs whatever this project needs and the machine lacks (Debian).
# Quiet and quick when everything is already there.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

pkgs=(cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev googletest
      libbenchmark-dev g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64
      xvfb xauth x11-apps imagemagick fonts-ipafont-gothic fonts-wine libtiff-tools netpbm
      ghostscript python3-pil liblcms2-dev sane-utils)
# Some tools arrive by other routes on some machines; count them as present.
have_cmd() { command -v "$1" >/dev/null 2>&1; }

missing=()
for p in "${pkgs[@]}"; do
  case $p in
    cmake) have_cmd cmake && continue ;;
    imagemagick) have_cmd convert && have_cmd identify && continue ;;
  esac
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done

# The shipped programs are 32-bit: where this machine runs 32-bit code, Wine
# gets its 32-bit half too (after which 64-bit prefixes made without it no
# longer start; the scripts make those anew).
i386=0
if wq_runs_32bit; then
  i386=1
  dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "ok installed" || missing+=(wine32:i386)
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  if [ $i386 = 1 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo_cmd dpkg --add-architecture i386
  fi
  # A mirror caught mid-sync fails the update with a size mismatch; short
  # glitches clear, so try again before going on with the lists there are.
  for try in 1 2 3; do
    $sudo_cmd apt-get update -qq && break
    [ $try = 3 ] && echo "setup: apt-get update kept failing; installing from the lists there are"
    [ $try != 3 ] && sleep 20
  done
  install() { DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "$@" >/dev/null; }
  if ! install "${missing[@]}"; then
    # Stale i386 lists can leave Wine's 32-bit half uninstallable while the
    # rest installs; without it the 32-bit build does not run here, and the
    # scripts say so where they skip it.
    rest=()
    for p in "${missing[@]}"; do [ "$p" != wine32:i386 ] && rest+=("$p"); done
    [ ${#rest[@]} -eq ${#missing[@]} ] && exit 1
    [ ${#rest[@]} -gt 0 ] && { install "${rest[@]}" || exit 1; }
    echo "setup: wine32:i386 cannot be installed from the package lists now; the 32-bit build will not run under Wine on this machine"
  fi
fi
