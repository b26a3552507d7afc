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

# When the i386 lists lag behind the amd64 ones (a security index that did
# not download), Wine's 32-bit half needs libraries at versions the lists do
# not offer for i386. A library installed for both word sizes must be the
# same version in both, so each such library Wine needs is taken at its
# amd64 candidate version: from the lists where they have it for i386, else
# the i386 package of that version straight from the pool the amd64 one is in.
install_matched() {  # install_matched PACKAGES...
  local dir p a inst c64 c386 uri args=() libs=() native
  declare -A cand
  have_cmd curl || return 1
  native=$(dpkg --print-architecture)
  dir=$(mktemp -d)
  for p in $(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts \
               --no-breaks --no-replaces --no-enhances wine32:i386 2>/dev/null |
             grep '^[a-z0-9].*:i386$' | sort -u); do
    a=${p%:i386}
    dpkg-query -W -f='${Status} ${Multi-Arch}' "$a:$native" 2>/dev/null | grep -q "ok installed same$" &&
      libs+=("$a")
  done
  [ ${#libs[@]} -gt 0 ] || return 1
  # One query for all the candidates: apt-cache takes a while to start.
  while read -r p c64; do cand[$p]=$c64; done < <(
    apt-cache policy "${libs[@]}" "${libs[@]/%/:i386}" |
      awk '/^[^ ]/{sub(/:$/, "", $1); p=$1} /Candidate:/{print p, $2}')
  for a in "${libs[@]}"; do
    inst=$(dpkg-query -W -f='${Version}' "$a:$native")
    c64=${cand[$a]:-} c386=${cand[$a:i386]:-}
    [ -n "$c64" ] || continue
    if [ "$c386" = "$c64" ]; then
      [ "$inst" = "$c64" ] || args+=("$a=$c64")
      continue
    fi
    uri=$(apt-get download --print-uris "$a=$c64" 2>/dev/null | awk '{print $1}' | tr -d "'")
    [ -n "$uri" ] || return 1
    curl -fsS -o "$dir/$a.deb" "${uri%_amd64.deb}_i386.deb" || return 1
    args+=("$a=$c64" "$dir/$a.deb")
  done
  echo "setup: the i386 package lists are behind; matching Wine's 32-bit libraries to the installed ones"
  install "$@" "${args[@]}"
}

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
  if ! install "${missing[@]}" && ! { [ $i386 = 1 ] && install_matched "${missing[@]}"; }; then
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
