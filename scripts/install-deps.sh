#!/bin/sh
# Installs, as root on Debian, every package the build, the tests and the
# benchmarks need. Safe to run again: apt-get skips what is already there.
set -eu

PACKAGES="
  build-essential cmake pkg-config git
  clang libclang-rt-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  liblpsolve55-dev libann-dev
  libboost-dev libpolyclipping-dev libgeos-dev
  libfftw3-dev libgsl-dev libkissfft-dev
  libglpk-dev libnlopt-dev
  libmuparser-dev
  libcli11-dev doxygen
  chromium python3
  python3-dev pybind11-dev python3-numpy python3-pytest python3-shapely python3-scipy
"

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing="$missing $p"
  fi
done

if [ -n "$missing" ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "install-deps: missing packages:$missing (run as root)" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  # shellcheck disable=SC2086
  apt-get install -y -qq --no-install-recommends $missing
fi
